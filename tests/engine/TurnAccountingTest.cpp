// The turn accounting on positions drawn as text: passes, the end of the
// game, ties and the result for the player, on both field sizes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Board.h"
#include "GameState.h"
#include "TurnAccounting.h"

namespace reversi {
namespace {

// Rows from the top, "W" white, "B" black, "." empty.
tBoard BoardFromRows(const std::vector<std::string>& rows) {
    const int n = static_cast<int>(rows.size());
    tBoard b{};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            b[static_cast<std::size_t>(SquareIndex(x, y, n))] = c == 'W'   ? CellWhite
                                                                : c == 'B' ? CellBlack
                                                                           : CellEmpty;
        }
    return b;
}

struct TurnCase {
    const char* name;
    std::vector<std::string> rows;
    Side justMoved;
    TurnEvent event;
    Side toMove;
    GameMessageKind message;
    int first, second;
};

class AccountTurnTable : public ::testing::TestWithParam<TurnCase> {};

TEST_P(AccountTurnTable, GivesTheOutcome) {
    const TurnCase& c = GetParam();
    const int n = static_cast<int>(c.rows.size());
    const TurnOutcome out = AccountTurn(BoardFromRows(c.rows), n, c.justMoved);
    EXPECT_EQ(out.event, c.event);
    EXPECT_EQ(out.toMove, c.toMove);
    if (out.event != TurnEvent::NextSide) {
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(out.first, c.first);
        EXPECT_EQ(out.second, c.second);
    }
}

const std::vector<std::string> kStart8{"........", "........", "........", "...WB...",
                                       "...BW...", "........", "........", "........"};

INSTANTIATE_TEST_SUITE_P(
    Positions, AccountTurnTable,
    ::testing::Values(
        TurnCase{"StartWhiteMoved", kStart8, Side::White, TurnEvent::NextSide, Side::Black,
                 GameMessageKind::Tie, 0, 0},
        // Black has no square next to a white disc it could capture: white
        // moves again, and the message says black must pass.
        TurnCase{"BlackMustPass",
                 {"WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW",
                  "WWWWWWB.", "WWWWWWW."},
                 Side::White,
                 TurnEvent::Pass,
                 Side::White,
                 GameMessageKind::BlackPasses,
                 0,
                 0},
        TurnCase{"WhiteMustPass",
                 {"BBBBBBBB", "BBBBBBBB", "BBBBBBBB", "BBBBBBBB", "BBBBBBBB", "BBBBBBBB",
                  "BBBBBBW.", "BBBBBBB."},
                 Side::Black,
                 TurnEvent::Pass,
                 Side::Black,
                 GameMessageKind::WhitePasses,
                 0,
                 0},
        TurnCase{"FullBoardWhiteWins",
                 {"WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW",
                  "BBBBBBBB", "BBBBBBBB"},
                 Side::Black,
                 TurnEvent::GameOver,
                 Side::White,
                 GameMessageKind::WhiteWins,
                 48,
                 16},
        TurnCase{"NoMovesLeftBlackWins",
                 {"B.......", "........", "........", "........", "........", "........",
                  "........", "........"},
                 Side::Black,
                 TurnEvent::GameOver,
                 Side::White,
                 GameMessageKind::BlackWins,
                 1,
                 0},
        TurnCase{"Tie",
                 {"WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "BBBBBBBB", "BBBBBBBB",
                  "BBBBBBBB", "BBBBBBBB"},
                 Side::White,
                 TurnEvent::GameOver,
                 Side::Black,
                 GameMessageKind::Tie,
                 0,
                 0},
        TurnCase{"TenByTenBlackMustPass",
                 {"WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW",
                  "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWB.", "WWWWWWWWW."},
                 Side::White,
                 TurnEvent::Pass,
                 Side::White,
                 GameMessageKind::BlackPasses,
                 0,
                 0},
        TurnCase{"TenByTenGameOver",
                 {"WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW", "WWWWWWWWWW",
                  "WWWWWWWWWW", "BBBBBBBBBB", "BBBBBBBBBB", "BBBBBBBBBB", "BBBBBBBBBB"},
                 Side::White,
                 TurnEvent::GameOver,
                 Side::Black,
                 GameMessageKind::WhiteWins,
                 60,
                 40}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(TurnAccounting, CountsDiscsAndMobilityOfTheStart) {
    const PositionCounts c = CountPosition(BoardFromRows(kStart8), 8);
    EXPECT_EQ(c, (PositionCounts{2, 2, true, true}));
}

TEST(TurnAccounting, ResultForThePlayerSeesTheComputersColour) {
    const PositionCounts whiteAhead{40, 24, false, false};
    EXPECT_EQ(ResultForPlayer(whiteAhead, Side::White), PlayerResult::ComputerWon);
    EXPECT_EQ(ResultForPlayer(whiteAhead, Side::Black), PlayerResult::PlayerWon);
    EXPECT_EQ(ResultForPlayer(PositionCounts{32, 32, false, false}, Side::Black),
              PlayerResult::Tie);
}

TEST(TurnAccounting, OnlyFinishedNonPracticeGamesAgainstTheComputerCount) {
    GameState g;
    g.GameOver = true;
    g.VsComputer = true;
    g.ComputerSide = CellWhite;
    const PositionCounts blackAhead{24, 40, false, false};
    const PositionCounts whiteAhead{40, 24, false, false};
    EXPECT_EQ(CountedResult(g, blackAhead), PlayerResult::PlayerWon);
    EXPECT_EQ(CountedResult(g, whiteAhead), PlayerResult::ComputerWon);
    g.ComputerSide = CellBlack;
    EXPECT_EQ(CountedResult(g, whiteAhead), PlayerResult::PlayerWon);
    EXPECT_EQ(CountedResult(g, PositionCounts{30, 30, false, false}), PlayerResult::Tie);
    g.PracticeGame = true;
    EXPECT_EQ(CountedResult(g, whiteAhead), std::nullopt);
    g.PracticeGame = false;
    g.NetworkGame = true;
    EXPECT_EQ(CountedResult(g, whiteAhead), std::nullopt);
    g.NetworkGame = false;
    g.VsComputer = false;
    EXPECT_EQ(CountedResult(g, whiteAhead), std::nullopt);
    g.VsComputer = true;
    g.GameOver = false;
    EXPECT_EQ(CountedResult(g, whiteAhead), std::nullopt);
}

TEST(TurnAccounting, AdvanceTurnAppliesThePassAndTheEnd) {
    GameState g;
    g.BoardSize = 8;
    g.Boards[0] = BoardFromRows({"WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW",
                                 "WWWWWWWW", "WWWWWWB.", "WWWWWWW."});
    g.SideToMove = CellWhite;
    EXPECT_EQ(AdvanceTurn(g).event, TurnEvent::Pass);
    EXPECT_EQ(g.SideToMove, CellWhite);
    EXPECT_FALSE(g.GameOver);

    g.Boards[0] = BoardFromRows({"WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW",
                                 "WWWWWWWW", "WWWWWWWW", "WWWWWWWW"});
    EXPECT_EQ(AdvanceTurn(g).event, TurnEvent::GameOver);
    EXPECT_TRUE(g.GameOver);
}

TEST(TurnAccounting, DescribePositionChangesNothingAndSeesTheEnd) {
    const PositionStatus start = DescribePosition(BoardFromRows(kStart8), 8);
    EXPECT_FALSE(start.gameOver);
    const PositionStatus over =
        DescribePosition(BoardFromRows({"B.......", "........", "........", "........", "........",
                                        "........", "........", "........"}),
                         8);
    EXPECT_TRUE(over.gameOver);
}

// A position reached by stepping through the record: the side to move is
// corrected when it has no square, and the end is seen (GameOver set or cleared).
struct SettleCase {
    const char* name;
    std::vector<std::string> rows;
    int sideBefore;
    bool gameOverBefore;
    int sideAfter;
    bool gameOverAfter;
};

TEST(TurnAccounting, SettleShownPositionCorrectsPassesAndSeesTheEnd) {
    const std::vector<std::string> blackCannotMove{"WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW",
                                                   "WWWWWWWW", "WWWWWWWW", "WWWWWWB.", "WWWWWWW."};
    const std::vector<std::string> whiteCannotMove{"BBBBBBBB", "BBBBBBBB", "BBBBBBBB", "BBBBBBBB",
                                                   "BBBBBBBB", "BBBBBBBB", "BBBBBBW.", "BBBBBBB."};
    const std::vector<std::string> full(8, "WWWWWWWW");
    const std::vector<SettleCase> cases{
        {"StartWhiteStays", kStart8, CellWhite, true, CellWhite, false},
        {"StartBlackStays", kStart8, CellBlack, false, CellBlack, false},
        {"BlackPassesToWhite", blackCannotMove, CellBlack, false, CellWhite, false},
        {"WhiteKeepsTheMove", blackCannotMove, CellWhite, false, CellWhite, false},
        {"WhitePassesToBlack", whiteCannotMove, CellWhite, false, CellBlack, false},
        {"FinalPositionIsOver", full, CellBlack, false, CellBlack, true},
    };
    for (const SettleCase& c : cases) {
        GameState g;
        g.BoardSize = 8;
        g.Boards[0] = BoardFromRows(c.rows);
        g.SideToMove = c.sideBefore;
        g.GameOver = c.gameOverBefore;
        const PositionStatus s = SettleShownPosition(g);
        EXPECT_EQ(g.SideToMove, c.sideAfter) << c.name;
        EXPECT_EQ(g.GameOver, c.gameOverAfter) << c.name;
        EXPECT_EQ(s.gameOver, c.gameOverAfter) << c.name;
        EXPECT_EQ(s.counts, CountPosition(g.Boards[0], 8)) << c.name;
    }
}

TEST(TurnAccounting, LegalSquareMarksOfTheStart) {
    const tBoard marks = LegalSquareMarks(BoardFromRows(kStart8), 8, Side::White);
    std::vector<std::string> names;
    for (int sq = 0; sq < 144; ++sq)
        if (marks[static_cast<std::size_t>(sq)] != 0) names.push_back(SquareName(sq, 8));
    // White at D5 and E4 (rows counted from the bottom) captures towards the
    // black discs at E5 and D4.
    EXPECT_EQ(names.size(), 4U);
}

}  // namespace
}  // namespace reversi
