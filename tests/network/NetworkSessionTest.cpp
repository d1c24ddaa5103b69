// The network session against a raw peer on 127.0.0.1 that speaks the wire
// format byte for byte: both handshakes, refusal, the busy answer, hang-ups,
// chat, board requests, moves, and hostile or broken input.
#include <memory>
#include <set>
#include <tuple>

#include <QSignalSpy>
#include <QEventLoop>
#include <QTcpServer>
#include <QTimer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include "CallRequestDialog.h"
#include "NetTexts.h"
#include "NetMenuStates.h"
#include "NetworkSession.h"
#include "Settings.h"
#include "StalledListener.h"

namespace reversi {
namespace {

constexpr int Wait =
    30000;  // ms; every wait below fails with a message after this (long for a busy machine)
// The start position on 8 x 8 as a board answer carries it, column by column.
const QByteArray Board8 =
    QByteArray(27, '+') + "wb" + QByteArray(6, '+') + "bw" + QByteArray(27, '+');

// Reads exactly n bytes from the raw peer, or fails.
QByteArray ReadExactly(QTcpSocket& socket, qsizetype n) {
    QByteArray got;
    const bool ok = QTest::qWaitFor(
        [&] {
            got += socket.read(n - got.size());
            return got.size() >= n;
        },
        Wait);
    EXPECT_TRUE(ok) << "expected " << n << " bytes, got \"" << got.toStdString() << "\"";
    return got;
}

// The barrier of a check that nothing happened: a board request, whose
// answer comes only once the session has handled every byte the peer sent
// before it (it handles them in order). Anything the session sent meanwhile
// comes before the answer and fails the check.
void Barrier(QTcpSocket& socket) {
    socket.write("F");
    EXPECT_EQ(ReadExactly(socket, 65).toStdString(), ("D" + Board8).toStdString())
        << "not (only) the board's answer";
}

// The session sends nothing.
void ExpectSilence(QTcpSocket& socket) { Barrier(socket); }

bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, Wait); }

class NetworkSessionTest : public testing::Test {
protected:
    void SetUp() override {
        session_.SetListenAddress(QHostAddress(QHostAddress::LocalHost));
        session_.SetPort(0, {});
        session_.SetLocalName(QStringLiteral("HOST1"));
        session_.SetTextSettleTime(30);
        session_.SetLingerTime(2000);
        // The board a peer asks for is the game's: the start position.
        session_.SetBoardTextSource([] { return Board8; });
        session_.SetMoveCheck([this](int x, int y) {
            ++moveChecks_;
            return peerToMove_ && legal_.count({x, y}) > 0;
        });
    }

    // A raw caller connected to the listening session.
    std::unique_ptr<QTcpSocket> ConnectRaw() {
        if (!session_.IsListening()) {
            EXPECT_TRUE(session_.StartListening());
        }
        auto raw = std::make_unique<QTcpSocket>();
        raw->connectToHost(QHostAddress(QHostAddress::LocalHost), session_.ListeningPort());
        EXPECT_TRUE(raw->waitForConnected(Wait)) << "raw caller did not connect";
        return raw;
    }

    // A raw caller through the whole handshake into a network game; the
    // caller plays white on 8 x 8, so the session plays black.
    std::unique_ptr<QTcpSocket> ListenerGame() {
        QSignalSpy started(&session_, &NetworkSession::gameStarted);
        QSignalSpy requested(&session_, &NetworkSession::callRequested);
        auto raw = ConnectRaw();
        raw->write("BW8ALICE");
        EXPECT_TRUE(WaitFor([&] { return requested.count() == 1; })) << "no call request";
        session_.AnswerCall(true);
        EXPECT_EQ(ReadExactly(*raw, 1), "Y");
        raw->write("G");
        EXPECT_TRUE(WaitFor([&] { return started.count() == 1; })) << "no game start";
        return raw;
    }

    // The session calls a raw listener; returns the raw side of the link.
    std::unique_ptr<QTcpSocket> CallRaw(QTcpServer& server, bool asWhite, bool field10) {
        EXPECT_TRUE(server.listen(QHostAddress(QHostAddress::LocalHost), 0));
        session_.SetPort(server.serverPort(), {});
        session_.Call(QStringLiteral("127.0.0.1"), asWhite, field10);
        EXPECT_TRUE(session_.IsCalling());
        EXPECT_TRUE(server.waitForNewConnection(Wait)) << "the call did not arrive";
        std::unique_ptr<QTcpSocket> raw(server.nextPendingConnection());
        raw->setParent(nullptr);
        EXPECT_TRUE(WaitFor([&] { return session_.IsConnected(); })) << "the call did not connect";
        return raw;
    }

    NetworkSession session_;
    bool peerToMove_ = true;
    std::set<std::pair<int, int>> legal_{{3, 5}, {2, 3}};
    int moveChecks_ = 0;
};

