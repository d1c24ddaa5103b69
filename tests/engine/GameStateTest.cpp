#include <gtest/gtest.h>

#include "EngineUnit.h"

using namespace reversi;

namespace {
struct GameStateTest : ::testing::Test {
    void SetUp() override { ResetGameState(); }
    void TearDown() override { ResetGameState(); }
};
}  // namespace

TEST_F(GameStateTest, InitialValues) {
    const auto& g = Game();
    EXPECT_FALSE(g.GameOver);
    EXPECT_EQ(g.SideToMove, 0);
    EXPECT_EQ(g.ComputerSide, 0);
    EXPECT_FALSE(g.VsComputer);
    EXPECT_FALSE(g.NetworkGame);
    EXPECT_TRUE(g.FirstMove);
    EXPECT_FALSE(g.PracticeGame);
    EXPECT_EQ(g.Depth, 1);
    EXPECT_FALSE(g.BabyLevel);
    EXPECT_FALSE(g.AdvancedEngine);
    EXPECT_EQ(g.BoardSize, 8);
    EXPECT_EQ(g.GameTitle, "Zorel Reversi 4.00");
    EXPECT_TRUE(g.WhiteName.empty());
    EXPECT_FALSE(g.ThreadRunning);
}

TEST_F(GameStateTest, NewGameResetsThePlayButKeepsTheSettings) {
    auto& g = Game();
    g.BoardSize = 10;
    g.ComputerSide = 3;
    g.VsComputer = true;
    g.Depth = 7;
    g.BabyLevel = true;
    g.AdvancedEngine = true;
    g.GameOver = true;
    g.SideToMove = 3;
    g.FirstMove = false;
    g.PracticeGame = true;
    NewGame();
    EXPECT_FALSE(g.GameOver);
    EXPECT_EQ(g.SideToMove, 2);
    EXPECT_TRUE(g.FirstMove);
    EXPECT_FALSE(g.PracticeGame);
    ASSERT_NE(g.Tracker, nullptr);
    EXPECT_EQ(g.Tracker->count(), 0);
    EXPECT_EQ(g.BoardSize, 10);
    EXPECT_EQ(g.ComputerSide, 3);
    EXPECT_TRUE(g.VsComputer);
    EXPECT_EQ(g.Depth, 7);
    EXPECT_TRUE(g.BabyLevel);
    EXPECT_TRUE(g.AdvancedEngine);
    EXPECT_EQ(g.Routines.CanMove, &CanMove10);
}

TEST_F(GameStateTest, OtherSideAndPlayersTurn) {
    struct Case {
        int side, other;
    };
    for (const auto& c : {Case{2, 3}, Case{3, 2}, Case{0, 3}, Case{7, 3}}) {
        Game().SideToMove = c.side;
        EXPECT_EQ(OtherSide(), c.other) << c.side;
    }
    Game().ComputerSide = 3;
    Game().SideToMove = 3;
    EXPECT_TRUE(IsPlayersTurn());
    Game().SideToMove = 2;
    EXPECT_FALSE(IsPlayersTurn());
}

TEST_F(GameStateTest, SideNamesAreCopies) {
    SetSideNames("Yellow", "Green");
    std::string w = GetWhiteName();
    w += "x";
    EXPECT_EQ(GetWhiteName(), "Yellow");
    EXPECT_EQ(GetBlackName(), "Green");
}
