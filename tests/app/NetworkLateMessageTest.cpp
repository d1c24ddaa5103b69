// A raw peer sends one more message (a move, a chat line, a board request,
// a restart) or hangs up while the window shows the pass or result box that
// its turn loop opened in handling the peer's previous move. A chat line or
// a board request, which leave the game alone, are handled while the box is
// up; a move, a restart or the hang-up as soon as it closes. Nothing more is
// sent, on the called and on the calling side.
#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ChatDialog.h"
#include "MatchRecord.h"
#include "NetTexts.h"
#include "NetworkPlayFixture.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi::nettest {
namespace {

// What the peer sends while the window shows the box that its turn loop
// opened after the peer's previous move.
enum class LateKind { Move, Chat, BoardRequest, HangUp, Restart };

struct LateCase {
    const char* name;
    bool windowCalls;  // the window placed the call, or accepted it
    LateKind kind;
};

void PrintTo(const LateCase& c, std::ostream* os) { *os << c.name; }

class LateMessageTest : public NetworkPlayTest, public testing::WithParamInterface<LateCase> {
protected:
    // Seen while the box was up, its hold on the peer's input alive.
    bool chatWhileHeld_ = false;
    QByteArray answerWhileHeld_;
};

TEST_P(LateMessageTest, IsHandledWhileTheBoxIsUpOrOnceItClosesWithNothingMoreSent) {
    const LateCase& c = GetParam();
    const QString lateLine = QStringLiteral(">>late line");
    // The peer's last move opens the window's box: the pass, or for a
    // restart the result of a whole game, inside the handling of that move.
    Played played;
    ASSERT_NO_FATAL_FAILURE(
        PlayAllButTheLastMove(c.kind == LateKind::Restart, c.windowCalls, false, played));
    const tBoard start = played.start;
    const auto last = played.last;
    const int before = Game().Tracker->count();

    switch (c.kind) {
        case LateKind::Move:
            ArmModalBox(MoveBytes(AfterThePass.first, AfterThePass.second));
            break;
        case LateKind::Chat:
            ArmModalBox("Tlate line", [this, lateLine] {
                chatWhileHeld_ =
                    WaitUntil([&] {
                        return Child<TSendDlg>(*form_, "SendDlg")->LogLines().contains(lateLine);
                    }) &&
                    form_->NetSession().IsInputHeld();
            });
            break;
        case LateKind::BoardRequest:
            ArmModalBox("F", [this] {
                answerWhileHeld_ = peer_.Read(65);
                if (!form_->NetSession().IsInputHeld()) answerWhileHeld_.clear();
            });
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
            EXPECT_TRUE(chatWhileHeld_) << "the chat line sent while the box was up waited for it";
            EXPECT_TRUE(Child<TSendDlg>(*form_, "SendDlg")->LogLines().contains(lateLine));
            ExpectBoardReadBackEqualsPeers();
            break;
        case LateKind::BoardRequest:
            EXPECT_EQ(answerWhileHeld_, "D" + peer_.Text())
                << "the board request sent while the box was up waited for it";
            ExpectBoardReadBackEqualsPeers();
            break;
        case LateKind::HangUp: {
            const QString abandoned = QString::fromLatin1(nettext::PeerAbandoned);
            ASSERT_TRUE(WaitUntil([&] { return MessageBoxWith(*form_, abandoned) != nullptr; }))
                << "the hang-up was not heard";
            MessageBoxWith(*form_, abandoned)->accept();
            EXPECT_TRUE(WaitUntil([this] {
                return !Game().NetworkGame && Game().Tracker->count() == 0;
            })) << "no local game after the hang-up";
            break;
        }
        case LateKind::Restart:
            ASSERT_TRUE(WaitUntil([this] {
                return Game().Tracker->count() == 0 && !Game().GameOver;
            })) << "the restart sent while the result box was up waits unread";
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
}  // namespace reversi::nettest
