// Network play through the real window against a raw peer on 127.0.0.1 that
// speaks the wire format byte for byte and keeps its own board: the call,
// moves both ways with the boards equal, moves refused, chat both ways, the
// peer vanishing, the field size of a call, the board view, the statistics,
// the settings lock's release, the dialogs' sizes.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include "BusyPanel.h"
#include "CallDialog.h"
#include "CallRequestDialog.h"
#include "ChatDialog.h"
#include "EventHook.h"
#include "MatchRecord.h"
#include "../network/StalledListener.h"
#include "NetTexts.h"
#include "NetworkPlayFixture.h"
#include "NetworkSession.h"
#include "RemoteBoardView.h"
#include "SideUnit.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi::nettest {
namespace {

using platform::TSoundEffect;

TEST_F(NetworkPlayTest, AcceptedCallPlaysMovesBothWaysWithEqualBoards) {
    // The caller plays white on 8 x 8: the window's player gets black.
    CallAndAccept("BW8PEER");
    auto* req = Child<TCallReq>(*form_, "CallReq");
    EXPECT_EQ(req->CallerText(), QStringLiteral("\"PEER\""));
    EXPECT_EQ(form_->windowTitle(), Title + QStringLiteral(" + PEER"));
    EXPECT_EQ(Game().ComputerSide, CellBlack) << "the local colour";
    EXPECT_FALSE(Game().VsComputer);
    EXPECT_NE(std::count(window_->sounds.begin(), window_->sounds.end(), TSoundEffect::connect), 0);
    EXPECT_FALSE(Child<QAction>(*form_, "NetMenuConnect")->isEnabled());
    EXPECT_TRUE(Child<QAction>(*form_, "NetMenuDisconnect")->isEnabled());
    EXPECT_TRUE(Child<QAction>(*form_, "NetMenuSendMessage")->isEnabled());
    EXPECT_FALSE(Child<QAction>(*form_, "HintItem")->isEnabled()) << "settings not locked";
    EXPECT_FALSE(Child<QAction>(*form_, "ListMenuSave")->isEnabled());

    for (int i = 0; i < 6; ++i) {
        ASSERT_NO_FATAL_FAILURE(PeerMoves());
        ASSERT_TRUE(LocalToMove());
        ASSERT_NO_FATAL_FAILURE(LocalMoves());
    }
    // The peer's board request is answered with the window's board.
    peer_.Send("F");
    EXPECT_EQ(peer_.Read(1 + 64), "D" + peer_.Text());
    EXPECT_EQ(Game().Tracker->count(), 12);
}

TEST_F(NetworkPlayTest, IllegalAndOutOfTurnMovesAreIgnored) {
    CallAndAccept("BW8PEER");
    const tBoard start = Game().Boards[0];
    // A square that flips nothing, one off the field, and garbage digits.
    for (const QByteArray& bad : {QByteArray("M00"), QByteArray("M99"), QByteArray("M3x")}) {
        peer_.Send(bad);
        peer_.Barrier();
        EXPECT_EQ(Game().Boards[0], start) << bad.toStdString() << " was played";
    }
    ASSERT_NO_FATAL_FAILURE(PeerMoves());
    // The peer moves again although it is the window's turn: ignored.
    const tBoard afterOne = Game().Boards[0];
    peer_.toMove = CellWhite;
    const auto [x, y] = peer_.FirstLegal();  // a square white could take now
    peer_.toMove = CellBlack;
    ASSERT_GE(x, 0);
    peer_.Send(MoveBytes(x, y));
    peer_.Barrier();
    EXPECT_EQ(Game().Boards[0], afterOne) << "a move out of turn was played";
    EXPECT_EQ(Game().Tracker->count(), 1);

    // The window's player plays; a click while the peer is to move sends nothing.
    ASSERT_NO_FATAL_FAILURE(LocalMoves());
    const auto squares = window_->LegalSquares();
    ASSERT_FALSE(squares.empty());
    window_->ClickSquare(squares.front().first, squares.front().second);
    peer_.ExpectSilence();
    EXPECT_EQ(Game().Tracker->count(), 2);
}

TEST_F(NetworkPlayTest, ChatBothWays) {
    CallAndAccept("BW8PEER");
    auto* chat = Child<TSendDlg>(*form_, "SendDlg");
    peer_.Send("Thello there");
    ASSERT_TRUE(WaitUntil([&] { return chat->isVisible(); })) << "the chat did not open";
    ASSERT_TRUE(WaitUntil([&] {
        return chat->LogLines().contains(QStringLiteral(">>hello there"));
    })) << chat->LogLines().join(QLatin1Char('|')).toStdString();
    EXPECT_NE(std::count(window_->sounds.begin(), window_->sounds.end(), TSoundEffect::message), 0);

    // A second line while the dialog is open is only logged.
    peer_.Send("Tagain");
    ASSERT_TRUE(WaitUntil([&] { return chat->LogLines().contains(QStringLiteral(">>again")); }));
    EXPECT_EQ(form_->findChildren<TSendDlg*>().size(), 1);

    chat->SetEditText(QStringLiteral("hi back"));
    chat->SendButton()->click();
    EXPECT_EQ(peer_.Read(8), "Thi back");
    EXPECT_FALSE(chat->isVisible());
    EXPECT_TRUE(chat->LogLines().contains(QStringLiteral("<<hi back")));

    // "Message" from the menu opens it again; Cancel sends nothing.
    Child<QAction>(*form_, "NetMenuSendMessage")->trigger();
    ASSERT_TRUE(chat->isVisible());
    chat->CancelButton()->click();
    peer_.ExpectSilence();
}

TEST_F(NetworkPlayTest, PeerVanishingMidGameRestoresTheLocalGame) {
    CallAndAccept("BW8PEER");
    ASSERT_NO_FATAL_FAILURE(PeerMoves());
    ASSERT_NO_FATAL_FAILURE(LocalMoves());
    window_->sounds.clear();
    const int moves = Game().Tracker->count();
    const tBoard abandonedBoard = Game().Boards[0];
    peer_.socket.abort();

    const QString abandoned = QString::fromLatin1(nettext::PeerAbandoned);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxWith(*form_, abandoned) != nullptr; }))
        << "no abandoned-game message";
    // Under the message the abandoned game stays on the board: whatever the
    // link's end posted has been handled by now.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(Game().Tracker->count(), moves) << "the new game came over the message";
    EXPECT_EQ(Game().Boards[0], abandonedBoard);
    EXPECT_EQ(form_->StatusPanelText(2), QStringLiteral("Move %1/%1").arg(moves));
    EXPECT_NE(std::count(window_->sounds.begin(), window_->sounds.end(), TSoundEffect::disconnect),
              0);
    MessageBoxWith(*form_, abandoned)->accept();
    // A new local game against the computer, with the settings' opponent and colour.
    ASSERT_TRUE(WaitUntil([this] { return Game().Tracker->count() == 0; })) << "no new local game";
    EXPECT_FALSE(Game().NetworkGame);
    EXPECT_TRUE(Game().VsComputer);
    EXPECT_EQ(Game().ComputerSide, form_->CurrentSettings().ComputerSide);
    EXPECT_EQ(form_->windowTitle(), Title);
    EXPECT_TRUE(Child<QAction>(*form_, "HintItem")->isEnabled()) << "settings still locked";
    EXPECT_TRUE(Child<QAction>(*form_, "NetMenuConnect")->isEnabled());
    EXPECT_FALSE(Child<QAction>(*form_, "NetMenuDisconnect")->isEnabled());
    EXPECT_FALSE(Child<QAction>(*form_, "NetMenuSendMessage")->isEnabled());
}

