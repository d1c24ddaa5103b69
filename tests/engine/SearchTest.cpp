// The evaluation and the search: tables, the corner rule, the levels and
// engines on known positions, passes, and the alpha-beta search against a
// plain minimax search with the same leaves.
#include <gtest/gtest.h>

#include "SearchInputs.h"

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <random>
#include <set>
#include <string>

#include "EngineUnit.h"
#include "BoardBits.h"
#include "RandomPositions.h"
#include "RulesCore.h"

using namespace reversi;

namespace {

// Deep searches are slow in the sanitizer build; there the deepest cases are left out.
#if defined(__SANITIZE_ADDRESS__)
constexpr int MaxTestDepth = 6;
#else
constexpr int MaxTestDepth = 9;
#endif

tBoard EmptyBoard(int n) {
    tBoard b{};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) b[SquareIndex(x, y, n)] = CellEmpty;
    return b;
}

using test::Input;

// A board from its text: column by column from column A, each column from
// the top row down, "w", "b", "+".
tBoard FromText(const std::string& text, int n) {
    tBoard b{};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const char c = text.at(static_cast<std::size_t>(x * n + y));
            b[SquareIndex(x, y, n)] = c == 'w' ? CellWhite : c == 'b' ? CellBlack : CellEmpty;
        }
    return b;
}

// The 8 x 8 start position after white's E6 (53): black to move.
tBoard AfterE6() {
    tBoard b = rules::StartBoard<8>();
    rules::PlaceAndFlip<8>(b, 53, CellWhite, CellBlack);
    return b;
}

}  // namespace

TEST(MoveOrder, ListsEverySquareOnceWithTheCentreLast) {
    auto check = [](const auto& order, int n, std::set<int> centre) {
        std::set<int> seen(order.begin(), order.end());
        EXPECT_EQ(seen.size(), order.size());
        for (int s : order) {
            EXPECT_TRUE(IsPlayingSquare(s, n)) << s;
        }
        EXPECT_EQ(std::set<int>(order.end() - 4, order.end()), centre);
    };
    check(MoveOrder8, 8, {44, 45, 54, 55});
    check(MoveOrder10, 10, {65, 66, 77, 78});
    EXPECT_EQ(MoveOrder8[0], 11);
    EXPECT_EQ(MoveOrder8[59], 77);
    EXPECT_EQ(MoveOrder10[4], 15);
    EXPECT_EQ(MoveOrder10[95], 117);
}

TEST(WeightTables, BordersAreZeroAndTheFieldMatchesItsRows) {
    auto weight = [](const auto& table, int n, const char* name) {
        const int x = name[0] - 'A', row = std::atoi(name + 1);
        return table[SquareIndex(x, n - row, n) - (n == 8 ? 11 : 13)];
    };
    for (int i = 0; i < 78; ++i) {
        if (!IsPlayingSquare(i + 11, 8)) {
            EXPECT_EQ(Weights8[i] | CornerWeights8[i], 0) << i;
        }
    }
    for (int i = 0; i < 118; ++i) {
        if (!IsPlayingSquare(i + 13, 10)) {
            EXPECT_EQ(Weights10[i] | CornerWeights10[i], 0) << i;
        }
    }
    EXPECT_EQ(weight(Weights8, 8, "A8"), 99);
    EXPECT_EQ(weight(Weights8, 8, "B7"), -24);
    EXPECT_EQ(weight(Weights8, 8, "C6"), 7);
    EXPECT_EQ(weight(CornerWeights8, 8, "B5"), 1);
    EXPECT_EQ(weight(Weights10, 10, "D10"), 7);
    EXPECT_EQ(weight(Weights10, 10, "B6"), -2);
    // The 10 x 10 corner table is not symmetric between rows 9 and 2.
    EXPECT_EQ(weight(CornerWeights10, 10, "D9"), -2);
    EXPECT_EQ(weight(CornerWeights10, 10, "E9"), -1);
    EXPECT_EQ(weight(CornerWeights10, 10, "D2"), -3);
    EXPECT_EQ(weight(CornerWeights10, 10, "F2"), -2);
    EXPECT_EQ(weight(CornerWeights10, 10, "E5"), 1);
}