TEST_F(NetworkSessionTest, CalledSideAcceptsAndStartsOnTheCallersTerms) {
    QSignalSpy linked(&session_, &NetworkSession::linkStarted);
    QSignalSpy requested(&session_, &NetworkSession::callRequested);
    QSignalSpy started(&session_, &NetworkSession::gameStarted);
    auto raw = ConnectRaw();
    ASSERT_TRUE(WaitFor([&] { return linked.count() == 1; })) << "the link did not start";
    EXPECT_TRUE(session_.IsConnected());
    EXPECT_TRUE(session_.IsServer());

    raw->write("BB0");  // the caller plays black on 10 x 10, and sends no name
    ASSERT_TRUE(WaitFor([&] { return requested.count() == 1; })) << "no call request";
    EXPECT_EQ(requested[0][0].toString(), QString());
    EXPECT_FALSE(requested[0][1].toBool()) << "we play white";
    EXPECT_TRUE(requested[0][2].toBool()) << "10 x 10";
    EXPECT_TRUE(session_.IsDeciding());

    session_.AnswerCall(true);
    EXPECT_EQ(ReadExactly(*raw, 1), "Y");
    EXPECT_FALSE(session_.InGame()) << "the called side starts only on G";
    raw->write("G");
    ASSERT_TRUE(WaitFor([&] { return started.count() == 1; })) << "no game start";
    EXPECT_FALSE(started[0][0].toBool());
    EXPECT_TRUE(started[0][1].toBool());
    EXPECT_TRUE(session_.InGame());
}

TEST_F(NetworkSessionTest, CallingSideSendsItsRequestAndConfirmsTheAcceptance) {
    QTcpServer server;
    QSignalSpy started(&session_, &NetworkSession::gameStarted);
    auto raw = CallRaw(server, false, true);
    EXPECT_FALSE(session_.IsServer());
    EXPECT_FALSE(session_.IsCalling());
    EXPECT_EQ(ReadExactly(*raw, 8), "BB0HOST1");
    raw->write("Y");
    EXPECT_EQ(ReadExactly(*raw, 1), "G");
    ASSERT_TRUE(WaitFor([&] { return started.count() == 1; })) << "no game start";
    EXPECT_TRUE(started[0][0].toBool()) << "we called as black";
    EXPECT_TRUE(started[0][1].toBool());
    EXPECT_EQ(session_.CallAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(session_.PeerAddress(), QStringLiteral("127.0.0.1"));
}

TEST_F(NetworkSessionTest, RefusalEndsTheLinkOnBothSides) {
    // Called side: "N" goes out, the link is over at once, the caller hangs up.
    {
        QSignalSpy ended(&session_, &NetworkSession::linkEnded);
        QSignalSpy requested(&session_, &NetworkSession::callRequested);
        auto raw = ConnectRaw();
        raw->write("BW8X");
        ASSERT_TRUE(WaitFor([&] { return requested.count() == 1; }));
        session_.AnswerCall(false);
        EXPECT_EQ(ReadExactly(*raw, 1), "N");
        ASSERT_EQ(ended.count(), 1);
        EXPECT_FALSE(ended[0][0].toBool()) << "no abandoned-game message";
        EXPECT_FALSE(session_.IsConnected());
        // The refused caller's socket lingers until it hangs up; once it is
        // gone, nothing more can come of it.
        QSignalSpy states(&session_, &NetworkSession::linkStateChanged);
        raw->disconnectFromHost();
        ASSERT_TRUE(WaitFor([&] { return states.count() > 0; })) << "the socket never went";
        EXPECT_EQ(ended.count(), 1) << "the caller's hang-up says nothing more";
    }
    // Calling side: the refusal closes the link with its message.
    session_.StopListening();
    QTcpServer server;
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    auto raw = CallRaw(server, true, false);
    ReadExactly(*raw, 8);
    raw->write("N");
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; })) << "no refusal message";
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::PeerRefused));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(raw->state() == QAbstractSocket::UnconnectedState || raw->waitForDisconnected(Wait))
        << "the caller did not hang up";
}

TEST_F(NetworkSessionTest, CountdownOfTheRequestRefusesTheCall) {
    TCallReq dialog;
    dialog.SetTickInterval(1);
    QObject::connect(&session_, &NetworkSession::callRequested, &dialog, [&](const QString& name) {
        dialog.SetRequest(name, QStringLiteral("Green"), QStringLiteral("8 x 8"));
        dialog.open();
    });
    QObject::connect(&dialog, &QDialog::finished, &session_,
                     [&](int result) { session_.AnswerCall(result == QDialog::Accepted); });
    auto raw = ConnectRaw();
    raw->write("BW8SLOW");
    EXPECT_EQ(ReadExactly(*raw, 1), "N") << "the countdown did not refuse";
    EXPECT_FALSE(session_.IsConnected());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(NetworkSessionTest, SecondCallerIsToldBusyAndNeverHeard) {
    QSignalSpy requested(&session_, &NetworkSession::callRequested);
    QSignalSpy busy(&session_, &NetworkSession::busyReplySent);
    auto raw = ListenerGame();
    auto second = ConnectRaw();
    EXPECT_EQ(ReadExactly(*second, 1), "A");
    ASSERT_TRUE(WaitFor([&] { return busy.count() == 1; }));
    EXPECT_TRUE(session_.IsBusyReplyPending());
    second->write("BW8INTRUDER");
    second->write("M35R");

    // Its hang-up, which comes after those bytes, clears the busy state and
    // leaves the link alone; nothing it said was read.
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    second->disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return !session_.IsBusyReplyPending(); }));
    EXPECT_EQ(requested.count(), 1) << "the busy caller's request is not read";
    EXPECT_EQ(moveChecks_, 0);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(session_.InGame());
    raw->write("M35");
    EXPECT_TRUE(WaitFor([&] { return moveChecks_ == 1; }));
}

TEST_F(NetworkSessionTest, BusyAnswerEndsTheCallWithItsMessage) {
    QTcpServer server;
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    auto raw = CallRaw(server, true, false);
    raw->write("A");
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; })) << "no busy message";
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::PeerBusy));
    ASSERT_EQ(ended.count(), 1);
    EXPECT_FALSE(ended[0][0].toBool());
    EXPECT_FALSE(session_.IsConnected());
}

