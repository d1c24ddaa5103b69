// Network play through the real window against a raw peer on 127.0.0.1 that
// speaks the wire format byte for byte and keeps its own board: the call,
// moves both ways with the boards equal, moves refused, chat both ways, the
// peer vanishing, the field size of a call, the board view, the statistics.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "BusyPanel.h"
#include "CallDialog.h"
#include "CallRequestDialog.h"
#include "ChatDialog.h"
#include "MatchRecord.h"
#include "NetTexts.h"
#include "NetworkSession.h"
#include "PlayTestSupport.h"
#include "RemoteBoardView.h"
#include "SideUnit.h"
#include "../network/StalledListener.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {

using platform::TSoundEffect;
using test::Child;
using test::WaitUntil;

constexpr int Wait = 5000;
const QString Title = QStringLiteral("Zorel Reversi 4.00");

// The other end of the link: a plain socket and a board of its own, moved by
// the engine's rules only.
class RawPeer {
public:
    QTcpSocket socket;
    tBoard board{};
    int n = 8;
    int toMove = CellWhite;

    void Send(const QByteArray& bytes) {
        socket.write(bytes);
        socket.flush();
    }
    QByteArray Read(qsizetype count) {
        QByteArray got;
        const bool ok = WaitUntil(
            [&] {
                got += socket.read(count - got.size());
                return got.size() >= count;
            },
            Wait);
        EXPECT_TRUE(ok) << "expected " << count << " bytes from the window, got \""
                        << got.toStdString() << "\"";
        return got;
    }
    void ExpectSilence(int ms = 150) {
        QTest::qWait(ms);
        EXPECT_EQ(socket.readAll().toStdString(), "") << "the window sent something";
    }

    // Plays (x, y) for the side to move on the peer's board, passing as the
    // rules say.
    void Play(int x, int y) {
        const int me = toMove, opp = 5 - me;
        const int s = SquareIndex(x, y, n);
        ASSERT_TRUE(CanMove(board, s, me, opp)) << "not legal on the peer's board";
        board[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(me);
        MakeMove(board, s, me, opp);
        if (HasMove(opp)) toMove = opp;
    }
    bool HasMove(int side) const {
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                if (CanMove(board, SquareIndex(x, y, n), side, 5 - side)) return true;
        return false;
    }
    std::pair<int, int> FirstLegal() const {
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                if (CanMove(board, SquareIndex(x, y, n), toMove, 5 - toMove)) return {x, y};
        return {-1, -1};
    }
    QByteArray Text() const {
        QByteArray text;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                const int c = board[SquareIndex(x, y, n)];
                text += c == CellWhite ? 'w' : c == CellBlack ? 'b' : '+';
            }
        return text;
    }
};

QByteArray MoveBytes(int x, int y) { return QByteArray("M") + char('0' + x) + char('0' + y); }

// The visible message box of the window with this text, if any.
QMessageBox* MessageBoxWith(const QWidget& form, const QString& text) {
    for (QMessageBox* box : form.findChildren<QMessageBox*>())
        if (box->isVisible() && box->text() == text) return box;
    return nullptr;
}

// A listener that hands the connection it accepts to the raw peer's socket.
class AdoptingServer : public QTcpServer {
public:
    explicit AdoptingServer(QTcpSocket& socket) : socket_(socket) {}
    bool Adopted() const { return adopted_; }

protected:
    void incomingConnection(qintptr descriptor) override {
        adopted_ = socket_.setSocketDescriptor(descriptor);
    }

private:
    QTcpSocket& socket_;
    bool adopted_ = false;
};

class NetworkPlayTest : public testing::Test {
protected:
    void SetUp() override {
        test::GameSetup setup;  // a local game against the computer, which plays black
        window_ = std::make_unique<test::PlayingWindow>(setup);
        form_ = window_->form.get();
        NetworkSession& session = form_->NetSession();
        session.SetListenAddress(QHostAddress(QHostAddress::LocalHost));
        session.SetPort(0, {});
        session.SetTextSettleTime(30);
        session.SetLingerTime(2000);
        ASSERT_TRUE(session.StartListening()) << "the window's session cannot listen";
        QObject::connect(form_, &TReversiForm::gameResultRecorded,
                         [this](PlayerResult) { ++resultsRecorded_; });
    }