TEST(Evaluate, RepliesToE6ForEachEngine) {
    struct Case {
        int square, normal, advanced;
    };
    for (const auto& c : {Case{63, 3, 8}, Case{43, 0, 5}, Case{65, 0, 4}}) {
        tBoard b = AfterE6();
        rules::PlaceAndFlip<8>(b, c.square, CellBlack, CellWhite);
        EvalState state;
        EXPECT_EQ(Evaluate8(state, b, CellBlack, CellWhite), c.normal) << c.square;
        state.BabyLevel = true;
        EXPECT_EQ(Evaluate8(state, b, CellBlack, CellWhite), WinScore - c.normal) << c.square;
        state.AdvancedEngine = true;
        state.BabyLevel = false;
        EXPECT_EQ(Evaluate8(state, b, CellBlack, CellWhite), c.advanced) << c.square;
    }
}

TEST(Evaluate, OpponentWithoutDiscsIsAWin) {
    for (int n : {8, 10}) {
        tBoard b = EmptyBoard(n);
        b[SquareIndex(2, 3, n)] = CellWhite;  // one lone disc, no opponent
        for (bool advanced : {false, true}) {
            EvalState state;
            state.AdvancedEngine = advanced;
            auto eval = n == 8 ? Evaluate8 : Evaluate10;
            EXPECT_EQ(eval(state, b, CellWhite, CellBlack), WinScore);
            state.BabyLevel = true;
            EXPECT_EQ(eval(state, b, CellWhite, CellBlack), 0);
        }
    }
}

// The weight a disc on `square` adds, for either colour, with one corner
// taken (or none).
TEST(Evaluate, CornerNeighboursFollowTheirCorner) {
    struct Case {
        int n;
        int corner;
        int square;
        int weight;
    };
    const Case cases[] = {
        // A8 taken: its neighbours are good squares now.
        {8, 11, 12, 12},
        {8, 11, 21, 12},
        {8, 11, 22, 8},
        // A1 still empty: its neighbours stay poor.
        {8, 11, 17, -8},
        {8, 11, 28, -8},
        {8, 11, 27, -24},
        // Elsewhere the corner table holds.
        {8, 11, 23, 0},
        {8, 11, 24, 1},
        {8, 11, 33, 7},
        // No corner taken: the plain table (B6 is -4 there).
        {8, 0, 23, -4},
        {8, 0, 12, -8},
        {8, 0, 24, -3},
        {10, 130, 129, 12},
        {10, 130, 118, 12},
        {10, 130, 117, 8},
        {10, 130, 14, -8},
        {10, 130, 26, -24},
        {10, 130, 33, -24},
        {10, 130, 29, -1},
        {10, 0, 29, -2},
        {10, 130, 57, -3},
        {10, 130, 50, -2},
    };
    EvalState state;  // shared on purpose: earlier rewrites must not leak
    for (const auto& c : cases) {
        tBoard b = EmptyBoard(c.n);
        const int centre = c.n == 8 ? 44 : 65;
        b[centre] = CellBlack;  // a disc of each colour in the middle
        b[centre + 1] = CellWhite;
        if (c.corner) b[c.corner] = CellBlack;
        auto eval = c.n == 8 ? Evaluate8 : Evaluate10;
        for (int me : {CellWhite, CellBlack}) {
            const int before = eval(state, b, me, 5 - me);
            tBoard with = b;
            with[c.square] = static_cast<std::uint8_t>(me);
            const int after = eval(state, with, me, 5 - me);
            EXPECT_EQ(after - before, c.weight)
                << c.n << " corner " << c.corner << " square " << c.square;
        }
    }
}

TEST(Search, RepliesToE6ForEachLevelAndEngine) {
    struct Case {
        bool baby, advanced;
        int answer;
    };
    for (const auto& c : {Case{false, false, 63}, Case{true, false, 43}, Case{false, true, 63},
                          Case{true, true, 65}}) {
        const auto r = RunSearch(Input(AfterE6(), CellBlack, 1, c.baby, c.advanced));
        EXPECT_EQ(r.Move, c.answer) << c.baby << c.advanced;
    }
}