TEST_F(NetworkSessionTest, HangUpDuringTheRequestCancelsItQuietly) {
    QSignalSpy requested(&session_, &NetworkSession::callRequested);
    QSignalSpy cancelled(&session_, &NetworkSession::callRequestCancelled);
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    auto raw = ConnectRaw();
    raw->write("BW8GONE");
    ASSERT_TRUE(WaitFor([&] { return requested.count() == 1; }));
    raw->disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return cancelled.count() == 1; })) << "no cancel";
    ASSERT_EQ(ended.count(), 1);
    EXPECT_FALSE(ended[0][0].toBool()) << "no abandoned-game message";
    session_.AnswerCall(true);  // the dialog closing late changes nothing
    EXPECT_FALSE(session_.IsConnected());
}

TEST_F(NetworkSessionTest, HandlerWaitingInANestedLoopStillHearsTheHangUp) {
    // The window may ask its player inside the handler (a modal dialog):
    // further messages wait until it returns, the hang-up does not.
    QSignalSpy chat(&session_, &NetworkSession::chatReceived);
    std::unique_ptr<QTcpSocket> raw;
    bool cancelledInside = false;
    QObject::connect(&session_, &NetworkSession::callRequested, &session_, [&] {
        QEventLoop loop;
        QObject::connect(&session_, &NetworkSession::callRequestCancelled, &loop, [&] {
            cancelledInside = true;
            loop.quit();
        });
        QTimer::singleShot(Wait, &loop, &QEventLoop::quit);
        raw->write("TSecond");
        raw->flush();
        QTimer::singleShot(100, raw.get(), [&] { raw->disconnectFromHost(); });
        loop.exec();
        session_.AnswerCall(true);
    });
    raw = ConnectRaw();
    raw->write("BW8NEST");
    ASSERT_TRUE(WaitFor([&] { return cancelledInside; })) << "the hang-up was not heard";
    EXPECT_FALSE(session_.IsConnected());
    EXPECT_EQ(chat.count(), 0) << "no message of a gone link after the handler";
}

// While the handler of the peer's move waits in a nested loop (the window's
// pass or result box), the peer sends one more message. It is handled as
// soon as the handler returns, with nothing more sent, and not before: on
// the called and on the calling side alike.
struct NestedCase {
    const char* name;
    bool listener;    // the session accepted the call, or placed it
    QByteArray late;  // what the peer sends while the handler waits
};

void PrintTo(const NestedCase& c, std::ostream* os) { *os << c.name; }

class NestedLoopTest : public NetworkSessionTest, public testing::WithParamInterface<NestedCase> {};

TEST_P(NestedLoopTest, WhatArrivesDuringAHandlersNestedLoopIsHandledWhenItEnds) {
    const NestedCase& c = GetParam();
    QSignalSpy moves(&session_, &NetworkSession::moveReceived);
    QSignalSpy restarts(&session_, &NetworkSession::gameRestarted);
    QSignalSpy chats(&session_, &NetworkSession::chatReceived);
    QTcpServer server;
    std::unique_ptr<QTcpSocket> raw;
    if (c.listener) {
        raw = ListenerGame();
    } else {
        QSignalSpy started(&session_, &NetworkSession::gameStarted);
        raw = CallRaw(server, true, false);
        ASSERT_EQ(ReadExactly(*raw, 8), "BW8HOST1");
        raw->write("Y");
        ASSERT_EQ(ReadExactly(*raw, 1), "G");
        ASSERT_TRUE(WaitFor([&] { return started.count() == 1; })) << "no game start";
    }
    ASSERT_TRUE(raw);
    const auto handled = [&] {
        return moves.count() + restarts.count() + chats.count() + raw->bytesAvailable();
    };
    qint64 handledInside = -1;
    bool nested = false;
    QObject::connect(&session_, &NetworkSession::moveReceived, &session_, [&] {
        if (nested) return;
        nested = true;
        QEventLoop loop;
        raw->write(c.late);
        raw->flush();
        // Long enough on the loopback for the bytes to be in our socket.
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        handledInside = handled();
    });
    raw->write("M35");
    ASSERT_TRUE(WaitFor([&] { return handledInside >= 0; })) << "the first move was not handled";
    EXPECT_EQ(handledInside, 1) << "handled inside the handler's loop";
    if (c.late.startsWith('M')) {
        ASSERT_TRUE(WaitFor([&] { return moves.count() == 2; })) << "the late move waits unread";
        EXPECT_EQ(moves[1][0].toInt(), 2);
        EXPECT_EQ(moves[1][1].toInt(), 3);
    } else if (c.late == "R") {
        EXPECT_TRUE(WaitFor([&] { return restarts.count() == 1; })) << "the restart waits unread";
    } else if (c.late.startsWith('T')) {
        ASSERT_TRUE(WaitFor([&] { return chats.count() == 1; })) << "the chat line waits unread";
        EXPECT_EQ(chats[0][0].toString(), QString::fromLatin1(c.late.mid(1)));
    } else {
        EXPECT_EQ(ReadExactly(*raw, 65), "D" + Board8) << "the board request waits unread";
    }
    EXPECT_TRUE(session_.InGame());
}

INSTANTIATE_TEST_SUITE_P(BothSides, NestedLoopTest,
                         testing::Values(NestedCase{"CalledMove", true, "M23"},
                                         NestedCase{"CalledRestart", true, "R"},
                                         NestedCase{"CalledChat", true, "Tlate line"},
                                         NestedCase{"CalledBoardRequest", true, "F"},
                                         NestedCase{"CallingMove", false, "M23"},
                                         NestedCase{"CallingRestart", false, "R"},
                                         NestedCase{"CallingChat", false, "Tlate line"},
                                         NestedCase{"CallingBoardRequest", false, "F"}),
                         [](const testing::TestParamInfo<NestedCase>& p) {
                             return std::string(p.param.name);
                         });