TEST_F(NetworkPlayTest, WholeNetworkGameLeavesTheStatisticsAlone) {
    CallAndAccept("BB8PEER");  // the peer plays black: the window's player opens
    ASSERT_EQ(Game().ComputerSide, CellWhite);
    int moves = 0;
    while (!Game().GameOver && moves < 200) {
        if (LocalToMove()) {
            ASSERT_NO_FATAL_FAILURE(LocalMoves());
        } else {
            ASSERT_NO_FATAL_FAILURE(PeerMoves());
        }
        ++moves;
    }
    ASSERT_TRUE(Game().GameOver) << "the game did not end";
    EXPECT_EQ(Game().Boards[0], peer_.board);
    ASSERT_FALSE(window_->messages->finals.isEmpty()) << "no result message";
    EXPECT_EQ(resultsRecorded_, 0) << "a network game was counted";
    EXPECT_TRUE(window_->messages->statistics.empty()) << "the statistics window opened";
    EXPECT_TRUE(Game().NetworkGame) << "the link stays up after the game";

    // "New" restarts both sides.
    Child<QAction>(*form_, "NewGameItem")->trigger();
    EXPECT_EQ(peer_.Read(1), "R");
    EXPECT_TRUE(Game().NetworkGame);
    EXPECT_EQ(Game().Tracker->count(), 0);
}