TEST(Search, StartPositionAnswersTheFirstSquareInMoveOrderAtEveryDepth) {
    for (int depth = 1; depth <= MaxTestDepth; ++depth)
        for (bool advanced : {false, true}) {
            EXPECT_EQ(
                RunSearch(Input(rules::StartBoard<8>(), CellWhite, depth, false, advanced, 8)).Move,
                53)
                << depth;
            if (depth <= MaxTestDepth - 1) {
                EXPECT_EQ(
                    RunSearch(Input(rules::StartBoard<10>(), CellWhite, depth, false, advanced, 10))
                        .Move,
                    54)
                    << depth;
            }
        }
}

TEST(Search, EveryLevelAndEngineAnswersALegalSquareOnBothFields) {
    // Levels "0-baby" (depth 1, inverted) to "9-Merlin" (depth 9).
    for (int n : {8, 10}) {
        const auto p = RandomPosition(n, 3, n == 8 ? 24 : 40);
        for (int level = 0; level <= 9; ++level) {
            const int depth = std::max(level, 1);
            if (depth > MaxTestDepth - (n == 10 ? 2 : 0)) continue;
            for (bool advanced : {false, true}) {
                const auto r =
                    RunSearch(Input(p.Board, p.SideToMove, depth, level == 0, advanced, n));
                ASSERT_NE(r.Move, PassMove) << n << " level " << level;
                const bool legal = (n == 8 ? CanMove8 : CanMove10)(p.Board, r.Move, p.SideToMove,
                                                                   5 - p.SideToMove);
                EXPECT_TRUE(legal)
                    << n << " level " << level << " advanced " << advanced << " answer " << r.Move;
                EXPECT_FALSE(r.Stopped);
            }
        }
    }
}

TEST(Search, ASideWithoutMovesAnswersPass) {
    // White on A8 and B8 and black on C8: black has no move, white has (D8).
    tBoard b = EmptyBoard(8);
    b[11] = CellWhite;
    b[21] = CellBlack;
    b[31] = CellBlack;
    for (int depth : {1, 2, 5}) {
        EXPECT_EQ(RunSearch(Input(b, CellBlack, depth)).Move, PassMove) << depth;
        EXPECT_EQ(RunSearch(Input(b, CellWhite, depth)).Move, 41) << depth;
    }
}

TEST(Search, TwoPassesScoreTheFinalScore) {
    // Neither side can move: white 2 discs, black 1.
    for (int n : {8, 10}) {
        tBoard b = EmptyBoard(n);
        b[SquareIndex(0, 0, n)] = CellWhite;
        b[SquareIndex(0, n - 1, n)] = CellWhite;
        b[SquareIndex(n - 1, 0, n)] = CellBlack;
        for (int depth : {1, 4}) {
            auto r = RunSearch(Input(b, CellWhite, depth, false, false, n));
            EXPECT_EQ(r.Move, PassMove);
            EXPECT_EQ(r.Score, WinScore + 1);
            r = RunSearch(Input(b, CellBlack, depth, false, false, n));
            EXPECT_EQ(r.Score, -WinScore - 1);
            // The weakest level inverts the final score too: the root's value
            // is white's inverted score 32000 - 1, seen from black.
            r = RunSearch(Input(b, CellBlack, depth, true, false, n));
            EXPECT_EQ(r.Score, -(WinScore - 1));
        }
    }
}

TEST(Search, StopRequestedBeforeTheStartAnswersPass) {
    std::atomic<bool> stop{true};
    const auto r = RunSearch(Input(rules::StartBoard<8>(), CellWhite, 5), &stop);
    EXPECT_EQ(r.Move, PassMove);
    EXPECT_TRUE(r.Stopped);
    EXPECT_EQ(r.Nodes, 1u);
}

