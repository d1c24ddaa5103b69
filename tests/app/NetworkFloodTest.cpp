// A raw peer sends 60,000 bytes of one message letter in one go during a
// network game. The window goes on answering its player meanwhile: the
// board-view key sequence typed while the flood is handled is served (its
// "F" reaches the peer), and afterwards the game goes on with the boards
// equal. A run of restarts is one restart. The times are printed and
// recorded, not judged: the machine's load decides them.
#include <iostream>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include "ChatDialog.h"
#include "MatchRecord.h"
#include "NetworkPlayFixture.h"
#include "NetworkSession.h"
#include "RemoteBoardView.h"
#include "WaitUntil.h"

namespace reversi::nettest {
namespace {

constexpr int LongWait = 30000;  // ms; generous for a busy machine
constexpr int FloodSize = 60000;
// The key sequence is typed this long after the flood has gone out: by then
// the window is at work on it.
constexpr int TypeAfterMs = 10;

struct FloodCase {
    const char* name;
    bool windowCalls;
    char letter;
};

void PrintTo(const FloodCase& c, std::ostream* os) { *os << c.name; }

class FloodTest : public NetworkPlayTest, public testing::WithParamInterface<FloodCase> {
protected:
    // Types the board-view sequence as key presses that wait in the event
    // queue like a player's.
    void PostBoardViewKeys() {
        const QString letters = QStringLiteral("vmtrqz");
        for (const QChar c : letters) {
            const int key = Qt::Key_A + (c.unicode() - 'a');
            QCoreApplication::postEvent(form_,
                                        new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, c));
            QCoreApplication::postEvent(form_,
                                        new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, c));
        }
    }

    // Everything the window has sent the peer since the flood.
    QByteArray received_;
    void Collect() { received_ += peer_.socket.readAll(); }
};

TEST_P(FloodTest, WindowAnswersItsPlayerAndTheGameGoesOn) {
    const FloodCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartGame(c.windowCalls, true));
    const tBoard start = Game().Boards[0];
    ASSERT_NO_FATAL_FAILURE(LocalMoves());
    ASSERT_NO_FATAL_FAILURE(PeerMoves());
    const int movesBefore = Game().Tracker->count();
    NetworkSession& session = form_->NetSession();
    QSignalSpy restarts(&session, &NetworkSession::gameRestarted);

    // The flood, then the keys a little later (a timer, so that a window
    // busy with the flood serves them only when it gets to its events).
    QElapsedTimer clock;
    qint64 typedAt = -1;
    peer_.Send(QByteArray(FloodSize, c.letter));
    clock.start();
    QTimer typing;
    typing.setSingleShot(true);
    QObject::connect(&typing, &QTimer::timeout, [&] {
        typedAt = clock.elapsed();
        PostBoardViewKeys();
    });
    typing.start(TypeAfterMs);
    // Served: the window's board request reaches the peer (board texts hold
    // no "F"). Handled: the flood has been dealt with to its end.
    const qsizetype expectedBytes =
        1 + (c.letter == 'F' ? qsizetype(FloodSize) * (1 + peer_.n * peer_.n) : 0);
    const auto handled = [&] {
        if (session.HasPendingInput() || received_.size() < expectedBytes) return false;
        if (c.letter == 'R') return Game().Tracker->count() == 0;
        if (c.letter == 'T')
            return Child<TSendDlg>(*form_, "SendDlg")
                ->LogLines()
                .contains(QStringLiteral(">>") + QString(FloodSize - 1, QLatin1Char('T')));
        return true;
    };
    qint64 servedAt = -1;
    qint64 doneAt = -1;
    const bool both = WaitUntil(
        [&] {
            Collect();
            if (servedAt < 0 && received_.contains('F')) servedAt = clock.elapsed();
            if (doneAt < 0 && handled()) doneAt = clock.elapsed();
            return servedAt >= 0 && doneAt >= 0;
        },
        2 * LongWait);
    ASSERT_GE(servedAt, 0) << "the key sequence typed during the flood was not served";
    ASSERT_TRUE(both) << "the flood was not handled to its end";
    EXPECT_EQ(received_.size(), expectedBytes) << "the window sent more than asked for";
    EXPECT_TRUE(Game().NetworkGame) << "the link ended";

    const std::string figures = std::to_string(typedAt) + " ms typed, " +
                                std::to_string(servedAt - typedAt) + " ms to serve, " +
                                std::to_string(doneAt) + " ms to handle the flood";
    std::cout << "flood of " << FloodSize << " '" << c.letter << "': " << figures << std::endl;
    RecordProperty("figures", figures);

    // The board view a flood of board texts may have opened, and the chat
    // window a long line opened, go first.
    if (auto* view = form_->findChild<TRemoteField*>()) view->close();
    if (auto* chat = Child<TSendDlg>(*form_, "SendDlg"); chat->isVisible()) chat->reject();
    if (c.letter == 'R') {
        EXPECT_EQ(restarts.count(), 1) << "a run of restarts is one restart";
        EXPECT_EQ(Game().Boards[0], start);
        peer_.board = start;
        peer_.toMove = CellWhite;
    } else {
        EXPECT_EQ(restarts.count(), 0);
        EXPECT_EQ(Game().Tracker->count(), movesBefore) << "the flood changed the game";
    }
    // The game goes on, both ways, with the boards equal.
    ASSERT_NO_FATAL_FAILURE(LocalMoves());
    ASSERT_NO_FATAL_FAILURE(PeerMoves());
    ExpectBoardReadBackEqualsPeers();
}

INSTANTIATE_TEST_SUITE_P(
    EveryLetter, FloodTest,
    testing::Values(FloodCase{"CalledRestart", false, 'R'}, FloodCase{"CallingRestart", true, 'R'},
                    FloodCase{"Busy", false, 'A'}, FloodCase{"Refusal", false, 'N'},
                    FloodCase{"Accept", false, 'Y'}, FloodCase{"StartConfirm", false, 'G'},
                    FloodCase{"BoardRequest", false, 'F'}, FloodCase{"BoardReply", false, 'D'},
                    FloodCase{"Move", false, 'M'}, FloodCase{"Chat", false, 'T'},
                    FloodCase{"CallRequest", false, 'B'}),
    [](const testing::TestParamInfo<FloodCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace reversi::nettest
