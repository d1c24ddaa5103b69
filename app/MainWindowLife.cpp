// Creation, activation, close and destruction of the main window.
#include <cstdlib>

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QMenu>

#include "AboutUnit.h"
#include "AsyncTimer.h"
#include "CallDialog.h"
#include "CommandLine.h"
#include "EngineUnit.h"
#include "MainWindow.h"
#include "MenuHintWatch.h"
#include "MessageBoxes.h"
#include "MovesListAdapter.h"
#include "MusicOutput.h"
#include "NetworkSession.h"
#include "ProgramTitle.h"
#include "ReversiApplication.h"
#include "ScreenCheck.h"

namespace reversi {

TReversiForm::TReversiForm(QWidget* parent) : QMainWindow(parent) {
    // Fixed-size window with a system menu and a minimise button only.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    CreateComponents();
    try {
        FormCreate();
    } catch (...) {
        // A failed start (a missing picture) ends the program; the match
        // record must not keep pointing at this window's list.
        game_.SetMoveList(nullptr);
        throw;
    }
}

void TReversiForm::FormCreate() {
    SetupTexts();
    // Seeds the C generator from the clock, so each run plays differently.
    std::srand(static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
    setWindowTitle(ProgramTitle());

    // A screen lower than 600 lines cannot hold the window: say so before any
    // window appears and build nothing else. The main block then ends the
    // program; closing writes no settings.
    if (!ScreenLinesEnough(ScreenLines())) {
        lowResolution_ = true;
        ShowPlainMessage(LowResolutionMessage());
        return;
    }

    StartSound();
    LoadSettings();
    LoadStatistics();
    // The move list panel starts shown unless the settings hide it; hidden,
    // it adds nothing to the window's width.
    MovesVisible = settings_.ShowMovesList;
    movesListWidth_ = MovesVisible ? MovesListPanelWidth() : 0;
    ShowMoves1->setChecked(MovesVisible);

    game_.Reset();
    game_.SetMoveList(movesListAdapter_.get());
    ApplyCommandLine();

    LoadPictureSets();
    SizeWindowToField();
    painter_.CreateBackBuffer(game_.BoardSize());
    // From here on the window shows what the game does.
    BindGame();
    ApplyGameCommands();

    StartNetwork();
    MusicPingTimer->start();
    AsyncTimerAnimation->SetEnabled(true);

    if (pendingCommand_.kind == CommandLineAction::Kind::LoadGame) {
        // A saved game was named: start in browsing mode on the fresh position;
        // the file itself opens when the window is first shown. The status
        // panels show that position meanwhile, also under a box saying the
        // file could not be opened.
        game_.SetBrowsing(true);
        ShowStatus();
    } else {
        ShowStatus();
        game_.ProcessTurn(true);
    }

    ReversiStatusBar->repaint();
    DrawBoard();
    update();
    animations_.CursorAnimationEnabled = true;
    setAcceptDrops(true);
    created_ = true;
}

TReversiForm::~TReversiForm() { FormDestroy(); }

void TReversiForm::StartSound() {
    // Without an audio device the game runs silently; a missing effect file
    // leaves that one effect silent. Neither is reported.
    if (!Sound.init(44100, 32)) return;
    Effects.load(Sound, graphics::ProgramFolder() / "DATA");
    StartMusicPlayer(std::make_unique<platform::SoundLayerMusicOutput>());
}

void TReversiForm::ApplyCommandLine() {
    // Every word the player typed: Qt was given none of them.
    pendingCommand_ = ParseCommandLine(ReversiApplication::TypedParameters());
    // "-listen" listens whatever the settings say; the other actions wait
    // until the window is first shown.
    if (pendingCommand_.kind == CommandLineAction::Kind::Listen) {
        settings_.ShutDownServerListing = false;
        pendingCommand_ = {};
    }
}

bool TReversiForm::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::StatusTip: {
            // While a menu is open only its watch ends the menu's hint.
            const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
            if (!tip.isEmpty() || !MenuHintWatch::MenuOpen()) DisplayHint(tip);
            return true;
        }
        case QEvent::WindowActivate:
            FormActivate();
            break;
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
            // A box or a dialog opened over the window, or another window
            // took the input: the mouse's release will not come back to a
            // held step button, which must step no more.
            EndStepPress();
            break;
        case QEvent::Show:
            // Some platforms never activate a window (offscreen, a busy desktop):
            // the pending command-line action still runs once the window is shown.
            QTimer::singleShot(0, this, [this] { FormActivate(); });
            break;
        default:
            break;
    }
    return QMainWindow::event(e);
}

void TReversiForm::FormActivate() {
    if (!created_) return;
    const CommandLineAction pending = pendingCommand_;
    pendingCommand_ = {};
    switch (pending.kind) {
        case CommandLineAction::Kind::Connect:
            // The call dialog opens with the address filled in.
            CallDlg->SetAddress(pending.value);
            NetMenuConnectClick();
            break;
        case CommandLineAction::Kind::LoadGame:
            OpenCommandLineGame(pending.file);
            break;
        default:
            break;
    }
}

void TReversiForm::TipShowTimerTimer() {
    ToolTipWasShown = true;
    TipShowTimer->stop();
    if (settings_.ShowTips) ShowDayTip();
}

void TReversiForm::AboutItemClick() { intro::ShowAboutBox(this); }

void TReversiForm::ExitItemClick() { close(); }

void TReversiForm::closeEvent(QCloseEvent* e) {
    // Closing always completes; a failure on the way (settings that cannot be
    // written) is shown to the player and the program still ends.
    try {
        FormClose();
    } catch (const std::exception& failure) {
        ShowErrorMessage(QString::fromLocal8Bit(failure.what()), this);
    }
    e->accept();
}

void TReversiForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    MusicPingTimer->stop();
    StopMedia();
    TipShowTimer->stop();
    // No more moves, no more boxes; the search is over before anything it
    // reads is freed.
    game_.Stop();
    if (lowResolution_) return;

    AsyncTimerAnimation->SetEnabled(false);
    autoRepeat_.Cancel();  // a held step button steps no more
    animations_.MoveAnimationEnabled = false;
    animations_.CursorAnimationEnabled = false;
    animations_.HelpAnimationEnabled = false;
    SaveSettingsOnClose();
}

void TReversiForm::FormDestroy() {
    // Closing may not have run (the window was never shown): make sure the
    // search is over before the game state goes.
    game_.Stop();
    // The session's last events (its sockets closing) find no window and
    // no game.
    if (Session != nullptr) {
        Session->disconnect(this);
        Session->SetMoveCheck({});
        Session->SetBoardTextSource({});
    }
    if (Sound.isOpen()) {
        musicPlayer_.reset();
        Effects.free();
        Sound.close();
    }
    // The picture sets and the back buffer go with the painter; the record
    // no longer shows in this window's list.
    game_.ReleaseRecord();
}

}  // namespace reversi