TEST(Search, OutOfRangeInputsStayInsideTheBoards) {
    // A depth of 0 or 12 is clamped to 1..9; a side that is no colour gets no
    // move; stray border bytes are cleared.
    tBoard b = rules::StartBoard<8>();
    EXPECT_EQ(RunSearch(Input(b, CellWhite, 0)).Move, 53);
    // Deep searches share work among threads, so their node counts vary:
    // the value tells the depth (it differs from depth 8's here).
    const int at9 = RunSearch(Input(b, CellWhite, 9)).Score;
    ASSERT_NE(at9, RunSearch(Input(b, CellWhite, 8)).Score);
    EXPECT_EQ(RunSearch(Input(b, CellWhite, 12)).Score, at9);
    EXPECT_EQ(ReferenceSearch(Input(b, CellWhite, 12)).Nodes,
              ReferenceSearch(Input(b, CellWhite, 9)).Nodes);
    EXPECT_EQ(RunSearch(Input(b, 0, 3)).Move, PassMove);
    // Called directly with a depth or ply beyond the work boards.
    SearchContext ctx(Input(b, CellWhite, 3), nullptr);
    ctx.Depth = 40;
    EXPECT_EQ(Search8(ctx, PassMove, CellBlack, CellWhite, 12, -32767, 32767), 0);
    Search8(ctx, PassMove, CellBlack, CellWhite, 0, -32767, 32767);
    EXPECT_EQ(ctx.BestMove[0], 53);
    b[0] = CellBlack;
    b[19] = CellWhite;  // the border byte below A1
    b[143] = CellBlack;
    EXPECT_EQ(RunSearch(Input(b, CellWhite, 3)).Move, 53);
}

namespace {

// A plain minimax search with the same leaves and pass rules but no pruning:
// returns the value for `side` who has just played `move`, and the first best
// square at the root.
template <int N>
int Minimax(EvalState& eval, tBoard b, int move, int side, int opp, int ply, int depth, int* best) {
    using T = EvalTables<N>;
    auto canMove = [&](int me, int other) {
        for (int i = 0; i < T::SearchedMoves; ++i)
            if (rules::CanMove<N>(b, T::MoveOrder[i], me, other)) return true;
        return false;
    };
    if (move != PassMove) rules::PlaceAndFlip<N>(b, move, side, opp);
    if (ply == depth) {
        if (move != PassMove || canMove(opp, side)) return Evaluate<N>(eval, b, side, opp);
        return rules::FinalScore<N>(b, side, opp, eval.BabyLevel);
    }
    int bestValue = -1000000;
    if (best) *best = PassMove;
    for (int i = 0; i < T::SearchedMoves; ++i) {
        const int s = T::MoveOrder[i];
        if (!rules::CanMove<N>(b, s, opp, side)) continue;
        const int h = Minimax<N>(eval, b, s, opp, side, ply + 1, depth, nullptr);
        if (h > bestValue) {
            bestValue = h;
            if (best) *best = s;
        }
    }
    if (bestValue != -1000000) return -bestValue;
    if (move == PassMove) return rules::FinalScore<N>(b, side, opp, eval.BabyLevel);
    return -Minimax<N>(eval, b, PassMove, opp, side, ply + 1, depth, nullptr);
}

}  // namespace

namespace {

// Compares the search with the plain minimax search on one position, every
// level and engine, depths 1 to maxDepth.
void ExpectSameAsMinimax(int n, const tBoard& b, int side, int maxDepth, const std::string& what) {
    for (int depth = 1; depth <= maxDepth; ++depth)
        for (bool baby : {false, true})
            for (bool advanced : {false, true}) {
                const auto r = RunSearch(Input(b, side, depth, baby, advanced, n));
                EvalState eval;
                eval.BabyLevel = baby;
                eval.AdvancedEngine = advanced;
                int best = PassMove;
                const int value =
                    n == 8 ? Minimax<8>(eval, b, PassMove, 5 - side, side, 0, depth, &best)
                           : Minimax<10>(eval, b, PassMove, 5 - side, side, 0, depth, &best);
                const std::string where = what + " depth " + std::to_string(depth) +
                                          (baby ? " baby" : "") + (advanced ? " advanced" : "");
                EXPECT_EQ(r.Move, best) << where;
                EXPECT_EQ(r.Score, -value) << where;
            }
}

}  // namespace

TEST(Search, AgreesWithPlainMinimaxOnRandomPositions) {
    for (int n : {8, 10})
        for (std::uint32_t seed = 1; seed <= 10; ++seed) {
            const int moves = n == 8 ? 5 * static_cast<int>(seed) : 8 * static_cast<int>(seed);
            const auto p = RandomPosition(n, seed, moves);
            ExpectSameAsMinimax(n, p.Board, p.SideToMove, 3,
                                std::to_string(n) + " seed " + std::to_string(seed));
        }
}

