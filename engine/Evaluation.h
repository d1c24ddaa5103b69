// The computer opponent's static evaluation: square weights that change once
// a corner is taken, an optional mobility term (engine "Advanced") and the
// inversion of the weakest level ("0-baby").
//
// The tables are constants. The corner-neighbour entries of the corner table
// are rewritten at every evaluation, so each search keeps its own copy of
// that table (EvalState) and never shares it with another thread.
#pragma once

#include <array>

#include "Board.h"
#include "RulesCore.h"

namespace reversi {

namespace detail {
// A weight table written as the field is drawn (rows[y][x], row N on top)
// turned into the layout of the board: index square - First, border 0.
template <int N, std::size_t Count>
constexpr std::array<int, Count> TableFromRows(const std::array<std::array<int, N>, N>& rows) {
    std::array<int, Count> t{};
    for (int x = 0; x < N; ++x)
        for (int y = 0; y < N; ++y) t[Layout<N>::Stride * x + y] = rows[y][x];
    return t;
}
}  // namespace detail

// The order in which the search tries the squares. Every square is listed
// once; the last four are the centre squares, occupied from the start, so the
// search walks only the first 60 (8 x 8) or 96 (10 x 10) entries.
inline constexpr std::array<int, 64> MoveOrder8{
    11, 18, 81, 88, 13, 31, 16, 61, 38, 83, 68, 86, 14, 41, 15, 51, 48, 84, 58, 85, 33, 36,
    63, 66, 34, 53, 46, 43, 35, 56, 64, 65, 24, 25, 42, 47, 52, 57, 74, 75, 23, 26, 32, 37,
    62, 67, 73, 76, 12, 17, 21, 28, 71, 78, 82, 87, 22, 27, 72, 77, 44, 55, 45, 54};
inline constexpr std::array<int, 100> MoveOrder10{
    13,  22,  121, 130, 15,  20,  123, 128, 46,  106, 37,  97,  16,  19,  124, 127, 58,
    94,  49,  85,  17,  18,  125, 126, 70,  82,  61,  73,  39,  44,  99,  104, 41,  42,
    101, 102, 68,  80,  63,  75,  40,  43,  100, 103, 56,  92,  51,  87,  29,  30,  113,
    114, 69,  81,  62,  74,  14,  21,  122, 129, 34,  118, 25,  109, 28,  31,  112, 115,
    57,  93,  50,  86,  27,  32,  111, 116, 45,  105, 38,  98,  53,  54,  89,  90,  67,
    79,  64,  76,  52,  55,  88,  91,  26,  33,  110, 117, 65,  66,  78,  77};

// Weights8/10 hold while all four corners are empty; CornerWeights8/10 once
// any corner is occupied (their corner-neighbour entries, -8 and -24 here,
// are then rewritten from the corners of the evaluated board).
inline constexpr std::array<int, 78> Weights8 = detail::TableFromRows<8, 78>({{
    {99, -8, 8, 6, 6, 8, -8, 99},
    {-8, -24, -4, -3, -3, -4, -24, -8},
    {8, -4, 7, 4, 4, 7, -4, 8},
    {6, -3, 4, 0, 0, 4, -3, 6},
    {6, -3, 4, 0, 0, 4, -3, 6},
    {8, -4, 7, 4, 4, 7, -4, 8},
    {-8, -24, -4, -3, -3, -4, -24, -8},
    {99, -8, 8, 6, 6, 8, -8, 99},
}});
inline constexpr std::array<int, 78> CornerWeights8 = detail::TableFromRows<8, 78>({{
    {99, -8, 8, 6, 6, 8, -8, 99},
    {-8, -24, 0, 1, 1, 0, -24, -8},
    {8, 0, 7, 4, 4, 7, 0, 8},
    {6, 1, 4, 1, 1, 4, 1, 6},
    {6, 1, 4, 1, 1, 4, 1, 6},
    {8, 0, 7, 4, 4, 7, 0, 8},
    {-8, -24, 0, 1, 1, 0, -24, -8},
    {99, -8, 8, 6, 6, 8, -8, 99},
}});
inline constexpr std::array<int, 118> Weights10 = detail::TableFromRows<10, 118>({{
    {99, -8, 8, 7, 6, 6, 7, 8, -8, 99},
    {-8, -24, -4, -3, -2, -2, -3, -4, -24, -8},
    {8, -4, 8, 3, 4, 4, 3, 8, -4, 8},
    {7, -3, 3, -2, -1, -1, -2, 3, -3, 7},
    {6, -2, 4, -1, 0, 0, -1, 4, -2, 6},
    {6, -2, 4, -1, 0, 0, -1, 4, -2, 6},
    {7, -3, 3, -2, -1, -1, -2, 3, -3, 7},
    {8, -4, 8, 3, 4, 4, 3, 8, -4, 8},
    {-8, -24, -4, -3, -2, -2, -3, -4, -24, -8},
    {99, -8, 8, 7, 6, 6, 7, 8, -8, 99},
}});
// Not symmetric: row 9 holds -2, -1, -1, -2 in columns D to G where row 2
// holds -3, -2, -2, -3. The engine's play depends on it, so it stays.
inline constexpr std::array<int, 118> CornerWeights10 = detail::TableFromRows<10, 118>({{
    {99, -8, 8, 7, 6, 6, 7, 8, -8, 99},
    {-8, -24, 0, -2, -1, -1, -2, 0, -24, -8},
    {8, 0, 8, 3, 4, 4, 3, 8, 0, 8},
    {7, -2, 3, -2, -1, -1, -2, 3, -2, 7},
    {6, -1, 4, -1, 1, 1, -1, 4, -1, 6},
    {6, -1, 4, -1, 1, 1, -1, 4, -1, 6},
    {7, -2, 3, -2, -1, -1, -2, 3, -2, 7},
    {8, 0, 8, 3, 4, 4, 3, 8, 0, 8},
    {-8, -24, 0, -3, -2, -2, -3, 0, -24, -8},
    {99, -8, 8, 7, 6, 6, 7, 8, -8, 99},
}});

// A corner with its two edge neighbours and its diagonal neighbour.
struct CornerSquares {
    int corner, edge1, edge2, diagonal;
};

// Per field size: the tables, the number of bytes walked (First to Last),
// how many move-order entries the search walks, and the corners.
template <int N>
struct EvalTables;

template <>
struct EvalTables<8> {
    static constexpr int Bytes = 78;
    static constexpr int SearchedMoves = 60;
    static constexpr const auto& MoveOrder = MoveOrder8;
    static constexpr const auto& Weights = Weights8;
    static constexpr const auto& CornerWeights = CornerWeights8;
    static constexpr std::array<CornerSquares, 4> Corners{
        {{11, 12, 21, 22}, {18, 17, 28, 27}, {81, 82, 71, 72}, {88, 87, 78, 77}}};
};

template <>
struct EvalTables<10> {
    static constexpr int Bytes = 118;
    static constexpr int SearchedMoves = 96;
    static constexpr const auto& MoveOrder = MoveOrder10;
    static constexpr const auto& Weights = Weights10;
    static constexpr const auto& CornerWeights = CornerWeights10;
    static constexpr std::array<CornerSquares, 4> Corners{
        {{13, 14, 25, 26}, {22, 21, 34, 33}, {121, 122, 109, 110}, {130, 129, 118, 117}}};
};

// What the evaluation reads besides the board: the engine and level flags,
// and this evaluator's own copies of the corner tables.
struct EvalState {
    bool AdvancedEngine = false;
    bool BabyLevel = false;
    std::array<int, 78> CornerWeights8 = reversi::CornerWeights8;
    std::array<int, 118> CornerWeights10 = reversi::CornerWeights10;