    // The peer calls with request "B" + colour + size + name; the window's
    // player says yes; the game starts on "G".
    void CallAndAccept(const QByteArray& request) {
        peer_.socket.connectToHost(QHostAddress(QHostAddress::LocalHost),
                                   form_->NetSession().ListeningPort());
        ASSERT_TRUE(peer_.socket.waitForConnected(Wait)) << "the peer did not connect";
        peer_.Send(request);
        auto* req = Child<TCallReq>(*form_, "CallReq");
        ASSERT_TRUE(WaitUntil([&] { return req->isVisible(); })) << "no call request dialog";
        req->YesButton()->click();
        ASSERT_EQ(peer_.Read(1), "Y");
        peer_.Send("G");
        ASSERT_TRUE(WaitUntil([] { return Game().NetworkGame; })) << "no network game on G";
        peer_.n = Game().BoardSize;
        peer_.board = Game().Boards[0];
        peer_.toMove = CellWhite;
    }

    // The window calls the raw peer, which listens and accepts; the window
    // plays white or black on 8 x 8 as asked.
    void CallOutAndStart(bool windowWhite) {
        NetworkSession& session = form_->NetSession();
        // Listening stays off, so that nothing else wants the peer's port.
        session.StopListening();
        AdoptingServer listener(peer_.socket);
        ASSERT_TRUE(listener.listen(QHostAddress(QHostAddress::LocalHost), 0));
        session.SetPort(listener.serverPort(), {});
        Child<QAction>(*form_, "NetMenuConnect")->trigger();
        auto* call = Child<TCallDlg>(*form_, "CallDlg");
        ASSERT_TRUE(call->isVisible()) << "no call dialog";
        call->SetChoices(windowWhite, true);
        call->SetAddress(QStringLiteral("127.0.0.1"));
        call->CallButton()->click();
        ASSERT_TRUE(WaitUntil([&] { return listener.Adopted(); })) << "the call did not arrive";
        ASSERT_EQ(peer_.Read(3), windowWhite ? "BW8" : "BB8");
        QTest::qWait(50);
        peer_.socket.readAll();  // the caller's name
        peer_.Send("Y");
        ASSERT_EQ(peer_.Read(1), "G");
        ASSERT_TRUE(WaitUntil([] { return Game().NetworkGame; })) << "no network game on Y";
        peer_.n = Game().BoardSize;
        peer_.board = Game().Boards[0];
        peer_.toMove = CellWhite;
    }

    // A network game on 8 x 8 in which the window plays white or black; the
    // window is the called or the calling side.
    void StartGame(bool windowCalls, bool windowWhite) {
        if (windowCalls) {
            CallOutAndStart(windowWhite);
        } else {
            CallAndAccept(windowWhite ? "BB8PEER" : "BW8PEER");
        }
    }

    // The peer plays its first legal move and the window takes it.
    void PeerMoves() {
        const auto [x, y] = peer_.FirstLegal();
        ASSERT_GE(x, 0) << "the peer has no move";
        const int before = Game().Tracker->count();
        peer_.Send(MoveBytes(x, y));
        peer_.Play(x, y);
        ASSERT_TRUE(WaitUntil([&] { return Game().Tracker->count() == before + 1; }))
            << "the window did not play the peer's move";
        EXPECT_EQ(Game().Boards[0], peer_.board) << "boards differ after the peer's move";
    }

    // The window's player clicks the first legal square; the peer reads it.
    void LocalMoves() {
        const auto squares = test::PlayingWindow::LegalSquares();
        ASSERT_FALSE(squares.empty());
        const auto [x, y] = squares.front();
        window_->ClickSquare(x, y);
        ASSERT_EQ(peer_.Read(3), MoveBytes(x, y));
        peer_.Play(x, y);
        EXPECT_EQ(Game().Boards[0], peer_.board) << "boards differ after the local move";
    }

    bool LocalToMove() const { return Game().SideToMove == Game().ComputerSide; }

    // Plays the squares in order, each by the side to move: the window's
    // player by a click, the peer by its message.
    void PlayScript(const std::vector<std::pair<int, int>>& squares) {
        for (const auto& [x, y] : squares) {
            const int before = Game().Tracker->count();
            if (LocalToMove()) {
                window_->ClickSquare(x, y);
                ASSERT_EQ(peer_.Read(3), MoveBytes(x, y));
                peer_.Play(x, y);
            } else {
                peer_.Send(MoveBytes(x, y));
                peer_.Play(x, y);
                ASSERT_TRUE(WaitUntil([&] { return Game().Tracker->count() == before + 1; }))
                    << "the window did not play the peer's move " << x << "," << y;
            }
            ASSERT_EQ(Game().Boards[0], peer_.board) << "boards differ after " << x << "," << y;
        }
    }

