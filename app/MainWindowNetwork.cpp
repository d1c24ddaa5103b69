// Network play in the window: the Network menu, the session's events, the
// call, request and chat dialogs, and the start and end of a network game.
// The session decides what goes over the wire; this file only shows it.
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
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

QString Title() { return QString::fromStdString(Game().GameTitle); }

// Whether the peer's move at (x, y) may be played now: a network game is on,
// the peer is to move, and the square is legal for it.
bool PeerMayPlay(int x, int y) {
    const auto& g = Game();
    const int n = g.BoardSize;
    if (!g.NetworkGame || g.GameOver || g.ThreadRunning || IsPlayersTurn()) return false;
    if (x < 0 || x >= n || y < 0 || y >= n || g.Routines.CanMove == nullptr) return false;
    return CanMove(g.Boards[0], SquareIndex(x, y, n), g.SideToMove, OtherSide());
}
}  // namespace

void TReversiForm::CreateNetwork() {
    Session = new NetworkSession(this);
    Session->setObjectName(QStringLiteral("NetworkSession"));
    Session->SetMoveCheck(&PeerMayPlay);

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
    Session->SetFieldSize(Game().BoardSize);
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

void TReversiForm::ShowNetworkMessage(const QString& text) {
    auto* box = new TScreenCentredBox(QMessageBox::NoIcon, Title(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
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
    CallReq->SetRequest(callerName, localBlack, field10);
    OpenCentred(CallReq);
}

void TReversiForm::NetGameStarted(bool /*localBlack*/, bool /*field10*/) {
    // The terms are the session's: StartNetGame reads them on every restart.
    if (!Session->IsServer()) {
        setWindowTitle(Title() + QStringLiteral(" + ") + Session->CallAddress());
        PlaySoundEffect(TSoundEffect::connect);
    }
    SetGameSettingsLocked(true);
    StartNetGame();
}

void TReversiForm::StartNetGame() {
    auto& g = Game();
    // The game being replaced shows a message still waiting for its last
    // move's animation first, over its own board.
    FinishPendingTurn();
    // The computer's search of a local game is stopped and joined: its
    // answer belongs to the game that is being replaced.
    StopSearchAndWait();
    const int size = Session->Field10() ? 10 : 8;
    if (size != g.BoardSize && !ChangeFieldSize(size)) {
        // Without pictures for the call's field there is no game to play.
        Session->Disconnect();
        return;
    }
    // The settings dialog shows the field of the network game.
    settings_.BoardSize = g.BoardSize;
    SideDlg->SetValues(settings_);

    painter_.NewPosX = 0;
    painter_.NewPosY = 0;
    ResetForNewGame();
    g.NetworkGame = true;
    g.VsComputer = false;
    // In a network game the "computer side" is the local player's colour.
    g.ComputerSide = Session->LocalBlack() ? CellBlack : CellWhite;
    DrawBoard();
    update();
    // White moves first by a click; the other side waits for the peer.
    boardWidget_->setCursor(IsPlayersTurn() ? Qt::ArrowCursor : Qt::WaitCursor);
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
    Game().BoardSize = boardSize;
    painter_.NewPosX = painter_.NewPosY = 0;
    TakePictures(std::move(pictures));
    return true;
}

void TReversiForm::EndNetGame(bool abandoned) {
    auto& g = Game();
    setWindowTitle(Title());
    ApplyNetMenuStates();
    const bool wasGame = g.NetworkGame;
    g.NetworkGame = false;
    boardWidget_->setCursor(Qt::ArrowCursor);
    SetGameSettingsLocked(false);
    // Opponent and colour return to the settings' values.
    g.VsComputer = settings_.VsComputer;
    g.ComputerSide = settings_.ComputerSide;
    if (abandoned) {
        PlaySoundEffect(TSoundEffect::disconnect);
        ShowNetworkMessage(QString::fromLatin1(nettext::PeerAbandoned));
    }
    // A local game on the network game's field takes its place, once the
    // session has finished reporting the link's end, unless another game
    // (a match opened or dropped after this ending) has taken it first.
    if (wasGame) ReplaceShownGameLater([this] { NewGameItemClick(); });
}

void TReversiForm::SetGameSettingsLocked(bool locked) {
    HintItem->setEnabled(!locked);
    ListMenuSave->setEnabled(!locked);
    ListMenuLoad->setEnabled(!locked);
    SideDlg->SetGameControlsEnabled(!locked);
    if (locked) {
        DisableUndoRedo();
    } else {
        UpdateUndoRedo();
    }
}

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
    if (!Game().NetworkGame) {
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
        RemoteField->SetBoard(boardText, Game().BoardSize);
        RemoteField->update();
        return;
    }
    RemoteField = new TRemoteField(this);
    RemoteField->setObjectName(QStringLiteral("RemoteField"));
    RemoteField->setAttribute(Qt::WA_DeleteOnClose);
    RemoteField->SetBoard(boardText, Game().BoardSize);
    OpenCentred(RemoteField);
}

}  // namespace reversi