TEST_F(NetworkPlayTest, TenByTenCallResizesAndTheBoardViewShowsThePeersBoard) {
    const int smallSide = form_->SquareSize();
    CallAndAccept("BB0PEER");  // the peer plays black on 10 x 10
    EXPECT_EQ(Game().BoardSize, 10);
    EXPECT_EQ(form_->SquareSize(), 49);
    EXPECT_NE(smallSide, form_->SquareSize());
    EXPECT_EQ(form_->CurrentSettings().BoardSize, 10);

    // The hidden sequence asks the peer for its board; its answer is shown.
    QTest::keyClicks(form_, QStringLiteral("vmtrqz"));
    ASSERT_EQ(peer_.Read(1), "F");
    const QByteArray board = QByteArray(50, 'w') + QByteArray(50, 'b');
    peer_.Send("D" + board);
    TRemoteField* view = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        view = form_->findChild<TRemoteField*>();
        return view != nullptr && view->isVisible();
    })) << "no board view";
    EXPECT_EQ(view->Board(), board);
    // A second answer repaints the same window.
    QTest::keyClicks(form_, QStringLiteral("vmtrqz"));
    ASSERT_EQ(peer_.Read(1), "F");
    peer_.Send("D" + QByteArray(100, '+'));
    ASSERT_TRUE(WaitUntil([&] { return view->Board() == QByteArray(100, '+'); }));
    EXPECT_EQ(form_->findChildren<TRemoteField*>().size(), 1);

    view->close();

    // The other sequence, after its selector, names the peer's address.
    QTest::keyClicks(form_, QStringLiteral("sblqudnkwajx"));
    TIPConfForm* remote = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        remote = form_->findChild<TIPConfForm*>();
        return remote != nullptr && remote->isVisible();
    })) << "no remote-system window";
    EXPECT_EQ(remote->AddressText(), QStringLiteral("127.0.0.1"));
    remote->close();

    // "Disconnect" ends the link without a word and without the abandoned message.
    Child<QAction>(*form_, "NetMenuDisconnect")->trigger();
    EXPECT_FALSE(Game().NetworkGame);
    EXPECT_EQ(form_->windowTitle(), Title);
    ASSERT_TRUE(WaitUntil([&] {
        return peer_.socket.state() == QAbstractSocket::UnconnectedState;
    })) << "the link was not closed";
    ASSERT_TRUE(test::PostedEventsHandled());
    EXPECT_EQ(MessageBoxWith(*form_, QString::fromLatin1(nettext::PeerAbandoned)), nullptr);
    EXPECT_EQ(Game().BoardSize, 10) << "the field stays as the network game left it";
}