TEST(Search, AgreesWithPlainMinimaxNearTheEndWherePassesHappen) {
    int passes = 0;
    for (int n : {8, 10})
        for (std::uint32_t seed = 100; seed < 140; ++seed) {
            const int moves = n * n - 4 - 7 - static_cast<int>(seed % 4);
            const auto p = RandomPosition(n, seed, moves);
            bool canMove = false;
            for (int s = 0; s < 144; ++s)
                canMove = canMove || (IsPlayingSquare(s, n) &&
                                      (n == 8 ? CanMove8 : CanMove10)(p.Board, s, p.SideToMove,
                                                                      5 - p.SideToMove));
            passes += !canMove;
            ExpectSameAsMinimax(n, p.Board, p.SideToMove, 4,
                                std::to_string(n) + " end seed " + std::to_string(seed));
        }
    EXPECT_GT(passes, 0);  // some of these positions start with a pass
}

TEST(Search, AgreesWithPlainMinimaxOnScatteredBoards) {
    // Discs strewn at random, centre squares included: many passes, finished
    // games and boards whose only moves are centre squares, which the search
    // never tries.
    std::mt19937 rng(77);
    for (int n : {8, 10})
        for (int k = 0; k < 40; ++k) {
            tBoard b = EmptyBoard(n);
            const unsigned density = 2 + k % 5;  // fewer or more discs
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y) {
                    const auto r = static_cast<unsigned>(rng() % 10);
                    if (r < density) b[SquareIndex(x, y, n)] = r % 2 ? CellWhite : CellBlack;
                }
            ExpectSameAsMinimax(n, b, k % 2 ? CellWhite : CellBlack, 3,
                                std::to_string(n) + " scattered " + std::to_string(k));
        }
}

TEST(Search, APassAtTheDepthLimitIgnoresCentreSquares) {
    // Black's only move is G3 (76); white then cannot move, and black, at the
    // depth limit after white's pass, could play only the empty centre square
    // D5, which the search never tries: the game counts as over and scores
    // the final score (a draw, 0) rather than the evaluation.
    const tBoard b =
        FromText("++b++w++++++++++++b+++w+w++++++++++++++b++++w+w+++++++++++++++w+", 8);
    const auto r = RunSearch(Input(b, CellBlack, 2));
    EXPECT_EQ(r.Move, 76);
    EXPECT_EQ(r.Score, 0);
}

TEST(Search, AgreesWithPlainMinimaxWhenTheOpponentMustPass) {
    // White plays A8 and black is left without a move; white then plays H4.
    tBoard b = EmptyBoard(8);
    b[12] = CellBlack;
    b[13] = CellWhite;
    b[88] = CellWhite;
    b[87] = CellBlack;
    b[86] = CellBlack;
    ExpectSameAsMinimax(8, b, CellWhite, 6, "pass 8");
    ExpectSameAsMinimax(8, b, CellBlack, 6, "pass 8 black");
    EXPECT_EQ(RunSearch(Input(b, CellWhite, 1)).Move, 11);
}

TEST(Search, PruningVisitsFewerNodesThanTheFullTree) {
    const auto r3 = RunSearch(Input(rules::StartBoard<8>(), CellWhite, 3));
    // Full tree at depth 3 from the start: 1 root + 4 + 12 + 56 nodes.
    EXPECT_LT(r3.Nodes, 1u + 4 + 12 + 56);
    EXPECT_GT(r3.Nodes, 1u + 4);
}

