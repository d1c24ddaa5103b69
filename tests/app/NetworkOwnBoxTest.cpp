// The window's own move ends the game or makes the peer pass, and the result
// or pass box opens: a raw peer sends "R" (and asks for the board) or hangs
// up while it is open. The box stays, its text unchanged, and nothing of what
// the peer did is handled until the player closes it, but for the board
// request, which is answered at once; then it is, on the called and on the
// calling side.
#include <QMessageBox>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include "MatchRecord.h"
#include "NetTexts.h"
#include "NetworkPlayFixture.h"
#include "NetworkSession.h"
#include "WaitUntil.h"

namespace reversi::nettest {
namespace {

constexpr int LongWait = 30000;  // ms; generous for a busy machine

enum class OwnBox { Result, Pass };
enum class PeerDoes { Restart, HangUp };

struct OwnBoxCase {
    const char* name;
    bool windowCalls;  // the window placed the call, or accepted it
    OwnBox box;
    PeerDoes peer;
};

void PrintTo(const OwnBoxCase& c, std::ostream* os) { *os << c.name; }

// What the window showed while its box was up.
struct WhileOpen {
    bool arrived = false;  // what the peer did had reached the window (or changed it)
    bool boxVisible = false;
    QString boxText;
    int moves = -1;
    bool gameOver = false;
    bool networkGame = false;
    bool abandonedShown = true;
    QByteArray boardAnswer;  // the answer to the board request behind the restart
};

class OwnBoxTest : public NetworkPlayTest, public testing::WithParamInterface<OwnBoxCase> {
protected:
    // The first result or pass box of the turn loop is a real modal box with
    // the turn loop's text. While it is up the peer takes the window's move
    // and does what the case says; the box closes once the window has
    // received it (and had time to act on it wrongly), or past a deadline.
    void ArmOwnBox(PeerDoes does, std::pair<int, int> lastMove) {
        window_->messages->onFinal = [this, does, lastMove] {
            if (boxShown_) return;
            boxShown_ = true;
            QMessageBox box(QMessageBox::NoIcon, Title, window_->messages->finals.back(),
                            QMessageBox::Ok, form_);
            QTimer::singleShot(0, &box, [this, does, lastMove, &box] {
                EXPECT_EQ(peer_.Read(3), MoveBytes(lastMove.first, lastMove.second));
                peer_.Play(lastMove.first, lastMove.second);
                if (does == PeerDoes::Restart) {
                    // Answered while the box is up: by then the restart
                    // before it has been read, and kept for later.
                    peer_.Send("RF");
                    seen_.boardAnswer = peer_.Read(1 + peer_.n * peer_.n);
                } else {
                    // The board request before the hang-up is answered too.
                    peer_.Send("F");
                    seen_.boardAnswer = peer_.Read(1 + peer_.n * peer_.n);
                    peer_.socket.disconnectFromHost();
                }
                // Held back for the box, or (wrongly) handled already.
                NetworkSession& session = form_->NetSession();
                const int moves = Game().Tracker->count();
                seen_.arrived = WaitUntil(
                    [&] {
                        return session.HasPendingInput() || !Game().NetworkGame ||
                               Game().Tracker->count() != moves;
                    },
                    LongWait);
                // Whatever the window would do with it has had its chance.
                QTest::qWait(100);
                seen_.boxVisible = box.isVisible();
                seen_.boxText = box.text();
                seen_.moves = Game().Tracker->count();
                seen_.gameOver = Game().GameOver;
                seen_.networkGame = Game().NetworkGame;
                seen_.abandonedShown =
                    MessageBoxWith(*form_, QString::fromLatin1(nettext::PeerAbandoned)) != nullptr;
                box.done(QMessageBox::Ok);
            });
            QTimer::singleShot(2 * LongWait, &box, [&box] {
                ADD_FAILURE() << "the box was closed by its deadline";
                box.done(QMessageBox::Ok);
            });
            box.exec();
        };
    }