    // The next pass or result window of the turn loop is a real modal box:
    // while it is up the peer sends `late`; it closes 300 ms later (time
    // enough on the loopback for the bytes to reach the window).
    // Afterwards lateHandledInside_ tells whether the window took the bytes
    // while the box was up, and boxShown_ that it opened.
    void ArmModalBox(const QByteArray& late, const std::function<void()>& whileOpen = {}) {
        boxShown_ = false;
        window_->messages->onFinal = [this, late, whileOpen] {
            if (boxShown_) return;
            boxShown_ = true;
            QMessageBox box(QMessageBox::NoIcon, Title, QStringLiteral("the turn loop's box"),
                            QMessageBox::Ok, form_);
            QTimer::singleShot(0, &box, [this, late, whileOpen] {
                if (!late.isEmpty()) peer_.Send(late);
                if (whileOpen) whileOpen();
            });
            QTimer::singleShot(300, &box, [this, &box] {
                stateWhileOpen_ = StateNow();
                box.done(QMessageBox::Ok);
            });
            box.exec();
        };
    }

    // What the window has taken from the peer so far, in one text.
    QString StateNow() const {
        auto* chat = Child<TSendDlg>(*form_, "SendDlg");
        return QStringLiteral("moves %1 over %2 log %3")
            .arg(Game().Tracker->count())
            .arg(Game().GameOver)
            .arg(chat->LogLines().join(QLatin1Char('|')));
    }

    // The board the window answers to "F" is the peer's own.
    void ExpectBoardReadBackEqualsPeers() {
        peer_.Send("F");
        EXPECT_EQ(peer_.Read(1 + peer_.n * peer_.n), "D" + peer_.Text());
    }

    bool boxShown_ = false;
    QString stateWhileOpen_;

    std::unique_ptr<test::PlayingWindow> window_;
    TReversiForm* form_ = nullptr;
    RawPeer peer_;
    int resultsRecorded_ = 0;
};

// A move of a scripted game: the square and the side that plays it.
struct ScriptMove {
    int x, y, side;
};

// The game that takes the first legal square every time, from the start
// position to its end, passes included.
std::vector<ScriptMove> FirstSquareGame(const tBoard& start, int n) {
    RawPeer model;
    model.board = start;
    model.n = n;
    std::vector<ScriptMove> moves;
    while (true) {
        const auto [x, y] = model.FirstLegal();
        if (x < 0) break;
        moves.push_back({x, y, model.toMove});
        model.Play(x, y);
    }
    return moves;
}

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
        QTest::qWait(100);
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
    QTest::qWait(150);
    EXPECT_EQ(Game().Boards[0], afterOne) << "a move out of turn was played";
    EXPECT_EQ(Game().Tracker->count(), 1);

    // The window's player plays; a click while the peer is to move sends nothing.
    ASSERT_NO_FATAL_FAILURE(LocalMoves());
    const auto squares = test::PlayingWindow::LegalSquares();
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
    peer_.socket.abort();

    const QString abandoned = QString::fromLatin1(nettext::PeerAbandoned);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxWith(*form_, abandoned) != nullptr; }))
        << "no abandoned-game message";
    EXPECT_NE(std::count(window_->sounds.begin(), window_->sounds.end(), TSoundEffect::disconnect),
              0);
    MessageBoxWith(*form_, abandoned)->accept();
    // A new local game against the computer, with the settings' opponent and colour.
    ASSERT_TRUE(WaitUntil([] { return Game().Tracker->count() == 0; })) << "no new local game";
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
    QTest::qWait(100);
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
    ASSERT_TRUE(WaitUntil([] { return Game().Tracker->count() == 0 && !Game().NetworkGame; }));
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
    call->CallButton()->click();
    auto* connecting = Child<BusyPanel>(*form_, "ConnectingPanel");
    EXPECT_TRUE(connecting->isVisible()) << "no busy panel while the call is placed";
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
    ASSERT_TRUE(WaitUntil([] { return Game().NetworkGame; }));
    EXPECT_EQ(form_->windowTitle(), Title + QStringLiteral(" + 127.0.0.1"));
    EXPECT_EQ(Game().ComputerSide, CellBlack);
    // The listener hangs up: the game was abandoned.
    raw->abort();
    ASSERT_TRUE(WaitUntil([&] {
        return MessageBoxWith(*form_, QString::fromLatin1(nettext::PeerAbandoned)) != nullptr;
    }));
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