TEST_F(NetworkSessionTest, HangUpAfterMessagesHandlesThemFirst) {
    // A peer that says something and hangs up at once: its last words are
    // handled before the link ends.
    QSignalSpy chats(&session_, &NetworkSession::chatReceived);
    QSignalSpy moves(&session_, &NetworkSession::moveReceived);
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    auto raw = ListenerGame();
    raw->write("M35Tgood bye");
    raw->disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return ended.count() == 1; })) << "the hang-up was not heard";
    EXPECT_EQ(moves.count(), 1);
    ASSERT_EQ(chats.count(), 1) << "the last line was lost";
    EXPECT_EQ(chats[0][0].toString(), QStringLiteral("good bye"));
    EXPECT_TRUE(ended[0][0].toBool()) << "a game was abandoned";
}

TEST_F(NetworkSessionTest, ChatGoesBothWaysAsPlainText) {
    QSignalSpy chat(&session_, &NetworkSession::chatReceived);
    EXPECT_FALSE(session_.SendChat(QStringLiteral("nobody there")));
    auto raw = ConnectRaw();
    raw->write("T<b>Hi</b> & bye");
    ASSERT_TRUE(WaitFor([&] { return chat.count() == 1; }));
    EXPECT_EQ(chat[0][0].toString(), QStringLiteral("<b>Hi</b> & bye"));
    raw->write("T");
    ASSERT_TRUE(WaitFor([&] { return chat.count() == 2; }));
    EXPECT_EQ(chat[1][0].toString(), QString());
    EXPECT_TRUE(session_.SendChat(QStringLiteral("Hi!")));
    EXPECT_EQ(ReadExactly(*raw, 4), "THi!");
}

TEST_F(NetworkSessionTest, BoardRequestsAreAnsweredAndOnlyAnswersOpenAView) {
    QSignalSpy boards(&session_, &NetworkSession::remoteBoardReceived);
    auto raw = ConnectRaw();
    // Answered on a link even before a game, as every peer does.
    raw->write("F");
    EXPECT_EQ(ReadExactly(*raw, 65), "D" + Board8);
    EXPECT_FALSE(session_.RequestBoard()) << "no request outside a game";
    ExpectSilence(*raw);
    raw.reset();
    ASSERT_TRUE(WaitFor([&] { return !session_.IsConnected(); })) << "the hang-up was not heard";

    raw = ListenerGame();
    raw->write("D" + Board8);  // not asked for
    Barrier(*raw);
    EXPECT_EQ(boards.count(), 0);
    ASSERT_TRUE(session_.RequestBoard());
    EXPECT_EQ(ReadExactly(*raw, 1), "F");
    // An answer in two reads is one board. (A board cut short is taken once
    // the peer goes quiet: the settle time here outlasts a busy machine's
    // pause between the two parts.)
    session_.SetTextSettleTime(Wait);
    raw->write("D" + Board8.left(30));
    raw->flush();
    QTest::qWait(5);
    raw->write(Board8.mid(30));
    raw->flush();
    ASSERT_TRUE(WaitFor([&] { return boards.count() == 1; }));
    EXPECT_EQ(boards[0][0].toByteArray().toStdString(), Board8.toStdString());
}

TEST_F(NetworkSessionTest, OnlyLegalMovesOfThePeerInItsTurnArePassedOn) {
    QSignalSpy moves(&session_, &NetworkSession::moveReceived);
    auto raw = ConnectRaw();
    raw->write("M35");  // before any game: not even looked at
    Barrier(*raw);
    EXPECT_EQ(moveChecks_, 0);
    raw.reset();
    ASSERT_TRUE(WaitFor([&] { return !session_.IsConnected(); })) << "the hang-up was not heard";

    raw = ListenerGame();
    struct Case {
        QByteArray bytes;
        bool peerToMove;
        bool taken;
    } const cases[] = {
        {"M35", true, true},    // legal, its turn
        {"M44", true, false},   // illegal square
        {"M23", false, false},  // out of turn
        {"MA5", true, false},   // not a digit
    };
    int expected = 0;
    for (const Case& c : cases) {
        peerToMove_ = c.peerToMove;
        const int checks = moveChecks_;
        raw->write(c.bytes);
        if (c.bytes[1] != 'A') {
            ASSERT_TRUE(WaitFor([&] { return moveChecks_ == checks + 1; })) << c.bytes.constData();
        } else {
            Barrier(*raw);
        }
        if (c.taken) ++expected;
        EXPECT_EQ(moves.count(), expected) << c.bytes.constData();
    }
    EXPECT_EQ(moves[0][0].toInt(), 3);
    EXPECT_EQ(moves[0][1].toInt(), 5);

    // Merged and split reads: two moves in one, one move in two.
    peerToMove_ = true;
    raw->write("M35M23");
    ASSERT_TRUE(WaitFor([&] { return moves.count() == expected + 2; }));
    raw->write("M");
    raw->flush();
    QTest::qWait(20);
    raw->write("2");
    raw->flush();
    QTest::qWait(20);
    raw->write("3");
    ASSERT_TRUE(WaitFor([&] { return moves.count() == expected + 3; }));

    EXPECT_TRUE(session_.SendMove(2, 3));
    EXPECT_EQ(ReadExactly(*raw, 3), "M23");
}