    WhileOpen seen_;
};

TEST_P(OwnBoxTest, StaysUntilClosedAndWhatThePeerDidFollows) {
    const OwnBoxCase& c = GetParam();
    Played played;
    ASSERT_NO_FATAL_FAILURE(
        PlayAllButTheLastMove(c.box == OwnBox::Result, c.windowCalls, true, played));
    const tBoard start = played.start;
    const auto last = played.last;
    const int scriptMoves = Game().Tracker->count();

    ArmOwnBox(c.peer, last);
    window_->ClickSquare(last.first, last.second);

    ASSERT_TRUE(boxShown_) << "the window's move opened no box";
    ASSERT_EQ(window_->messages->finals.size(), 1);
    const QString text = window_->messages->finals.front();
    EXPECT_EQ(text.contains(QStringLiteral("pass")), c.box == OwnBox::Pass) << text.toStdString();
    EXPECT_TRUE(seen_.arrived) << "what the peer did never reached the window";
    EXPECT_TRUE(seen_.boxVisible) << "the box went before its player closed it";
    EXPECT_EQ(seen_.boxText, text);
    EXPECT_EQ(seen_.moves, scriptMoves + 1) << "the game changed under the box";
    EXPECT_EQ(seen_.gameOver, c.box == OwnBox::Result);
    EXPECT_TRUE(seen_.networkGame) << "the link ended while the box was up";
    EXPECT_FALSE(seen_.abandonedShown) << "the hang-up was shown while the box was up";

    EXPECT_EQ(seen_.boardAnswer, "D" + peer_.Text()) << "the board request waited for the box";
    if (c.peer == PeerDoes::Restart) {
        ASSERT_TRUE(WaitUntil(
            [&] {
                return Game().Tracker->count() == 0 && !Game().GameOver &&
                       !form_->NetSession().HasPendingInput();
            },
            LongWait))
            << "the restart was not handled after the box closed";
        EXPECT_TRUE(Game().NetworkGame);
        EXPECT_EQ(Game().Boards[0], start);
        peer_.board = start;
        peer_.toMove = CellWhite;
        ExpectBoardReadBackEqualsPeers();
    } else {
        const QString abandoned = QString::fromLatin1(nettext::PeerAbandoned);
        ASSERT_TRUE(
            WaitUntil([&] { return MessageBoxWith(*form_, abandoned) != nullptr; }, LongWait))
            << "the hang-up was not heard after the box closed";
        MessageBoxWith(*form_, abandoned)->accept();
        EXPECT_TRUE(WaitUntil(
            [this] { return !Game().NetworkGame && Game().Tracker->count() == 0; }, LongWait))
            << "no local game after the hang-up";
    }
    EXPECT_EQ(window_->messages->finals.size(), 1) << "another box opened";
}

INSTANTIATE_TEST_SUITE_P(
    BothSides, OwnBoxTest,
    testing::Values(OwnBoxCase{"CalledResultRestart", false, OwnBox::Result, PeerDoes::Restart},
                    OwnBoxCase{"CalledResultHangUp", false, OwnBox::Result, PeerDoes::HangUp},
                    OwnBoxCase{"CalledPassRestart", false, OwnBox::Pass, PeerDoes::Restart},
                    OwnBoxCase{"CalledPassHangUp", false, OwnBox::Pass, PeerDoes::HangUp},
                    OwnBoxCase{"CallingResultRestart", true, OwnBox::Result, PeerDoes::Restart},
                    OwnBoxCase{"CallingResultHangUp", true, OwnBox::Result, PeerDoes::HangUp},
                    OwnBoxCase{"CallingPassRestart", true, OwnBox::Pass, PeerDoes::Restart},
                    OwnBoxCase{"CallingPassHangUp", true, OwnBox::Pass, PeerDoes::HangUp}),
    [](const testing::TestParamInfo<OwnBoxCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace reversi::nettest