// The Network menu's items in each state of the link, against the item
// table: with no link (a call under way included) "Call" and "Allow call"
// are enabled and "Disconnect" and "Message" are not; with a link up the
// other way round. "Allow call" is ticked exactly while the window listens;
// "Get IP address" is always enabled.
struct MenuRow {
    bool call, allowCall, disconnect, message;
    bool operator==(const MenuRow&) const = default;
};
constexpr MenuRow NoLink{true, true, false, false};
constexpr MenuRow LinkUp{false, false, true, true};

void PrintTo(const MenuRow& r, std::ostream* os) {
    *os << "Call " << r.call << ", Allow call " << r.allowCall << ", Disconnect " << r.disconnect
        << ", Message " << r.message;
}

class NetworkMenuTest : public NetworkPlayTest {
protected:
    void ExpectMenu(const char* state, const MenuRow& row) {
        const MenuRow now{Child<QAction>(*form_, "NetMenuConnect")->isEnabled(),
                          Child<QAction>(*form_, "NetMenuListing")->isEnabled(),
                          Child<QAction>(*form_, "NetMenuDisconnect")->isEnabled(),
                          Child<QAction>(*form_, "NetMenuSendMessage")->isEnabled()};
        EXPECT_EQ(now, row) << state;
        EXPECT_EQ(Child<QAction>(*form_, "NetMenuListing")->isChecked(),
                  form_->NetSession().IsListening())
            << state << ": the tick of \"Allow call\"";
        EXPECT_TRUE(Child<QAction>(*form_, "NetMenuShowIP")->isEnabled()) << state;
    }
    void PlaceCall(const QString& address) {
        Child<QAction>(*form_, "NetMenuConnect")->trigger();
        auto* call = Child<TCallDlg>(*form_, "CallDlg");
        ASSERT_TRUE(call->isVisible()) << "\"Call\" opened no dialog";
        call->SetAddress(address);
        call->CallButton()->click();
    }
    void CloseBox(const char* text) {
        QMessageBox* box = MessageBoxWith(*form_, QString::fromLatin1(text));
        ASSERT_NE(box, nullptr) << "no box \"" << text << "\"";
        box->accept();
    }
};

TEST_F(NetworkMenuTest, CalledSideFollowsTheItemTable) {
    auto* allow = Child<QAction>(*form_, "NetMenuListing");
    ExpectMenu("idle, listening", NoLink);
    EXPECT_TRUE(allow->isChecked());
    allow->trigger();
    ExpectMenu("idle, not listening", NoLink);
    EXPECT_FALSE(allow->isChecked());
    allow->trigger();

    peer_.socket.connectToHost(QHostAddress(QHostAddress::LocalHost),
                               form_->NetSession().ListeningPort());
    ASSERT_TRUE(peer_.socket.waitForConnected(Wait));
    ASSERT_TRUE(WaitUntil([&] { return form_->NetSession().IsConnected(); }));
    ExpectMenu("link, the request awaited", LinkUp);
    peer_.Send("BW8PEER");
    auto* req = Child<TCallReq>(*form_, "CallReq");
    ASSERT_TRUE(WaitUntil([&] { return req->isVisible(); }));
    ExpectMenu("link, callee deciding", LinkUp);
    req->YesButton()->click();
    ASSERT_EQ(peer_.Read(1), "Y");
    ExpectMenu("link, callee accepted", LinkUp);
    peer_.Send("G");
    ASSERT_TRUE(WaitUntil([] { return Game().NetworkGame; }));
    ExpectMenu("network game", LinkUp);
    Child<QAction>(*form_, "NetMenuDisconnect")->trigger();
    ExpectMenu("idle after Disconnect", NoLink);
    EXPECT_TRUE(allow->isChecked()) << "the called side listens again after its Disconnect";
}

