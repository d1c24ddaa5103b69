#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "EngineUnit.h"
#include "RulesCore.h"

using namespace reversi;

namespace {

// Each test plays on a game of its own.
struct EngineFixture : ::testing::Test {
    GameState game_;
};

// Legal squares of `me` found by the game's bound routine, in index order.
std::vector<int> LegalSquares(const GameState& game, const tBoard& b, int me) {
    std::vector<int> out;
    for (int sq = 0; sq < 144; ++sq)
        if (IsPlayingSquare(sq, game.BoardSize) && CanMove(game, b, sq, me, 5 - me))
            out.push_back(sq);
    return out;
}

// A board of size n with empty playing squares only.
tBoard EmptyBoard(int n) {
    tBoard b{};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) b[SquareIndex(x, y, n)] = CellEmpty;
    return b;
}

}  // namespace

TEST(Squares, CornerIndicesAndNames) {
    struct Case {
        int n, x, y, index;
        const char* name;
    };
    const Case cases[] = {
        {8, 0, 0, 11, "A8"},   {8, 0, 7, 18, "A1"},  {8, 7, 0, 81, "H8"},    {8, 7, 7, 88, "H1"},
        {10, 0, 0, 13, "A10"}, {10, 0, 9, 22, "A1"}, {10, 9, 0, 121, "J10"}, {10, 9, 9, 130, "J1"},
        {8, 3, 4, 45, "D4"},   {10, 4, 5, 66, "E5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SquareIndex(c.x, c.y, c.n), c.index);
        EXPECT_EQ(SquareName(c.index, c.n), c.name);
        EXPECT_EQ(SquareColumn(c.index, c.n), c.x);
        EXPECT_EQ(SquareRow(c.index, c.n), c.y);
    }
}

TEST(Squares, EveryStepFromAPlayingSquareStaysInTheArray) {
    for (int n : {8, 10}) {
        const auto& dirs = n == 8 ? Dirs8 : Dirs10;
        int playing = 0;
        for (int sq = 0; sq < 144; ++sq) {
            if (!IsPlayingSquare(sq, n)) continue;
            ++playing;
            for (int d : dirs) {
                EXPECT_GE(sq + d, 0);
                EXPECT_LE(sq + d, 143);
            }
        }
        EXPECT_EQ(playing, n * n);
    }
}

TEST_F(EngineFixture, StartPositionsAndBorders) {
    for (int n : {8, 10}) {
        game_.BoardSize = n;
        NewGame(game_);
        const auto& boards = game_.Boards;
        for (int i = 0; i <= 8; ++i) EXPECT_EQ(boards[i], boards[0]) << "board " << i;
        for (int i = 9; i <= 10; ++i)
            EXPECT_TRUE(
                std::all_of(boards[i].begin(), boards[i].end(), [](auto c) { return c == 0; }));
        int white = 0, black = 0, empty = 0;
        for (int sq = 0; sq < 144; ++sq) {
            const auto c = boards[0][sq];
            if (!IsPlayingSquare(sq, n)) {
                EXPECT_EQ(c, CellOutside) << sq;
                continue;
            }
            white += c == CellWhite;
            black += c == CellBlack;
            empty += c == CellEmpty;
        }
        EXPECT_EQ(white, 2);
        EXPECT_EQ(black, 2);
        EXPECT_EQ(empty, n * n - 4);
    }
    // The start squares by index: white on the first two, black on the others.
    const struct {
        int n;
        std::array<int, 4> squares;
    } starts[] = {{8, {44, 55, 45, 54}}, {10, {65, 78, 66, 77}}};
    for (const auto& start : starts) {
        game_.BoardSize = start.n;
        NewGame(game_);
        EXPECT_EQ(game_.Boards[0][start.squares[0]], CellWhite) << start.n;
        EXPECT_EQ(game_.Boards[0][start.squares[1]], CellWhite) << start.n;
        EXPECT_EQ(game_.Boards[0][start.squares[2]], CellBlack) << start.n;
        EXPECT_EQ(game_.Boards[0][start.squares[3]], CellBlack) << start.n;
    }
}

TEST_F(EngineFixture, LegalSquaresAndFirstFlipAtTheStart) {
    struct Case {
        int n;
        std::vector<int> legal;
        int move, flipped;
    };
    const Case cases[] = {
        {8, {35, 46, 53, 64}, 53, 54},
        {10, {54, 67, 76, 89}, 54, 66},
    };
    for (const auto& c : cases) {
        game_.BoardSize = c.n;
        NewGame(game_);
        auto& b = game_.Boards[0];
        EXPECT_EQ(LegalSquares(game_, b, CellWhite), c.legal);
        MakeMove(game_, b, c.move, CellWhite, CellBlack);
        EXPECT_EQ(b[c.move], CellWhite);
        EXPECT_EQ(b[c.flipped], CellWhite);
        EXPECT_FALSE(game_.FirstMove);
    }
}

TEST_F(EngineFixture, CanMoveRefusesOccupiedIsolatedAndUnclosedRuns) {
    for (int n : {8, 10}) {
        game_.BoardSize = n;
        SelectEngine(game_);
        tBoard b = EmptyBoard(n);
        const int s = SquareIndex(0, 2, n);  // on the left edge
        // Occupied square.
        b[s] = CellBlack;
        EXPECT_FALSE(CanMove(game_, b, s, CellWhite, CellBlack));
        // Neighbours without opp discs.
        b = EmptyBoard(n);
        b[SquareIndex(3, 3, n)] = CellWhite;
        EXPECT_FALSE(CanMove(game_, b, SquareIndex(2, 2, n), CellWhite, CellBlack));
        // A run ending on an empty square.
        b = EmptyBoard(n);
        b[SquareIndex(1, 0, n)] = CellBlack;
        b[SquareIndex(2, 0, n)] = CellBlack;
        EXPECT_FALSE(CanMove(game_, b, SquareIndex(0, 0, n), CellWhite, CellBlack));
        // A run ending on the border.
        for (int x = 1; x < n; ++x) b[SquareIndex(x, 0, n)] = CellBlack;
        EXPECT_FALSE(CanMove(game_, b, SquareIndex(0, 0, n), CellWhite, CellBlack));
        // Closing the run makes the move legal.
        b[SquareIndex(n - 1, 0, n)] = CellWhite;
        EXPECT_TRUE(CanMove(game_, b, SquareIndex(0, 0, n), CellWhite, CellBlack));
    }
}

TEST_F(EngineFixture, MakeMoveTurnsEveryClosedRunAndOnlyThose) {
    for (int n : {8, 10}) {
        game_.BoardSize = n;
        SelectEngine(game_);
        tBoard b = EmptyBoard(n);
        const int cx = 4, cy = 4;
        auto at = [n](int x, int y) { return SquareIndex(x, y, n); };
        // Closed runs: left (2 discs), up (1), down-right diagonal (2), up-right diagonal (1).
        b[at(2, 4)] = CellBlack;
        b[at(3, 4)] = CellBlack;
        b[at(1, 4)] = CellWhite;
        b[at(4, 3)] = CellBlack;
        b[at(4, 2)] = CellWhite;
        b[at(5, 5)] = CellBlack;
        b[at(6, 6)] = CellBlack;
        b[at(7, 7)] = CellWhite;
        b[at(5, 3)] = CellBlack;
        b[at(6, 2)] = CellWhite;
        // Open runs: right ends on empty, down ends on the border.
        b[at(5, 4)] = CellBlack;
        b[at(6, 4)] = CellBlack;
        for (int y = cy + 1; y < n; ++y) b[at(4, y)] = CellBlack;
        tBoard expected = b;
        for (int s : {at(2, 4), at(3, 4), at(4, 3), at(5, 5), at(6, 6), at(5, 3), at(4, 4)})
            expected[s] = CellWhite;
        MakeMove(game_, b, at(cx, cy), CellWhite, CellBlack);
        EXPECT_EQ(b, expected) << "field " << n;
    }
}

TEST_F(EngineFixture, MakeMoveOnIllegalSquarePlacesTheDiscOnly) {
    SelectEngine(game_);
    tBoard b = EmptyBoard(8);
    b[SquareIndex(2, 2, 8)] = CellBlack;
    tBoard expected = b;
    expected[SquareIndex(3, 3, 8)] = CellWhite;
    MakeMove(game_, b, SquareIndex(3, 3, 8), CellWhite, CellBlack);
    EXPECT_EQ(b, expected);
}

TEST_F(EngineFixture, PassMoveChangesNothing) {
    for (int n : {8, 10}) {
        game_.BoardSize = n;
        NewGame(game_);
        const tBoard before = game_.Boards[0];
        MakeMove(game_, game_.Boards[0], PassMove, CellWhite, CellBlack);
        EXPECT_EQ(game_.Boards[0], before);
        EXPECT_TRUE(game_.FirstMove);
    }
}

TEST_F(EngineFixture, FinalScores) {
    struct Case {
        int me, opp;
        int normal, baby;
    };
    const Case cases[] = {{40, 24, 32016, 31984}, {24, 40, -32016, 32016}, {32, 32, 0, 32000}};
    for (const auto& c : cases) {
        for (int n : {8, 10}) {
            tBoard b = EmptyBoard(n);
            int placed = 0;
            for (int sq = 0; sq < 144; ++sq) {
                if (!IsPlayingSquare(sq, n)) continue;
                if (placed < c.me)
                    b[sq] = CellWhite;
                else if (placed < c.me + c.opp)
                    b[sq] = CellBlack;
                ++placed;
            }
            auto score = n == 8 ? FinalScore8 : FinalScore10;
            EXPECT_EQ(score(b, CellWhite, CellBlack, false), c.normal) << n;
            EXPECT_EQ(score(b, CellWhite, CellBlack, true), c.baby) << n;
        }
    }
}

TEST_F(EngineFixture, RoutineSetFollowsTheFieldSize) {
    struct Case {
        int size;
        bool eight;
    };
    for (const auto& c : {Case{8, true}, Case{10, false}, Case{9, false}, Case{0, false}}) {
        game_.BoardSize = c.size;
        SelectEngine(game_);
        const auto& r = game_.Routines;
        EXPECT_EQ(r.InitBoards, c.eight ? &InitBoards8 : &InitBoards10) << c.size;
        EXPECT_EQ(r.CanMove, c.eight ? &CanMove8 : &CanMove10) << c.size;
        EXPECT_EQ(r.MakeMove, c.eight ? &MakeMove8 : &MakeMove10) << c.size;
    }
}