TEST_F(NetworkSessionTest, RestartOnlyDuringAGame) {
    QSignalSpy restarted(&session_, &NetworkSession::gameRestarted);
    auto raw = ConnectRaw();
    raw->write("R");
    Barrier(*raw);
    EXPECT_EQ(restarted.count(), 0);
    EXPECT_FALSE(session_.SendRestart());
    raw.reset();
    ASSERT_TRUE(WaitFor([&] { return !session_.IsConnected(); })) << "the hang-up was not heard";
    raw = ListenerGame();
    raw->write("R");
    ASSERT_TRUE(WaitFor([&] { return restarted.count() == 1; }));
    EXPECT_TRUE(session_.SendRestart());
    EXPECT_EQ(ReadExactly(*raw, 1), "R");
}

TEST_F(NetworkSessionTest, ARunOfRestartsIsOneRestart) {
    QSignalSpy restarted(&session_, &NetworkSession::gameRestarted);
    auto raw = ListenerGame();
    struct Step {
        QByteArray bytes;  // from the peer; empty: our player chooses "New"
        int restarts;      // restarts passed on so far
    } const steps[] = {
        {"RRRR", 1},   // one new game, however many times it is asked for
        {"R", 1},      // still no move since
        {"M35RR", 2},  // a move between: a new game again
        {"M23", 2},    //
        {{}, 2},       // our own "New"
        {"R", 2},      // the peer's answer to it finds a new game already
        {"M35FR", 3},  // other messages do not end a run; a move does
        {"FRGFR", 3},  //
    };
    for (const Step& step : steps) {
        if (step.bytes.isEmpty()) {
            ASSERT_TRUE(session_.SendRestart());
            EXPECT_EQ(ReadExactly(*raw, 1), "R");
            continue;
        }
        // The answer to a board request behind them: all of it has been handled.
        raw->write(step.bytes + "F");
        const qsizetype replies = step.bytes.count('F') + 1;
        ASSERT_EQ(ReadExactly(*raw, 65 * replies).size(), 65 * replies) << step.bytes.constData();
        EXPECT_EQ(restarted.count(), step.restarts) << step.bytes.constData();
    }
}

// The window holds the input while its player reads a box. What leaves the
// game alone (a board request, a chat line, the answer to our own board
// request) is handled at once; a restart, a move, any other message and the
// hang-up wait, and follow in order once the hold goes. The hold is taken in
// the test's own code, or inside the handler of the peer's move while that
// handler waits in a nested loop, as the window's pass box does.
enum class HoldAt { Outside, InsideMoveHandler };

struct HeldCase {
    const char* name;
    bool askBoard;                       // our board request goes out before the peer sends
    QByteArray held;                     // sent while held; the answers to its "F"s, read while
                                         // held, show that all before them has been handled or kept
    QByteArray chat;                     // a chat line sent after that (empty: none)
    bool hangUp;                         // then the peer hangs up
    std::vector<std::string> whileHeld;  // reported while the hold is alive
    std::vector<std::string> afterwards;  // all reported once it has gone
};

void PrintTo(const HeldCase& c, std::ostream* os) { *os << c.name; }

class HeldInputTest : public NetworkSessionTest,
                      public testing::WithParamInterface<std::tuple<HeldCase, HoldAt>> {};