TEST_F(NetworkPlayTest, EndOfTheLinkFreesTheColourButtonsWhateverTheOpponent) {
    // A local game between two players: the colour buttons are off.
    Settings players = form_->CurrentSettings();
    players.VsComputer = false;
    form_->ChangeSettings(players);
    auto* side = form_->findChild<TSideDlg*>();
    ASSERT_NE(side, nullptr);
    auto* white = side->findChild<QRadioButton*>(QStringLiteral("RadioButton3"));
    auto* black = side->findChild<QRadioButton*>(QStringLiteral("RadioButton4"));
    ASSERT_TRUE(white && black);
    EXPECT_FALSE(white->isEnabled());

    CallAndAccept("BW8PEER");
    EXPECT_FALSE(white->isEnabled()) << "not locked in the network game";
    EXPECT_FALSE(side->findChild<QWidget*>(QStringLiteral("RadioButton2"))->isEnabled());
    Child<QAction>(*form_, "NetMenuDisconnect")->trigger();
    EXPECT_TRUE(white->isEnabled()) << "the lock's release leaves the colour off";
    EXPECT_TRUE(black->isEnabled());
    EXPECT_TRUE(side->findChild<QWidget*>(QStringLiteral("RadioButton2"))->isEnabled());
    // The new local game and the settings dialog's next showing keep them.
    ASSERT_TRUE(WaitUntil([this] { return Game().Tracker->count() == 0 && !Game().NetworkGame; }));
    bool enabledWhenShown = false;
    window_->messages->onEditSettings = [&](TSideDlg& dialog) {
        enabledWhenShown =
            dialog.findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->isEnabled();
        return false;
    };
    Child<QAction>(*form_, "OptionsItem")->trigger();
    EXPECT_EQ(window_->messages->settingsShown, 1);
    EXPECT_TRUE(enabledWhenShown) << "the settings dialog switched the colour off again";
}

TEST_F(NetworkPlayTest, ChatAndCallDialogsOpenAtTheirSizesAndTheChatKeepsThePlayers) {
    Child<QAction>(*form_, "NetMenuConnect")->trigger();
    auto* call = Child<TCallDlg>(*form_, "CallDlg");
    ASSERT_TRUE(call->isVisible());
    EXPECT_EQ(call->size(), QSize(300, 232)) << "the call dialog's client size";
    call->CancelButton()->click();

    CallAndAccept("BW8PEER");
    auto* chat = Child<TSendDlg>(*form_, "SendDlg");
    Child<QAction>(*form_, "NetMenuSendMessage")->trigger();
    ASSERT_TRUE(chat->isVisible());
    EXPECT_EQ(chat->size(), QSize(352, 314)) << "the chat window's first client size";
    EXPECT_EQ(chat->minimumSize(), QSize(240, 220));
    // The player makes it larger; the next showing keeps that size, and so
    // does a line from the peer that opens it.
    chat->resize(500, 420);
    chat->CancelButton()->click();
    Child<QAction>(*form_, "NetMenuSendMessage")->trigger();
    ASSERT_TRUE(chat->isVisible());
    EXPECT_EQ(chat->size(), QSize(500, 420));
    chat->CancelButton()->click();
    peer_.Send("Tagain");
    ASSERT_TRUE(WaitUntil([&] { return chat->isVisible(); }));
    EXPECT_EQ(chat->size(), QSize(500, 420));
    chat->CancelButton()->click();
    // The call dialog keeps its size too.
    Child<QAction>(*form_, "NetMenuDisconnect")->trigger();
    Child<QAction>(*form_, "NetMenuConnect")->trigger();
    ASSERT_TRUE(call->isVisible());
    EXPECT_EQ(call->size(), QSize(300, 232));
    call->CancelButton()->click();
}

TEST_F(NetworkPlayTest, HiddenSequenceOutsideANetworkGameSaysSo) {
    QTest::keyClicks(form_, QStringLiteral("vmtrqz"));
    const QString text = QString::fromLatin1(nettext::NoNetworkGame);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxWith(*form_, text) != nullptr; }));
    MessageBoxWith(*form_, text)->accept();
}

