#include <gtest/gtest.h>

#include "EngineUnit.h"

using namespace reversi;

TEST(GameStateTest, InitialValues) {
    const GameState g;
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
    EXPECT_FALSE(g.ThreadRunning);
    EXPECT_EQ(g.SearchThread, nullptr);
    // An empty record for 8 x 8, without a list or names; no routines yet.
    ASSERT_NE(g.Tracker, nullptr);
    EXPECT_EQ(g.Tracker->count(), 0);
    EXPECT_EQ(g.Tracker->current(), 0);
    EXPECT_EQ(g.Tracker->boardsize(), 8);
    EXPECT_EQ(g.Tracker->MoveList(), nullptr);
    EXPECT_TRUE(g.Tracker->SideName(CellWhite).empty());
    EXPECT_TRUE(g.Tracker->SideName(CellBlack).empty());
    EXPECT_EQ(g.Routines.InitBoards, nullptr);
    EXPECT_EQ(g.Routines.CanMove, nullptr);
    EXPECT_EQ(g.Routines.MakeMove, nullptr);
}

TEST(GameStateTest, NewGameResetsThePlayButKeepsTheSettings) {
    GameState g;
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
    SetSideNames(g, "Yellow", "Green");
    NewGame(g);
    EXPECT_FALSE(g.GameOver);
    EXPECT_EQ(g.SideToMove, 2);
    EXPECT_TRUE(g.FirstMove);
    EXPECT_FALSE(g.PracticeGame);
    ASSERT_NE(g.Tracker, nullptr);
    EXPECT_EQ(g.Tracker->count(), 0);
    EXPECT_EQ(g.Tracker->boardsize(), 10);
    EXPECT_EQ(g.Tracker->SideName(CellWhite), "Yellow");
    EXPECT_EQ(g.Tracker->SideName(CellBlack), "Green");
    EXPECT_EQ(g.BoardSize, 10);
    EXPECT_EQ(g.ComputerSide, 3);
    EXPECT_TRUE(g.VsComputer);
    EXPECT_EQ(g.Depth, 7);
    EXPECT_TRUE(g.BabyLevel);
    EXPECT_TRUE(g.AdvancedEngine);
    EXPECT_EQ(g.Routines.CanMove, &CanMove10);
}

TEST(GameStateTest, OtherSideAndPlayersTurn) {
    GameState g;
    struct Case {
        int side, other;
    };
    for (const auto& c : {Case{2, 3}, Case{3, 2}, Case{0, 3}, Case{7, 3}}) {
        g.SideToMove = c.side;
        EXPECT_EQ(OtherSide(g), c.other) << c.side;
    }
    g.ComputerSide = 3;
    g.SideToMove = 3;
    EXPECT_TRUE(IsPlayersTurn(g));
    g.SideToMove = 2;
    EXPECT_FALSE(IsPlayersTurn(g));
}

TEST(GameStateTest, SideNamesAreCopies) {
    GameState g;
    SetSideNames(g, "Yellow", "Green");
    std::string w = g.Tracker->SideName(CellWhite);
    w += "x";
    EXPECT_EQ(g.Tracker->SideName(CellWhite), "Yellow");
    EXPECT_EQ(g.Tracker->SideName(CellBlack), "Green");
}

TEST(GameStateTest, TwoGamesShareNoPositionRecordOrFlags) {
    GameState a;
    GameState b;
    a.BoardSize = 8;
    b.BoardSize = 10;
    NewGame(a);
    NewGame(b);
    SetSideNames(a, "Yellow", "Green");
    SetSideNames(b, "Red", "Blue");
    const tBoard startB = b.Boards[0];

    // A move played and recorded in one game, and its flags changed.
    const int e6 = 53;
    ASSERT_TRUE(CanMove(a, a.Boards[0], e6, CellWhite, CellBlack));
    a.Tracker->AddMove(a, e6, CellWhite, CellBlack);
    MakeMove(a, a.Boards[0], e6, CellWhite, CellBlack);
    a.SideToMove = CellBlack;
    a.GameOver = true;
    a.PracticeGame = true;
    a.Depth = 6;

    EXPECT_FALSE(a.FirstMove);
    EXPECT_EQ(a.Tracker->count(), 1);
    EXPECT_EQ(a.Boards[0][e6], CellWhite);
    // The other game is as it was.
    EXPECT_EQ(b.Boards[0], startB);
    EXPECT_EQ(b.SideToMove, CellWhite);
    EXPECT_TRUE(b.FirstMove);
    EXPECT_FALSE(b.GameOver);
    EXPECT_FALSE(b.PracticeGame);
    EXPECT_EQ(b.Depth, 1);
    EXPECT_NE(a.Tracker.get(), b.Tracker.get());
    EXPECT_EQ(b.Tracker->count(), 0);
    EXPECT_EQ(b.Tracker->boardsize(), 10);
    EXPECT_EQ(b.Tracker->SideName(CellWhite), "Red");
    EXPECT_EQ(a.Tracker->SideName(CellWhite), "Yellow");
    EXPECT_EQ(b.Routines.CanMove, &CanMove10);
    EXPECT_EQ(a.Routines.CanMove, &CanMove8);
}