TEST_P(HeldInputTest, WhatLeavesTheGameAloneIsHandledAtOnceTheRestOnceTheHoldGoes) {
    const auto& [c, at] = GetParam();
    std::vector<std::string> events;
    QObject::connect(&session_, &NetworkSession::moveReceived, &session_,
                     [&](int x, int y) { events.push_back("move " + std::to_string(x * 10 + y)); });
    QObject::connect(&session_, &NetworkSession::gameRestarted, &session_,
                     [&] { events.push_back("restart"); });
    QObject::connect(&session_, &NetworkSession::chatReceived, &session_,
                     [&](const QString& text) { events.push_back("chat " + text.toStdString()); });
    QObject::connect(&session_, &NetworkSession::remoteBoardReceived, &session_,
                     [&](const QByteArray& text) {
                         events.push_back(text == Board8 ? "board" : "wrong board");
                     });
    QObject::connect(&session_, &NetworkSession::linkEnded, &session_,
                     [&](bool abandoned) { events.push_back(abandoned ? "abandoned" : "ended"); });
    QByteArray board = Board8;  // what the session answers a board request with
    session_.SetBoardTextSource([&] { return board; });
    auto raw = ListenerGame();

    // The events before the hold: the move whose handler takes it.
    std::vector<std::string> expected;
    if (at == HoldAt::InsideMoveHandler) expected.push_back("move 35");
    const auto whileHeld = [&] {
        ASSERT_TRUE(session_.IsInputHeld());
        // The board changed under the hold: the answer is the board as it stands.
        board = QByteArray(63, '+') + "b";
        if (c.askBoard) {
            ASSERT_TRUE(session_.RequestBoard());
            ASSERT_EQ(ReadExactly(*raw, 1), "F");
        }
        raw->write(c.held);
        const qsizetype answers = c.held.count('F');
        EXPECT_EQ(ReadExactly(*raw, 65 * answers), QByteArray("D" + board).repeated(answers))
            << "a board request was not answered while held";
        if (!c.chat.isEmpty()) {
            const std::string line = "chat " + c.chat.mid(1).toStdString();
            raw->write(c.chat);
            ASSERT_TRUE(WaitFor([&] { return !events.empty() && events.back() == line; }))
                << "the chat line was not reported while held";
        }
        if (c.hangUp) {
            raw->disconnectFromHost();
            // The session's socket forgets the peer's address once it has
            // seen the hang-up.
            ASSERT_TRUE(WaitFor([&] { return session_.PeerAddress().isEmpty(); }))
                << "the hang-up did not reach the session";
        }
        std::vector<std::string> now = expected;
        now.insert(now.end(), c.whileHeld.begin(), c.whileHeld.end());
        EXPECT_EQ(events, now) << "handled while held";
        EXPECT_TRUE(session_.IsConnected()) << "the hang-up was heard through the hold";
        EXPECT_EQ(session_.HasPendingInput(), c.afterwards.size() > c.whileHeld.size());
        EXPECT_TRUE(session_.IsInputHeld());
    };
    // The handler below outlives the branch that sets it up: what it uses
    // lives as long as the test.
    bool ran = false;
    QMetaObject::Connection holder;
    if (at == HoldAt::Outside) {
        NetInputHold hold = session_.HoldInput();
        // A moved hold is still the one hold.
        NetInputHold moved = std::move(hold);
        whileHeld();
    } else {
        holder = QObject::connect(&session_, &NetworkSession::moveReceived, &session_, [&] {
            if (ran) return;
            ran = true;
            NetInputHold hold = session_.HoldInput();
            whileHeld();
        });
        raw->write("M35");
        ASSERT_TRUE(WaitFor([&] { return ran; })) << "the first move was not handled";
    }
    EXPECT_FALSE(session_.IsInputHeld());

    expected.insert(expected.end(), c.afterwards.begin(), c.afterwards.end());
    if (c.hangUp) {
        ASSERT_TRUE(WaitFor([&] { return !session_.IsConnected(); }))
            << "the hang-up never followed";
    } else {
        // The answer to one more request: all before it has been handled.
        raw->write("F");
        EXPECT_EQ(ReadExactly(*raw, 65), "D" + board);
    }
    EXPECT_EQ(events, expected) << "once the hold went";
    EXPECT_FALSE(session_.HasPendingInput());
    QObject::disconnect(holder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeldInputTest,
    testing::Combine(
        testing::Values(
            HeldCase{"BoardRequest", false, "F", {}, false, {}, {}},
            HeldCase{"Chat", false, {}, "Thello", false, {"chat hello"}, {"chat hello"}},
            HeldCase{"BoardReplyToOurRequest",
                     true,
                     "D" + Board8 + "F",
                     {},
                     false,
                     {"board"},
                     {"board"}},
            HeldCase{"RequestAfterAHeldRestart", false, "RF", {}, false, {}, {"restart"}},
            HeldCase{"RestartMoveAndHangUpInOrder",
                     false,
                     "RM35F",
                     {},
                     true,
                     {},
                     {"restart", "move 35", "abandoned"}},
            HeldCase{"ChatAfterAHeldRestart",
                     false,
                     "RF",
                     "Tlate",
                     true,
                     {"chat late"},
                     {"chat late", "restart", "abandoned"}},
            HeldCase{"OtherKindsWaitInLine",
                     false,
                     "M35GYNAM23F",
                     {},
                     false,
                     {},
                     {"move 35", "move 23"}}),
        testing::Values(HoldAt::Outside, HoldAt::InsideMoveHandler)),
    [](const testing::TestParamInfo<std::tuple<HeldCase, HoldAt>>& p) {
        return std::string(std::get<0>(p.param).name) +
               (std::get<1>(p.param) == HoldAt::Outside ? "_Outside" : "_InsideMoveHandler");
    });

TEST_F(NetworkSessionTest, HeldMoveIsCheckedWhenItIsHandled) {
    QSignalSpy moves(&session_, &NetworkSession::moveReceived);
    auto raw = ListenerGame();
    peerToMove_ = false;  // as it arrives, the move would be refused
    {
        NetInputHold hold = session_.HoldInput();
        raw->write("M35F");
        ASSERT_EQ(ReadExactly(*raw, 65), "D" + Board8);
        EXPECT_EQ(moveChecks_, 0) << "the move was checked while held";
        peerToMove_ = true;  // the player's box closes on the peer's turn
    }
    ASSERT_TRUE(WaitFor([&] { return moves.count() == 1; })) << "the held move was not taken";
    EXPECT_EQ(moveChecks_, 1);
}

TEST_F(NetworkSessionTest, MessagesPilingUpWhileHeldCutTheLinkAsAFlood) {
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    auto raw = ListenerGame();
    NetInputHold hold = session_.HoldInput();
    raw->write(QByteArray(100000, 'R'));
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; })) << "the pile was not stopped";
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::PeerFlooded));
    ASSERT_EQ(ended.count(), 1);
    EXPECT_FALSE(ended[0][0].toBool());
    EXPECT_FALSE(session_.IsConnected());
    EXPECT_FALSE(session_.HasPendingInput()) << "what was kept outlives the link";
}

TEST_F(NetworkSessionTest, MessagesOutOfPlaceChangeNothing) {
    QSignalSpy started(&session_, &NetworkSession::gameStarted);
    QSignalSpy requested(&session_, &NetworkSession::callRequested);
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    QSignalSpy cancelled(&session_, &NetworkSession::callRequestCancelled);
    auto raw = ConnectRaw();
    // Before the call request: none of the answers of a called side.
    raw->write("GYNAR");
    raw->write("D" + Board8);
    Barrier(*raw);
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(errors.count(), 0);
    raw->write("BW8REAL");
    ASSERT_TRUE(WaitFor([&] { return requested.count() == 1; }));
    // A start before our answer.
    raw->write("G");
    Barrier(*raw);
    EXPECT_EQ(started.count(), 0);
    EXPECT_TRUE(session_.IsDeciding());
    // A second request while deciding. It ends only when the peer goes
    // quiet; its hang-up right after is handled after it.
    raw->write("BB0AGAIN");
    raw->disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return cancelled.count() == 1; })) << "the hang-up was not heard";
    EXPECT_EQ(requested.count(), 1);
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(errors.count(), 0);
}