TEST_F(NetworkPlayTest, WindowCallsAListenerAndPlaysAsCaller) {
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress(QHostAddress::LocalHost), 0));
    form_->NetSession().SetPort(listener.serverPort(), {});
    Child<QAction>(*form_, "NetMenuConnect")->trigger();
    auto* call = Child<TCallDlg>(*form_, "CallDlg");
    ASSERT_TRUE(call->isVisible()) << "no call dialog";
    EXPECT_TRUE(call->CallAsWhite());
    EXPECT_TRUE(call->CallSize8());
    call->SetChoices(false, true);  // black on 8 x 8
    call->SetAddress(QStringLiteral("127.0.0.1"));
    // The session reports the call under way as it opens the socket.
    auto* connecting = Child<BusyPanel>(*form_, "ConnectingPanel");
    bool shownWhileOpening = false;
    const auto opening = QObject::connect(&form_->NetSession(), &NetworkSession::linkStateChanged,
                                          [&] { shownWhileOpening |= connecting->isVisible(); });
    call->CallButton()->click();
    QObject::disconnect(opening);
    EXPECT_TRUE(shownWhileOpening) << "no busy panel while the socket opened";
    EXPECT_FALSE(connecting->isVisible()) << "the busy panel stays over the board";
    ASSERT_TRUE(listener.waitForNewConnection(Wait)) << "the call did not arrive";
    std::unique_ptr<QTcpSocket> raw(listener.nextPendingConnection());
    raw->setParent(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return form_->NetSession().IsConnected(); }));
    EXPECT_FALSE(connecting->isVisible()) << "the busy panel stays after the call connected";
    EXPECT_FALSE(form_->CurrentSettings().CallAsWhite) << "the choice is kept";
    QByteArray request;
    ASSERT_TRUE(WaitUntil([&] {
        request += raw->readAll();
        return request.size() >= 3;
    }));
    EXPECT_TRUE(request.startsWith("BB8")) << request.toStdString();
    raw->write("Y");
    QByteArray start;
    ASSERT_TRUE(WaitUntil([&] {
        start += raw->readAll();
        return !start.isEmpty();
    }));
    EXPECT_EQ(start, "G");
    ASSERT_TRUE(WaitUntil([this] { return Game().NetworkGame; }));
    EXPECT_EQ(form_->windowTitle(), Title + QStringLiteral(" + 127.0.0.1"));
    EXPECT_EQ(Game().ComputerSide, CellBlack);
    // The listener hangs up: the game was abandoned.
    raw->abort();
    ASSERT_TRUE(WaitUntil([&] {
        return MessageBoxWith(*form_, QString::fromLatin1(nettext::PeerAbandoned)) != nullptr;
    }));
}

TEST_F(NetworkPlayTest, AReloadWhileACallIsPlacedShowsOnePanelAndTheCallGoesOn) {
    test::StalledListener unanswered;
    ASSERT_TRUE(unanswered.Ready()) << "no loopback port to call";
    form_->NetSession().SetPort(unanswered.Port(), {});
    // The call must outlast the reload, which on a busy machine can take
    // longer than the usual call timeout; the test ends the call itself.
    form_->NetSession().SetCallTimeout(10 * 60 * 1000);
    Child<QAction>(*form_, "NetMenuConnect")->trigger();
    auto* call = Child<TCallDlg>(*form_, "CallDlg");
    call->SetAddress(QStringLiteral("127.0.0.1"));
    call->CallButton()->click();
    auto* connecting = Child<BusyPanel>(*form_, "ConnectingPanel");
    auto* loading = Child<BusyPanel>(*form_, "LoadingPanel");
    QTest::qWait(100);
    ASSERT_TRUE(form_->NetSession().IsCalling()) << "the call did not stay under way";
    ASSERT_FALSE(connecting->isVisible()) << "the panel stays while the call waits";

    // What the player sees while the pictures load for another border.
    int loadingShown = 0;
    bool bothShown = false;
    TEventHook::Install(loading, loading, [&](QObject*, QEvent* e) {
        if (e->type() == QEvent::Show) {
            ++loadingShown;
            bothShown = bothShown || connecting->isVisible();
        }
        return false;
    });
    Child<QAction>(*form_, "SelBrdr2")->trigger();
    EXPECT_EQ(form_->CurrentSettings().BoardBorderStyle, 1) << "no reload";
    EXPECT_EQ(loadingShown, 1);
    EXPECT_FALSE(bothShown) << "\"Loading...\" over \"Connecting...\"";
    EXPECT_FALSE(loading->isVisible());

    // The call goes on, with no panel over the board.
    EXPECT_TRUE(form_->NetSession().IsCalling());
    EXPECT_FALSE(connecting->isVisible());
    QTest::qWait(100);
    EXPECT_TRUE(form_->NetSession().IsCalling());
    form_->NetSession().Disconnect();
    EXPECT_TRUE(WaitUntil([&] { return !connecting->isVisible(); }));
}