    template <int N>
    auto& CornerTable() {
        if constexpr (N == 8) return CornerWeights8;
        else return CornerWeights10;
    }
};

// The value of board for the colour me, whose opponent is opp.
template <int N>
inline int Evaluate(EvalState& state, const tBoard& board, int me, int opp) {
    using T = EvalTables<N>;
    constexpr int first = Layout<N>::First;

    // Corner neighbours: poor squares while their corner is empty, good ones
    // once it is taken by either colour.
    auto& cornerTable = state.CornerTable<N>();
    bool anyCorner = false;
    for (const auto& c : T::Corners) {
        const bool empty = board[c.corner] == CellEmpty;
        anyCorner = anyCorner || !empty;
        cornerTable[c.edge1 - first] = empty ? -8 : 12;
        cornerTable[c.edge2 - first] = empty ? -8 : 12;
        cornerTable[c.diagonal - first] = empty ? -24 : 8;
    }
    const auto& w = anyCorner ? cornerTable : T::Weights;

    int sMe = 0, sOpp = 0, nOpp = 0;
    for (int i = 0; i < T::Bytes; ++i) {
        const int cell = board[first + i];
        const int isMe = cell == me;
        const int isOpp = cell == opp;
        sMe += w[i] * isMe;
        sOpp += w[i] * isOpp;
        nOpp += isOpp;
    }

    int v = WinScore;  // the opponent has no disc left
    if (nOpp != 0) {
        v = sMe - sOpp;
        if (state.AdvancedEngine) {
            // Mobility: one point for every square me could play.
            for (int s = first; s <= Layout<N>::Last; ++s)
                if (rules::CanMove<N>(board, s, me, opp)) ++v;
        }
    }
    return state.BabyLevel ? WinScore - v : v;
}

// The two field sizes, as named elsewhere in the engine.
int Evaluate8(EvalState& state, const tBoard& board, int me, int opp);
int Evaluate10(EvalState& state, const tBoard& board, int me, int opp);

}  // namespace reversi