TEST(BoardBits, LegalMovesAreExactlyTheSquaresCanMoveAllows) {
    for (int n : {8, 10})
        for (std::uint32_t seed = 1; seed <= 60; ++seed) {
            const auto p = RandomPosition(
                n, seed, static_cast<int>(seed * 37 % static_cast<std::uint32_t>(n * n - 4)));
            for (int me : {CellWhite, CellBlack}) {
                const Bits bits = n == 8 ? LegalMoves<8>(p.Board, me, 5 - me)
                                         : LegalMoves<10>(p.Board, me, 5 - me);
                int count = 0;
                for (int s = 0; s < 144; ++s) {
                    if (!IsPlayingSquare(s, n)) continue;
                    const bool legal = (n == 8 ? CanMove8 : CanMove10)(p.Board, s, me, 5 - me);
                    const bool inBits = n == 8 ? HasSquare<8>(bits, s) : HasSquare<10>(bits, s);
                    EXPECT_EQ(inBits, legal) << n << " seed " << seed << " square " << s;
                    count += legal;
                }
                EXPECT_EQ(CountBits(bits), count) << n << " seed " << seed;
            }
        }
}

TEST(BoardBits, RunsAlongTheEdgesStopAtTheBorder) {
    // A run along the bottom row ending on the border, and one across the
    // edge between two columns, give no move; a full-length run gives one.
    for (int n : {8, 10}) {
        tBoard b = EmptyBoard(n);
        const int last = n - 1;
        for (int x = 1; x < last; ++x)
            b[SquareIndex(x, last, n)] = CellBlack;  // row 1, B to second-to-last
        b[SquareIndex(last, last, n)] = CellWhite;   // closed by white at the corner
        b[SquareIndex(0, 0, n)] = CellBlack;         // top-left corner, run upwards off the field
        const Bits bits = n == 8 ? LegalMoves<8>(b, CellWhite, CellBlack)
                                 : LegalMoves<10>(b, CellWhite, CellBlack);
        for (int s = 0; s < 144; ++s) {
            if (!IsPlayingSquare(s, n)) continue;
            const bool legal = (n == 8 ? CanMove8 : CanMove10)(b, s, CellWhite, CellBlack);
            EXPECT_EQ(n == 8 ? HasSquare<8>(bits, s) : HasSquare<10>(bits, s), legal)
                << n << " " << s;
        }
        EXPECT_TRUE(n == 8 ? HasSquare<8>(bits, SquareIndex(0, last, n))
                           : HasSquare<10>(bits, SquareIndex(0, last, n)));
        EXPECT_EQ(CountBits(bits), 1) << n;
    }
}

TEST(BoardBits, FastAndPlainLoopsAgree) {
    // The 16-bytes-at-a-time paths against the plain loops, on played and on
    // strewn boards, including discs on the last squares of the field.
    std::mt19937 rng(5);
    for (int n : {8, 10})
        for (std::uint32_t seed = 1; seed <= 80; ++seed) {
            tBoard b = RandomPosition(
                           n, seed, static_cast<int>(seed % static_cast<std::uint32_t>(n * n - 4)))
                           .Board;
            if (seed % 2) {
                for (int s = 0; s < 144; ++s)
                    if (IsPlayingSquare(s, n)) b[s] = static_cast<std::uint8_t>(1 + rng() % 3);
            }
            EvalState state;
            for (int me : {CellWhite, CellBlack}) {
                for (int value : {CellEmpty, CellWhite, CellBlack}) {
                    const bool same = n == 8
                                          ? CellMask<8>(b, value) == CellMaskScalar<8>(b, value)
                                          : CellMask<10>(b, value) == CellMaskScalar<10>(b, value);
                    EXPECT_TRUE(same) << n << " seed " << seed << " value " << value;
                }
                for (bool cornerTable : {false, true}) {
                    bool any1 = false, any2 = true;
                    int fast = 0, plain = 0;
                    if (n == 8) {
                        const auto* w = cornerTable ? state.CornerWeights8.data()
                                                    : detail::PaddedWeights<8>.data();
                        fast = detail::WeightedDifference<8>(b, w, me, 5 - me, any1);
                        plain = detail::WeightedDifferenceScalar<8>(b, w, me, 5 - me, any2);
                    } else {
                        const auto* w = cornerTable ? state.CornerWeights10.data()
                                                    : detail::PaddedWeights<10>.data();
                        fast = detail::WeightedDifference<10>(b, w, me, 5 - me, any1);
                        plain = detail::WeightedDifferenceScalar<10>(b, w, me, 5 - me, any2);
                    }
                    EXPECT_EQ(fast, plain) << n << " seed " << seed;
                    EXPECT_EQ(any1, any2) << n << " seed " << seed;
                }
            }
        }
}
