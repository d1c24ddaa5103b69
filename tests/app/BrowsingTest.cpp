// Browsing the match record without a window: undo and redo across passes
// and back to the start, the jump, the return to the last position and
// continuing from an earlier one, each refused while a search runs.
#include <gtest/gtest.h>

#include <vector>

#include "Browsing.h"
#include "EngineUnit.h"
#include "RandomGame.h"

namespace reversi {
namespace {

using Outcome = TBrowsing::ContinueOutcome;

class BrowsingTest : public testing::Test {
protected:
    void SetUp() override {
        SetSideNames(game_, "Yellow", "Green");
        NewGame(game_);
        QObject::connect(&browsing, &TBrowsing::activeChanged,
                         [this](bool active) { signalled.push_back(active); });
    }

    // Plays the game's moves as the turn loop does: record, board, accounting.
    void Play(const test::RandomGame& game) {
        auto& g = Game();
        for (std::size_t i = 0; i < game.squares.size(); ++i) {
            ASSERT_EQ(g.SideToMove, game.movers[i]) << "move " << i;
            const int s = game.squares[i];
            g.Tracker->AddMove(g, s, g.SideToMove, OtherSide(g));
            g.Boards[0][static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(g.SideToMove);
            MakeMove(g, g.Boards[0], s, g.SideToMove, OtherSide(g));
            AdvanceTurn(g);
        }
    }

    GameState& Game() { return game_; }

    GameState game_;
    TBrowsing browsing;
    std::vector<bool> signalled;
};

TEST_F(BrowsingTest, UndoAndRedoAcrossPassesToTheStartAndBack) {
    const test::RandomGame game = test::RandomGameWithPass(Game().Boards[0], 8);
    ASSERT_GT(game.passes, 0) << "no random game with a pass";
    const tBoard start = Game().Boards[0];
    Play(game);
    auto& g = Game();
    ASSERT_TRUE(g.GameOver);
    const tBoard last = g.Boards[0];
    const int count = g.Tracker->count();

    // Back to the start: each step shows the position before a move with
    // the colour that made it to move; browsing is on.
    for (int i = count - 1; i >= 0; --i) {
        const auto status = browsing.Undo(Game());
        ASSERT_TRUE(status) << "undo to before move " << i + 1;
        EXPECT_EQ(g.Boards[0], g.Tracker->moves()[static_cast<std::size_t>(i)].board);
        EXPECT_EQ(g.SideToMove, game.movers[static_cast<std::size_t>(i)])
            << "before move " << i + 1;
        EXPECT_FALSE(g.GameOver);
        EXPECT_FALSE(status->gameOver);
        EXPECT_TRUE(browsing.Active());
    }
    EXPECT_EQ(g.Boards[0], start);
    EXPECT_FALSE(browsing.Undo(Game())) << "nothing before the start";
    EXPECT_EQ(g.Tracker->current(), 0);

    // Forward again: after every redo the side to move is the one that made
    // the next move, also where the other colour had to pass (the record
    // keeps no passes; the refresh corrects the side).
    for (int i = 0; i < count; ++i) {
        const auto status = browsing.Redo(Game());
        ASSERT_TRUE(status) << "redo move " << i + 1;
        if (i + 1 < count) {
            EXPECT_EQ(g.SideToMove, game.movers[static_cast<std::size_t>(i + 1)])
                << "after move " << i + 1;
            EXPECT_TRUE(browsing.Active());
        }
    }
    // The last stored move replayed: the final position, game over, not browsing.
    EXPECT_EQ(g.Boards[0], last);
    EXPECT_TRUE(g.GameOver);
    EXPECT_FALSE(browsing.Active());
    EXPECT_FALSE(browsing.Redo(Game())) << "nothing after the last move";
    EXPECT_FALSE(signalled.back());
}

TEST_F(BrowsingTest, TheFinalPositionOfAFinishedGameIsNeverBrowsed) {
    Play(test::PlayRandomGame(Game().Boards[0], 8, 3));
    ASSERT_TRUE(browsing.JumpTo(Game(), 10));
    EXPECT_TRUE(browsing.Active());
    // Stepping onto the final position through the jump's refresh: game over.
    const auto status = browsing.ReturnToLast(Game());
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->gameOver);
    EXPECT_TRUE(Game().GameOver);
    EXPECT_FALSE(browsing.Active());
}

TEST_F(BrowsingTest, JumpShowsThePositionBeforeTheMoveAndTheEndLineIsNoMove) {
    Play(test::PlayRandomGame(Game().Boards[0], 8, 5));
    auto& g = Game();
    const int count = g.Tracker->count();
    const auto status = browsing.JumpTo(Game(), 4);
    ASSERT_TRUE(status);
    EXPECT_EQ(g.Tracker->current(), 4);
    EXPECT_EQ(g.Boards[0], g.Tracker->moves()[4].board);
    EXPECT_TRUE(browsing.Active());
    EXPECT_FALSE(browsing.JumpTo(Game(), count)) << "the end line is no move";
    EXPECT_FALSE(browsing.JumpTo(Game(), -1));
    EXPECT_EQ(g.Tracker->current(), 4);
}

TEST_F(BrowsingTest, ReturnToLastReplaysEverythingAndDoesNothingWhenNotBrowsing) {
    Play(test::PlayRandomGame(Game().Boards[0], 8, 9));
    auto& g = Game();
    const tBoard last = g.Boards[0];
    EXPECT_FALSE(browsing.ReturnToLast(Game())) << "not browsing";
    for (int i = 0; i < 7; ++i) ASSERT_TRUE(browsing.Undo(Game()));
    ASSERT_TRUE(browsing.ReturnToLast(Game()));
    EXPECT_EQ(g.Boards[0], last);
    EXPECT_EQ(g.Tracker->current(), g.Tracker->count());
    EXPECT_FALSE(browsing.Active());
}

struct ContinueCase {
    const char* name;
    bool vsComputer;
    bool practice;
    bool answer;
    bool asked;
    Outcome outcome;
    bool practiceAfter;
};

TEST_F(BrowsingTest, ContinuingAsksOnlyInACountedGameAgainstTheComputer) {
    const std::vector<ContinueCase> cases{
        {"ComputerYes", true, false, true, true, Outcome::Continued, true},
        {"ComputerNo", true, false, false, true, Outcome::KeepLastPosition, false},
        {"AlreadyPractice", true, true, false, false, Outcome::Continued, true},
        {"TwoPeople", false, false, false, false, Outcome::Continued, false},
    };
    for (const ContinueCase& c : cases) {
        SetUp();
        auto& g = Game();
        g.VsComputer = c.vsComputer;
        g.PracticeGame = c.practice;
        Play(test::PlayRandomGame(g.Boards[0], 8, 11));
        const int count = g.Tracker->count();
        ASSERT_TRUE(browsing.JumpTo(Game(), 6));
        int asked = 0;
        const Outcome outcome = browsing.ContinueFromShown(Game(), [&] {
            ++asked;
            return c.answer;
        });
        EXPECT_EQ(outcome, c.outcome) << c.name;
        EXPECT_EQ(asked, c.asked ? 1 : 0) << c.name;
        EXPECT_EQ(g.PracticeGame, c.practiceAfter) << c.name;
        if (outcome == Outcome::Continued) {
            EXPECT_EQ(g.Tracker->count(), 6) << c.name << ": the later moves are dropped";
            EXPECT_FALSE(browsing.Active()) << c.name;
        } else {
            // Declined: nothing changed yet; the caller returns to the end.
            EXPECT_EQ(g.Tracker->count(), count) << c.name;
            EXPECT_TRUE(browsing.Active()) << c.name;
        }
        EXPECT_EQ(browsing.ContinueFromShown(Game(), [] { return true; }),
                  outcome == Outcome::Continued ? Outcome::NotBrowsing : Outcome::Continued)
            << c.name;
    }
}

TEST_F(BrowsingTest, NoStepWhileASearchRuns) {
    Play(test::PlayRandomGame(Game().Boards[0], 8, 13));
    auto& g = Game();
    ASSERT_TRUE(browsing.Undo(Game()));
    const tBoard shown = g.Boards[0];
    const int current = g.Tracker->current();
    g.ThreadRunning = true;
    EXPECT_FALSE(browsing.Undo(Game()));
    EXPECT_FALSE(browsing.Redo(Game()));
    EXPECT_FALSE(browsing.JumpTo(Game(), 0));
    EXPECT_FALSE(browsing.ReturnToLast(Game()));
    EXPECT_EQ(browsing.ContinueFromShown(Game(), [] { return true; }), Outcome::NotBrowsing);
    EXPECT_EQ(g.Boards[0], shown);
    EXPECT_EQ(g.Tracker->current(), current);
    EXPECT_TRUE(browsing.Active());
    g.ThreadRunning = false;
}

}  // namespace
}  // namespace reversi
