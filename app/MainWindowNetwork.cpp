// Network play in the window: the Network menu, the session's events, the
// call, request and chat dialogs, and the start and end of a network game.
// The session decides what goes over the wire; this file only shows it.
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "BoardView.h"
#include "BusyPanel.h"
#include "CallDialog.h"
#include "CallRequestDialog.h"
#include "ChatDialog.h"
#include "EngineUnit.h"
#include "FramePlacement.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "ProgramTitle.h"
#include "SettingsGameValues.h"
#include "NetMenuStates.h"
#include "NetMessage.h"
#include "NetTexts.h"
#include "TrayController.h"
#include "UncoverWait.h"
#include "NetworkSession.h"
#include "OwnAddressDialog.h"
#include "RemoteBoardView.h"
#include "SideUnit.h"

namespace reversi {

namespace {
using platform::TSoundEffect;

QString Title() { return ProgramTitle(); }
}  // namespace

void TReversiForm::CreateNetwork() {
    Session = new NetworkSession(this);
    Session->setObjectName(QStringLiteral("NetworkSession"));
    // The session asks the game whether a peer's move may be played, and
    // answers a board request with the game's board.
    Session->SetMoveCheck([this](int x, int y) { return game_.PeerMayPlay(x, y); });
    Session->SetBoardTextSource(
        [this] { return QByteArray::fromStdString(game_.BoardText()); });

    // The dialogs live as long as the window, so their contents persist.
    CallDlg = new TCallDlg(this);
    CallDlg->setObjectName(QStringLiteral("CallDlg"));
    CallReq = new TCallReq(this);
    CallReq->setObjectName(QStringLiteral("CallReq"));
    SendDlg = new TSendDlg(this);
    SendDlg->setObjectName(QStringLiteral("SendDlg"));
    ConnectingPanel = new BusyPanel(BusyKind::Connecting, ClientArea);
    ConnectingPanel->setObjectName(QStringLiteral("ConnectingPanel"));

    connect(NetMenuConnect, &QAction::triggered, this, &TReversiForm::NetMenuConnectClick);
    connect(NetMenuListing, &QAction::triggered, this, &TReversiForm::NetMenuListingClick);
    connect(NetMenuDisconnect, &QAction::triggered, this, &TReversiForm::NetMenuDisconnectClick);
    connect(NetMenuSendMessage, &QAction::triggered, this, &TReversiForm::NetMenuSendMessageClick);
    connect(NetMenuShowIP, &QAction::triggered, this, &TReversiForm::NetMenuShowIPClick);

    connect(Session, &NetworkSession::linkStateChanged, this, &TReversiForm::ApplyNetMenuStates);
    connect(Session, &NetworkSession::linkStarted, this, &TReversiForm::BringToFront);
    connect(Session, &NetworkSession::busyReplySent, this, &TReversiForm::BringToFront);
    connect(Session, &NetworkSession::callRequested, this, &TReversiForm::CallRequested);
    connect(Session, &NetworkSession::callRequestCancelled, CallReq, &TCallReq::CloseForHangUp);
    connect(Session, &NetworkSession::gameStarted, this, &TReversiForm::NetGameStarted);
    connect(Session, &NetworkSession::gameRestarted, this, &TReversiForm::StartNetGame);
    connect(Session, &NetworkSession::moveReceived, this, &TReversiForm::ApplyRemoteMove);
    connect(Session, &NetworkSession::chatReceived, this, &TReversiForm::ChatReceived);
    connect(Session, &NetworkSession::remoteBoardReceived, this,
            &TReversiForm::RemoteBoardReceived);
    connect(Session, &NetworkSession::linkEnded, this, &TReversiForm::EndNetGame);
    connect(Session, &NetworkSession::errorMessage, this,
            [this](const QString& text) { ShowNetworkMessage(text); });

    connect(CallDlg, &QDialog::finished, this, [this](int result) {
        // A call under way may have connected while the dialog was open.
        if (result != QDialog::Accepted || Session->IsConnected()) return;
        settings_.CallAsWhite = CallDlg->CallAsWhite();
        settings_.CallSize8 = CallDlg->CallSize8();
        // The panel shows while the client socket opens. The call's answer
        // comes later, as a connect or an error, and the window is a window
        // like any other meanwhile: nothing is left over the board. The
        // window shows itself whole first: the call dialog just closed leaves
        // no remains around the panel while the socket opens.
        uncoverWatch_->AwaitUncovered();
        repaint();
        ConnectingPanel->Start(BusyPanel::PlaceIn(ClientArea->size(), 0));
        Session->Call(CallDlg->Address(), settings_.CallAsWhite, !settings_.CallSize8);
        ConnectingPanel->Stop();
        repaint();
    });
    connect(CallReq, &QDialog::finished, this, [this](int result) {
        Session->AnswerCall(result == QDialog::Accepted);
        // The caption names the caller once we have said yes; a caller that
        // hung up meanwhile has already ended the link.
        if (Session->LinkState() == NetLinkState::CalleeAccepted)
            setWindowTitle(Title() + QStringLiteral(" + ") +
                           OneLineText(Session->PeerCallerName()));
    });
    connect(SendDlg, &QDialog::finished, this, [this](int result) {
        if (result != QDialog::Accepted) return;
        // Logged in any case; sent only while a peer is linked.
        Session->SendChat(SendDlg->CommitSent());
    });
}

void TReversiForm::StartNetwork() {
    Session->ApplySettings(settings_);
    Session->SetFieldSize(game_.BoardSize());
    // A port in use or no network leaves "Allow call" unticked; nothing is
    // reported at start.
    if (!settings_.ShutDownServerListing) Session->StartListening();
    ApplyNetMenuStates();
}

void TReversiForm::ApplyNetMenuStates() {
    const NetMenuStates m = MenuStatesOf(*Session);
    NetMenuConnect->setEnabled(m.callEnabled);
    NetMenuListing->setEnabled(m.allowCallEnabled);
    NetMenuListing->setChecked(m.allowCallChecked);
    NetMenuDisconnect->setEnabled(m.disconnectEnabled);
    NetMenuSendMessage->setEnabled(m.messageEnabled);
    if (!Session->IsCalling()) ConnectingPanel->Stop();
}

void TReversiForm::OpenCentred(QDialog* dialog) {
    // Each dialog keeps its own size: the one it was made with, or the one
    // its player gave it (the chat window is sizeable).
    PlaceCentredOver(*dialog, *this);
    // open(), not exec(): network events keep arriving while it is up, and
    // nothing waits in a nested loop for the player.
    dialog->open();
}

QDialog* TReversiForm::ShowNetworkMessage(const QString& text) {
    auto* box = new TScreenCentredBox(QMessageBox::NoIcon, Title(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

void TReversiForm::BringToFront() {
    // Out of the tray (or the task bar) when the window was put there.
    if (tray_ != nullptr) tray_->RemoveIcon();
    RestoreFromTray();
}

// --- The Network menu ----------------------------------------------------------

void TReversiForm::NetMenuConnectClick() {
    // During a call the dialog opens too: a call placed from it replaces the
    // one under way.
    if (Session->IsConnected() || CallDlg->isVisible()) return;
    CallDlg->SetChoices(settings_.CallAsWhite, settings_.CallSize8);
    OpenCentred(CallDlg);
}

void TReversiForm::NetMenuListingClick() { Session->ToggleListening(); }

void TReversiForm::NetMenuDisconnectClick() { Session->Disconnect(); }

bool TReversiForm::MayAbortNetworkGame() {
    if (!Session->IsConnected()) return true;
    if (!GameMessages().AskPlain(this, QString::fromLatin1(nettext::AbortQuestion))) return false;
    NetMenuDisconnectClick();
    return true;
}

void TReversiForm::NetMenuSendMessageClick() {
    if (SendDlg->isVisible()) return;
    OpenCentred(SendDlg);
}

void TReversiForm::NetMenuShowIPClick() {
    auto* dialog = new TShowIPDlg(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    OpenCentred(dialog);
}

// --- The session's events --------------------------------------------------------

void TReversiForm::CallRequested(const QString& callerName, bool localBlack, bool field10) {
    PlaySoundEffect(TSoundEffect::connect);
    CallReq->SetRequest(callerName, localBlack, field10, sideNames_);
    OpenCentred(CallReq);
}

void TReversiForm::NetGameStarted(bool /*localBlack*/, bool /*field10*/) {
    // The terms are the session's: StartNetGame reads them on every restart.
    if (!Session->IsServer()) {
        setWindowTitle(Title() + QStringLiteral(" + ") + Session->CallAddress());
        PlaySoundEffect(TSoundEffect::connect);
    }
    StartNetGame();
}

void TReversiForm::StartNetGame() {
    // The game being replaced shows a box still due first, over its own board.
    game_.WhenNoMessage([this] {
        // The computer's search of a local game is stopped and joined: its
        // answer belongs to the game that is being replaced.
        game_.StopThinking();
        const int size = Session->Field10() ? 10 : 8;
        if (size != game_.BoardSize() && !ChangeFieldSize(size)) {
            // Without pictures for the call's field there is no game to play.
            Session->Disconnect();
            return;
        }
        // The settings dialog shows the field of the network game.
        settings_.BoardSize = size;
        SideDlg->SetValues(settings_);
        painter_.NewPosX = 0;
        painter_.NewPosY = 0;
        // White moves first by a click; the other side waits for the peer.
        game_.StartNetworkGame(Session->LocalBlack(), size);
    });
}

bool TReversiForm::ChangeFieldSize(int boardSize) {
    BusyPanel loading(BusyKind::Loading, ClientArea);
    graphics::PictureSets pictures;
    const QString failure = LoadPicturesBehind(loading, BusyPanel::PlaceIn(ClientArea->size(), 0),
                                               settings_, boardSize, pictures);
    if (!failure.isEmpty()) {
        ShowNetworkMessage(failure);
        return false;
    }
    TakePictures(std::move(pictures), boardSize);
    return true;
}

void TReversiForm::EndNetGame(bool abandoned) {
    setWindowTitle(Title());
    ApplyNetMenuStates();
    const bool wasGame = game_.NetworkGame();
    boardWidget_->setCursor(Qt::ArrowCursor);
    // Opponent and colour return to the settings' values.
    game_.EndNetworkGame(GameValuesOf(settings_));
    QDialog* box = nullptr;
    if (abandoned) {
        PlaySoundEffect(TSoundEffect::disconnect);
        box = ShowNetworkMessage(QString::fromLatin1(nettext::PeerAbandoned));
    }
    if (!wasGame) return;
    // A local game on the network game's field takes its place: after the
    // player has read that the peer left (the abandoned game stays on the
    // board under that box), or once the session has finished reporting the
    // link's end; unless another game (a match opened or dropped meanwhile)
    // has taken the board first.
    const unsigned shown = game_.GameSerial();
    const auto replace = [this, shown] {
        if (!closed_ && game_.GameSerial() == shown && !game_.NetworkGame()) NewGameItemClick();
    };
    if (box != nullptr) {
        connect(box, &QDialog::finished, this, replace);
    } else {
        QTimer::singleShot(0, this, replace);
    }
}

void TReversiForm::SetGameSettingsLocked(bool locked) { SideDlg->SetGameControlsEnabled(!locked); }

void TReversiForm::ChatReceived(const QString& text) {
    SendDlg->AddReceived(text);
    PlaySoundEffect(TSoundEffect::message);
    NetMenuSendMessageClick();
}

// --- The hidden key sequences --------------------------------------------------

void TReversiForm::FormKeyPress(const QString& typed) {
    for (const QChar c : typed) RunHiddenAction(hiddenKeys_.Feed(c));
}

void TReversiForm::RunHiddenAction(HiddenAction action) {
    if (action == HiddenAction::None) return;
    if (!game_.NetworkGame()) {
        auto* box = new TScreenCentredBox(QMessageBox::Information, Title(),
                                          QString::fromLatin1(nettext::NoNetworkGame),
                                          QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    if (action == HiddenAction::BoardRequest) {
        Session->RequestBoard();
        return;
    }
    auto* form = new TIPConfForm(Session->PeerName(), Session->PeerAddress(), this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    OpenCentred(form);
}

void TReversiForm::RemoteBoardReceived(const QByteArray& boardText) {
    // One window at most: a further answer repaints the open one.
    if (RemoteField) {
        RemoteField->SetBoard(boardText, game_.BoardSize());
        RemoteField->update();
        return;
    }
    RemoteField = new TRemoteField(this);
    RemoteField->setObjectName(QStringLiteral("RemoteField"));
    RemoteField->setAttribute(Qt::WA_DeleteOnClose);
    RemoteField->SetBoard(boardText, game_.BoardSize());
    OpenCentred(RemoteField);
}

}  // namespace reversi