TEST_F(NetworkPlayTest, EnterAcceptsASecondCallAfterNoWasClickedOnTheFirst) {
    auto* req = Child<TCallReq>(*form_, "CallReq");
    const auto call = [&](QTcpSocket& socket) {
        socket.connectToHost(QHostAddress(QHostAddress::LocalHost),
                             form_->NetSession().ListeningPort());
        ASSERT_TRUE(socket.waitForConnected(Wait)) << "the peer did not connect";
        socket.write("BW8PEER");
        socket.flush();
        ASSERT_TRUE(WaitUntil([&] { return req->isVisible(); })) << "no call request dialog";
    };
    // The first call: the player clicks "No" with the mouse, which gives it
    // the focus.
    ASSERT_NO_FATAL_FAILURE(call(peer_.socket));
    QTest::mouseClick(req->NoButton(), Qt::LeftButton);
    ASSERT_EQ(peer_.Read(1), "N");
    ASSERT_TRUE(WaitUntil([&] { return !req->isVisible() && !form_->NetSession().IsConnected(); }))
        << "the refused link did not end";

    // The second call: the request opens on "Yes", and Enter takes the call.
    RawPeer second;
    ASSERT_NO_FATAL_FAILURE(call(second.socket));
    EXPECT_EQ(req->focusWidget(), req->YesButton());
    EXPECT_TRUE(req->YesButton()->isDefault());
    EXPECT_FALSE(req->NoButton()->isDefault());
    QWidget* focus = req->focusWidget() != nullptr ? req->focusWidget() : req;
    QTest::keyClick(focus, Qt::Key_Return);
    EXPECT_EQ(second.Read(1), "Y");
}

TEST_F(NetworkPlayTest, RefusedCallSaysSoAndKeepsTheLocalGame) {
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress(QHostAddress::LocalHost), 0));
    form_->NetSession().SetPort(listener.serverPort(), {});
    const int movesBefore = Game().Tracker->count();
    Child<QAction>(*form_, "NetMenuConnect")->trigger();
    auto* call = Child<TCallDlg>(*form_, "CallDlg");
    call->SetAddress(QStringLiteral("127.0.0.1"));
    call->CallButton()->click();
    ASSERT_TRUE(listener.waitForNewConnection(Wait));
    std::unique_ptr<QTcpSocket> raw(listener.nextPendingConnection());
    raw->setParent(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return form_->NetSession().IsConnected(); }));
    raw->write("N");
    const QString refused = QString::fromLatin1(nettext::PeerRefused);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxWith(*form_, refused) != nullptr; }));
    EXPECT_FALSE(Game().NetworkGame);
    EXPECT_TRUE(Game().VsComputer);
    EXPECT_EQ(Game().Tracker->count(), movesBefore) << "the local game was replaced";
    EXPECT_TRUE(Child<QAction>(*form_, "NetMenuConnect")->isEnabled());
}

TEST_F(NetworkPlayTest, AllowCallFollowsListeningAndIsKeptAtClose) {
    auto* allow = Child<QAction>(*form_, "NetMenuListing");
    EXPECT_TRUE(allow->isChecked());
    allow->trigger();
    EXPECT_FALSE(form_->NetSession().IsListening());
    EXPECT_FALSE(allow->isChecked());
    allow->trigger();
    EXPECT_TRUE(form_->NetSession().IsListening());
    EXPECT_TRUE(allow->isChecked());
    allow->trigger();
    form_->close();
    EXPECT_EQ(QSettings().value(QStringLiteral("net/listn")).toString(), QStringLiteral("no"))
        << "the listening state at close was not stored";
}

// White, to move, fills the field with H1 and wins 64 : 0.
void PutWhiteOneMoveFromAFullField(TReversiForm& form) {
    auto& g = test::GameOf(form);
    test::PutWhiteOneMoveFromAFullField(g.Boards[0]);
    g.FirstMove = false;
    form.DrawBoard();
}

// The window's player ends a network game with H1 while its discs turn
// over; meanwhile the game restarts, on the peer's "R" or the local "New".
// The result shows once, over the finished game, and never over the new one.
class NetworkRestartDuringLastFlip : public NetworkPlayTest,
                                     public testing::WithParamInterface<bool> {};