TEST_F(NetworkSessionTest, GarbageIsDroppedAndTheStreamRecovers) {
    QSignalSpy moves(&session_, &NetworkSession::moveReceived);
    auto raw = ListenerGame();
    raw->write(QByteArray("xyz\0\xff", 5));
    // The garbage goes with whatever arrived with it: board requests until
    // one is answered show that it has gone.
    bool answered = false;
    for (int i = 0; i < 100 && !answered; ++i) {
        raw->write("F");
        answered = QTest::qWaitFor([&] { return raw->bytesAvailable() >= 65; }, 300);
    }
    ASSERT_TRUE(answered) << "no board request was answered after the garbage";
    EXPECT_EQ(raw->read(65), "D" + Board8);
    raw->write("M35");
    ASSERT_TRUE(WaitFor([&] { return moves.count() == 1; })) << "the stream did not recover";
    EXPECT_TRUE(session_.InGame());
}

TEST_F(NetworkSessionTest, FloodClosesTheLinkWithAMessageAndTheSessionGoesOn) {
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    session_.SetTextSettleTime(2000);
    auto raw = ListenerGame();
    raw->write("T" + QByteArray(NetReceiveBuffer::DefaultCapacity + 10, 'a'));
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; })) << "the flood was not stopped";
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::PeerFlooded));
    ASSERT_EQ(ended.count(), 1);
    EXPECT_FALSE(ended[0][0].toBool());
    EXPECT_FALSE(session_.IsConnected());
    EXPECT_TRUE(raw->state() == QAbstractSocket::UnconnectedState || raw->waitForDisconnected(Wait))
        << "the flooding peer is still linked";
    // The next caller is welcome.
    session_.SetTextSettleTime(30);
    QSignalSpy requested(&session_, &NetworkSession::callRequested);
    auto next = ConnectRaw();
    next->write("BW8NEXT");
    EXPECT_TRUE(WaitFor([&] { return requested.count() == 1; }));
}

TEST_F(NetworkSessionTest, PeerThatAsksButNeverReadsIsDropped) {
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    auto raw = ListenerGame();
    // Board requests in a loop, no answer read: our replies pile up. (The
    // raw socket would otherwise keep taking them in from the system.)
    raw->setReadBufferSize(1);
    const QByteArray requests(200000, 'F');
    raw->write(requests);
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; })) << "the backlog was not stopped";
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::PeerFlooded));
    EXPECT_FALSE(session_.IsConnected());
}

TEST_F(NetworkSessionTest, PortComesFromTheSettings) {
    QTcpServer probe;  // finds a free port, then lets it go
    ASSERT_TRUE(probe.listen(QHostAddress(QHostAddress::LocalHost), 0));
    Settings settings;
    settings.NETPort = probe.serverPort();
    probe.close();
    session_.ApplySettings(settings);
    ASSERT_TRUE(session_.StartListening());
    EXPECT_EQ(session_.ListeningPort(), settings.NETPort);
    // A service name that the system does not know cannot be called.
    session_.StopListening();
    settings.NETService = QStringLiteral("no-such-service-here");
    session_.ApplySettings(settings);
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    session_.Call(QStringLiteral("127.0.0.1"), true, true);
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::OpenSocketError));
}

TEST_F(NetworkSessionTest, MenuStatesFollowTheLink) {
    NetMenuStates idle;
    EXPECT_EQ(MenuStatesOf(session_), idle);
    QSignalSpy changed(&session_, &NetworkSession::linkStateChanged);
    auto raw = ConnectRaw();
    ASSERT_TRUE(WaitFor([&] { return session_.IsConnected(); }));
    EXPECT_GT(changed.count(), 0);
    EXPECT_EQ(MenuStatesOf(session_), (NetMenuStates{false, false, true, true, true}));
    session_.Disconnect();
    EXPECT_EQ(MenuStatesOf(session_), (NetMenuStates{true, true, true, false, false}));
    session_.StopListening();
    EXPECT_EQ(MenuStatesOf(session_), idle);
}

TEST_F(NetworkSessionTest, PeerVanishingMidGameIsAnAbandonedGame) {
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    auto raw = ListenerGame();
    raw->abort();
    ASSERT_TRUE(WaitFor([&] { return ended.count() == 1; })) << "the loss was not noticed";
    EXPECT_TRUE(ended[0][0].toBool());
    EXPECT_FALSE(session_.IsConnected());
    EXPECT_FALSE(session_.InGame());
}

TEST_F(NetworkSessionTest, DisconnectClosesTheLinkWithoutAWord) {
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    auto raw = ListenerGame();
    ASSERT_TRUE(session_.SendMove(2, 3));
    session_.Disconnect();
    ASSERT_EQ(ended.count(), 1);
    EXPECT_FALSE(ended[0][0].toBool());
    EXPECT_TRUE(session_.IsListening()) << "listening goes on after the link";
    // What was sent before the close still arrives.
    EXPECT_EQ(ReadExactly(*raw, 3), "M23");
    EXPECT_TRUE(raw->state() == QAbstractSocket::UnconnectedState ||
                raw->waitForDisconnected(Wait));
}