TEST_F(NetworkMenuTest, CallingSideFollowsTheItemTable) {
    auto* allow = Child<QAction>(*form_, "NetMenuListing");
    ASSERT_TRUE(allow->isChecked());
    // An empty address: the socket cannot be opened; listening stays off.
    PlaceCall(QString());
    ASSERT_NO_FATAL_FAILURE(CloseBox(nettext::OpenSocketError));
    EXPECT_FALSE(form_->NetSession().IsListening());
    EXPECT_FALSE(allow->isChecked()) << "listening was opened again after the open error";
    ExpectMenu("idle after an empty address", NoLink);
    QTest::qWait(100);
    EXPECT_FALSE(allow->isChecked());
    // The player's own "Allow call" works as ever.
    allow->trigger();
    EXPECT_TRUE(allow->isChecked());
    allow->trigger();

    // A call that stays under way: still no link.
    test::StalledListener stalled;
    ASSERT_TRUE(stalled.Ready());
    form_->NetSession().SetPort(stalled.Port(), {});
    PlaceCall(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(form_->NetSession().IsCalling());
    QTest::qWait(200);
    ASSERT_TRUE(form_->NetSession().IsCalling());
    ExpectMenu("calling", NoLink);
    EXPECT_TRUE(Child<BusyPanel>(*form_, "ConnectingPanel")->isVisible());

    // "Call" again: the dialog opens; its call replaces the first.
    AdoptingServer listener(peer_.socket);
    ASSERT_TRUE(listener.listen(QHostAddress(QHostAddress::LocalHost), 0));
    form_->NetSession().SetPort(listener.serverPort(), {});
    PlaceCall(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(WaitUntil([&] { return listener.Adopted(); })) << "the second call did not arrive";
    ASSERT_TRUE(WaitUntil([&] { return form_->NetSession().IsConnected(); }));
    ExpectMenu("link, caller waiting", LinkUp);
    EXPECT_FALSE(Child<BusyPanel>(*form_, "ConnectingPanel")->isVisible());
    ASSERT_EQ(peer_.Read(3), "BW8");
    QTest::qWait(50);
    peer_.socket.readAll();  // the caller's name
    peer_.Send("Y");
    ASSERT_EQ(peer_.Read(1), "G");
    ASSERT_TRUE(WaitUntil([] { return Game().NetworkGame; }));
    ExpectMenu("network game", LinkUp);
    peer_.socket.abort();
    ASSERT_TRUE(WaitUntil([&] {
        return MessageBoxWith(*form_, QString::fromLatin1(nettext::PeerAbandoned)) != nullptr;
    }));
    ExpectMenu("idle after the peer left", NoLink);
}

// What the peer sends while the window shows the box that its turn loop
// opened after the peer's previous move.
enum class LateKind { Move, Chat, BoardRequest, HangUp, Restart };

struct LateCase {
    const char* name;
    bool windowCalls;  // the window placed the call, or accepted it
    LateKind kind;
};

void PrintTo(const LateCase& c, std::ostream* os) { *os << c.name; }

class LateMessageTest : public NetworkPlayTest, public testing::WithParamInterface<LateCase> {};

// C4 C3 F5 B4 A4 A5 C2 A3 on 8 x 8: then white has no move and passes, and
// black plays F4.
const std::vector<std::pair<int, int>> PassOpening = {{2, 4}, {2, 5}, {5, 3}, {1, 4},
                                                      {0, 4}, {0, 3}, {2, 6}, {0, 5}};
constexpr std::pair<int, int> AfterThePass = {5, 4};

TEST_P(LateMessageTest, IsHandledAsSoonAsTheBoxClosesWithNothingMoreSent) {
    const LateCase& c = GetParam();
    const QString lateLine = QStringLiteral(">>late line");
    std::vector<std::pair<int, int>> script = PassOpening;
    bool windowWhite = true;  // the side that passes
    if (c.kind == LateKind::Restart) {
        // A whole game whose last move is the peer's: the result box opens
        // inside the handling of that move.
        const std::vector<ScriptMove> game = FirstSquareGame(Game().Boards[0], 8);
        ASSERT_FALSE(game.empty());
        windowWhite = game.back().side != CellWhite;
        script.clear();
        for (const ScriptMove& m : game) script.emplace_back(m.x, m.y);
    }
    ASSERT_NO_FATAL_FAILURE(StartGame(c.windowCalls, windowWhite));
    const tBoard start = Game().Boards[0];
    const auto last = script.back();
    script.pop_back();
    ASSERT_NO_FATAL_FAILURE(PlayScript(script));
    ASSERT_FALSE(LocalToMove()) << "the last move of the script is the peer's";
    const int before = Game().Tracker->count();

    switch (c.kind) {
        case LateKind::Move:
            ArmModalBox(MoveBytes(AfterThePass.first, AfterThePass.second));
            break;
        case LateKind::Chat:
            ArmModalBox("Tlate line");
            break;
        case LateKind::BoardRequest:
            ArmModalBox("F");
            break;
        case LateKind::HangUp:
            ArmModalBox({}, [this] { peer_.socket.abort(); });
            break;
        case LateKind::Restart:
            ArmModalBox("R");
            break;
    }
    peer_.Send(MoveBytes(last.first, last.second));
    peer_.Play(last.first, last.second);
    ASSERT_TRUE(WaitUntil([&] { return !stateWhileOpen_.isEmpty(); }))
        << "the turn loop opened no box after the peer's move";
    ASSERT_EQ(window_->messages->finals.size(), 1);
    if (c.kind == LateKind::Restart) {
        EXPECT_TRUE(stateWhileOpen_.contains(QStringLiteral(" over 1 "))) << "not the result box";
    } else {
        EXPECT_TRUE(window_->messages->finals.front().contains(QStringLiteral("pass")))
            << window_->messages->finals.front().toStdString();
    }

    switch (c.kind) {
        case LateKind::Move:
            EXPECT_TRUE(stateWhileOpen_.startsWith(QStringLiteral("moves %1 ").arg(before + 1)))
                << "the late move was taken inside the box: " << stateWhileOpen_.toStdString();
            peer_.Play(AfterThePass.first, AfterThePass.second);
            ASSERT_TRUE(WaitUntil([&] { return Game().Tracker->count() == before + 2; }))
                << "the move sent while the box was up waits unread";
            EXPECT_EQ(Game().Boards[0], peer_.board);
            EXPECT_TRUE(LocalToMove());
            ExpectBoardReadBackEqualsPeers();
            break;
        case LateKind::Chat:
            EXPECT_FALSE(stateWhileOpen_.contains(lateLine));
            ASSERT_TRUE(WaitUntil([&] {
                return Child<TSendDlg>(*form_, "SendDlg")->LogLines().contains(lateLine);
            })) << "the chat line sent while the box was up waits unread";
            ExpectBoardReadBackEqualsPeers();
            break;
        case LateKind::BoardRequest:
            EXPECT_EQ(peer_.Read(65), "D" + peer_.Text())
                << "the board request sent while the box was up waits unread";
            break;
        case LateKind::HangUp: {
            const QString abandoned = QString::fromLatin1(nettext::PeerAbandoned);
            ASSERT_TRUE(WaitUntil([&] { return MessageBoxWith(*form_, abandoned) != nullptr; }))
                << "the hang-up was not heard";
            MessageBoxWith(*form_, abandoned)->accept();
            EXPECT_TRUE(WaitUntil([] {
                return !Game().NetworkGame && Game().Tracker->count() == 0;
            })) << "no local game after the hang-up";
            break;
        }
        case LateKind::Restart:
            ASSERT_TRUE(WaitUntil([] { return Game().Tracker->count() == 0 && !Game().GameOver; }))
                << "the restart sent while the result box was up waits unread";
            EXPECT_TRUE(Game().NetworkGame);
            EXPECT_EQ(Game().Boards[0], start);
            peer_.board = start;
            peer_.toMove = CellWhite;
            ExpectBoardReadBackEqualsPeers();
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    BothSides, LateMessageTest,
    testing::Values(LateCase{"CalledMove", false, LateKind::Move},
                    LateCase{"CalledChat", false, LateKind::Chat},
                    LateCase{"CalledBoardRequest", false, LateKind::BoardRequest},
                    LateCase{"CalledHangUp", false, LateKind::HangUp},
                    LateCase{"CalledRestart", false, LateKind::Restart},
                    LateCase{"CallingMove", true, LateKind::Move},
                    LateCase{"CallingChat", true, LateKind::Chat},
                    LateCase{"CallingBoardRequest", true, LateKind::BoardRequest},
                    LateCase{"CallingHangUp", true, LateKind::HangUp},
                    LateCase{"CallingRestart", true, LateKind::Restart}),
    [](const testing::TestParamInfo<LateCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace reversi