TEST_P(NetworkRestartDuringLastFlip, ShowsTheResultFirstAndOnlyOverItsOwnGame) {
    const bool peerRestarts = GetParam();
    CallAndAccept("BB8PEER");  // the window's player has white
    Settings animated = form_->CurrentSettings();
    animated.AnimationOn = true;
    form_->ChangeSettings(animated);
    form_->SetAnimationInterval(40);
    auto& g = Game();
    PutWhiteOneMoveFromAFullField(*form_);
    tBoard finished = g.Boards[0];
    finished[SquareIndex(7, 7, 8)] = CellWhite;
    finished[SquareIndex(6, 7, 8)] = CellWhite;

    std::vector<bool> overOwnGame;
    window_->messages->onFinal = [&] {
        overOwnGame.push_back(Game().Boards[0] == finished && Game().GameOver &&
                              !form_->Animations().MoveAnimationEnabled);
    };
    bool fired = false;
    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, form_, [&] {
        if (fired || !form_->Animations().MoveAnimationEnabled || Game().Boards[0] != finished)
            return;
        fired = true;
        probe.stop();
        if (peerRestarts) {
            peer_.Send("R");
        } else {
            Child<QAction>(*form_, "NewGameItem")->trigger();
        }
    });
    probe.start();
    window_->ClickSquare(7, 7);
    ASSERT_TRUE(fired) << "the last move's animation was over before the restart";
    ASSERT_TRUE(WaitUntil([this] { return Game().Tracker->count() == 0; })) << "no restart";
    ASSERT_TRUE(WaitUntil([&] { return !form_->Animations().MoveAnimationEnabled; }));
    EXPECT_EQ(peer_.Read(3), MoveBytes(7, 7));
    if (!peerRestarts) {
        EXPECT_EQ(peer_.Read(1), "R");
    }
    // Everything the peer sent has been handled, and whatever was queued.
    peer_.Barrier();
    ASSERT_TRUE(test::PostedEventsHandled());
    EXPECT_EQ(window_->messages->finals, QStringList{QStringLiteral("Yellow won 64 : 0")});
    EXPECT_EQ(overOwnGame, std::vector<bool>{true}) << "the result came over another board";
    EXPECT_EQ(resultsRecorded_, 0) << "a network game was counted";
    EXPECT_TRUE(Game().NetworkGame);
    EXPECT_FALSE(Game().GameOver);
}

INSTANTIATE_TEST_SUITE_P(PeerOrLocal, NetworkRestartDuringLastFlip, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& row) {
                             return std::string(row.param ? "PeerSendsR" : "LocalNew");
                         });

// The peer restarts while the window's result is still open: the result,
// shown over its own game, is taken down as the new game takes the board.
TEST_F(NetworkPlayTest, PeerRestartWhileTheResultIsOpenWaitsForItToClose) {
    CallAndAccept("BB8PEER");  // the window's player has white
    PutWhiteOneMoveFromAFullField(*form_);
    auto* messages = window_->messages;
    bool overOwnGame = false;
    bool arrived = false;
    bool restartedInside = true;
    messages->onFinal = [&] {
        overOwnGame = Game().GameOver && Game().Tracker->count() == 1;
        // The window waits in the result's own loop meanwhile.
        peer_.Send("R");
        arrived = WaitUntil([&] { return form_->NetSession().HasPendingInput(); }, 30000);
        restartedInside = Game().Tracker->count() == 0;
    };
    window_->ClickSquare(7, 7);
    ASSERT_TRUE(arrived) << "the peer's restart did not reach the window";
    EXPECT_TRUE(overOwnGame);
    EXPECT_FALSE(restartedInside) << "the restart was taken while the result was open";
    ASSERT_TRUE(
        WaitUntil([this] { return Game().Tracker->count() == 0 && !Game().GameOver; }, 30000))
        << "the restart was not taken after the result closed";
    EXPECT_EQ(messages->finals.size(), 1);
    EXPECT_EQ(peer_.Read(3), MoveBytes(7, 7));
    EXPECT_TRUE(Game().NetworkGame);
    EXPECT_EQ(resultsRecorded_, 0);
}

}  // namespace
}  // namespace reversi::nettest