TEST_F(NetworkSessionTest, FailedCallsReportAndListenAgain) {
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    ASSERT_TRUE(session_.StartListening());
    const quint16 port = session_.ListeningPort();
    session_.SetPort(port, {});
    // An empty address fails at once; listening stays closed, to be opened
    // again by the next call's end.
    session_.Call(QStringLiteral("  "), true, true);
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::OpenSocketError));
    EXPECT_FALSE(session_.IsListening());
    EXPECT_TRUE(session_.NeedsReopenListening());
    EXPECT_FALSE(session_.IsCalling());
    EXPECT_EQ(MenuStatesOf(session_), NetMenuStates{}) << "\"Allow call\" unchecked";
    // Calling our own port while it is closed for the call: nobody answers.
    session_.Call(QStringLiteral("127.0.0.1"), true, true);
    EXPECT_FALSE(session_.IsListening()) << "listening is closed for the call";
    EXPECT_TRUE(session_.NeedsReopenListening());
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 2; })) << "the failed call was not reported";
    EXPECT_EQ(errors[1][0].toString(), QString::fromLatin1(nettext::CallError));
    EXPECT_TRUE(session_.IsListening());
    EXPECT_FALSE(session_.IsCalling());
    EXPECT_FALSE(session_.NeedsReopenListening());
}

TEST_F(NetworkSessionTest, CallPlacedDuringACallReplacesIt) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress(QHostAddress::LocalHost), 0));
    session_.SetPort(server.serverPort(), {});
    // The first call is still looking its name up when the second is placed.
    session_.Call(QStringLiteral("localhost"), false, false);
    ASSERT_TRUE(session_.IsCalling());
    EXPECT_EQ(MenuStatesOf(session_), NetMenuStates{}) << "a call is no link";
    session_.Call(QStringLiteral("127.0.0.1"), true, true);
    EXPECT_TRUE(session_.IsCalling());
    ASSERT_TRUE(server.waitForNewConnection(Wait)) << "the second call did not arrive";
    std::unique_ptr<QTcpSocket> raw(server.nextPendingConnection());
    raw->setParent(nullptr);
    ASSERT_TRUE(WaitFor([&] { return session_.IsConnected(); }));
    EXPECT_EQ(ReadExactly(*raw, 8), "BW0HOST1") << "not the second call's terms";
    EXPECT_EQ(session_.CallAddress(), QStringLiteral("127.0.0.1"));
    QTest::qWait(100);
    EXPECT_FALSE(server.hasPendingConnections()) << "the first call went on";
}

TEST_F(NetworkSessionTest, AllowCallDuringACallIsThePlayersChoiceAndCallersHearBusy) {
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    test::StalledListener target;
    ASSERT_TRUE(target.Ready()) << "no listener that leaves calls waiting";
    ASSERT_TRUE(session_.StartListening());
    session_.SetPort(target.Port(), {});
    session_.Call(QStringLiteral("127.0.0.1"), true, false);
    ASSERT_TRUE(session_.IsCalling());
    EXPECT_FALSE(session_.IsListening()) << "listening is closed for the call";
    // The call's target holds that port here; listening takes one of its own.
    session_.SetPort(0, {});
    session_.ToggleListening();
    ASSERT_TRUE(session_.IsListening()) << "\"Allow call\" during a call did nothing";
    EXPECT_FALSE(session_.NeedsReopenListening());
    // A caller that comes while our call is under way hears that we are busy.
    QTcpSocket third;
    third.connectToHost(QHostAddress(QHostAddress::LocalHost), session_.ListeningPort());
    ASSERT_TRUE(third.waitForConnected(Wait));
    EXPECT_EQ(ReadExactly(third, 1), "A");
    ASSERT_TRUE(session_.IsCalling()) << "the call under way was disturbed";
    EXPECT_FALSE(session_.IsConnected());
    // Turned off again, listening stays off when the call fails.
    session_.ToggleListening();
    EXPECT_FALSE(session_.IsListening());
    // A call placed anew, which gives up at once.
    session_.SetPort(target.Port(), {});
    session_.SetCallTimeout(1);
    session_.Call(QStringLiteral("127.0.0.1"), true, false);
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; })) << "the call did not fail";
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::CallError));
    EXPECT_FALSE(session_.IsListening()) << "the player's choice was undone by the call's end";
}

TEST_F(NetworkSessionTest, CallerThatNeverAsksIsLetGo) {
    session_.SetRequestTimeout(200);
    QSignalSpy ended(&session_, &NetworkSession::linkEnded);
    auto raw = ConnectRaw();
    ASSERT_TRUE(WaitFor([&] { return ended.count() == 1; }));
    EXPECT_FALSE(session_.IsConnected());
    EXPECT_TRUE(raw->state() == QAbstractSocket::UnconnectedState ||
                raw->waitForDisconnected(Wait));
}

TEST_F(NetworkSessionTest, ListeningOnAPortInUseIsReported) {
    QTcpServer blocker;
    ASSERT_TRUE(blocker.listen(QHostAddress(QHostAddress::LocalHost), 0));
    session_.SetPort(blocker.serverPort(), {});
    QSignalSpy errors(&session_, &NetworkSession::errorMessage);
    EXPECT_FALSE(session_.StartListening());
    EXPECT_EQ(errors.count(), 0) << "the silent start says nothing";
    session_.ToggleListening();
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors[0][0].toString(), QString::fromLatin1(nettext::CannotListen));
    EXPECT_FALSE(session_.IsListening());
    // An unknown service name cannot be listened on either.
    session_.SetPort(0, QStringLiteral("no-such-service-here"));
    EXPECT_FALSE(session_.StartListening());
}

}  // namespace
}  // namespace reversi
