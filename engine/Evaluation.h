// The computer opponent's static evaluation: square weights that change once
// a corner is taken, an optional mobility term (engine "Advanced") and the
// inversion of the weakest level ("0-baby").
//
// The tables are constants. The corner-neighbour entries of the corner table
// are rewritten at every evaluation, so each search keeps its own copy of
// that table (EvalState) and never shares it with another thread.
#pragma once

#include <array>
#include <cstdint>

#include "Board.h"
#include "BoardBits.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    13, 22,  121, 130, 15, 20, 123, 128, 46, 106, 37,  97,  16, 19, 124, 127, 58, 94,  49,  85,
    17, 18,  125, 126, 70, 82, 61,  73,  39, 44,  99,  104, 41, 42, 101, 102, 68, 80,  63,  75,
    40, 43,  100, 103, 56, 92, 51,  87,  29, 30,  113, 114, 69, 81, 62,  74,  14, 21,  122, 129,
    34, 118, 25,  109, 28, 31, 112, 115, 57, 93,  50,  86,  27, 32, 111, 116, 45, 105, 38,  98,
    53, 54,  89,  90,  67, 79, 64,  76,  52, 55,  88,  91,  26, 33, 110, 117, 65, 66,  78,  77};

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

// The weight tables as the evaluation walks them: 16-bit entries, padded
// with zeros to whole blocks of 16 board bytes (the last block reads a
// little past Last, still inside the 144 bytes).
template <int N>
inline constexpr int PaddedBytes = N == 8 ? 80 : 128;

namespace detail {
template <int N, std::size_t Count>
constexpr std::array<std::int16_t, PaddedBytes<N>> Padded(const std::array<int, Count>& t) {
    static_assert(Layout<N>::First + PaddedBytes<N> <= 144);
    std::array<std::int16_t, PaddedBytes<N>> out{};
    for (std::size_t i = 0; i < Count; ++i) out[i] = static_cast<std::int16_t>(t[i]);
    return out;
}
template <int N>
alignas(16) inline constexpr auto PaddedWeights = Padded<N>(EvalTables<N>::Weights);

// The sum of the weights of me's squares minus those of opp's squares, from
// First on; sets anyOpp when opp has at least one disc there. A plain loop
// and, where SSE2 exists, the same sum 16 bytes at a time.
template <int N>
inline int WeightedDifferenceScalar(const tBoard& board, const std::int16_t* w, int me, int opp,
                                    bool& anyOpp) {
    constexpr int first = Layout<N>::First;
    int sum = 0;
    anyOpp = false;
    for (int i = 0; i < PaddedBytes<N>; ++i) {
        const int cell = board[first + i];
        if (cell == me) {
            sum += w[i];
        } else if (cell == opp) {
            sum -= w[i];
            anyOpp = true;
        }
    }
    return sum;
}

template <int N>
inline int WeightedDifference(const tBoard& board, const std::int16_t* w, int me, int opp,
                              bool& anyOpp) {
#if defined(__SSE2__)
    constexpr int first = Layout<N>::First;
    const __m128i zero = _mm_setzero_si128();
    const __m128i vMe = _mm_set1_epi8(static_cast<char>(me));
    const __m128i vOpp = _mm_set1_epi8(static_cast<char>(opp));
    __m128i acc = zero, seenOpp = zero;
    for (int k = 0; k < PaddedBytes<N>; k += 16) {
        const __m128i x =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(board.data() + first + k));
        const __m128i isMe = _mm_cmpeq_epi8(x, vMe);    // -1 where me
        const __m128i isOpp = _mm_cmpeq_epi8(x, vOpp);  // -1 where opp
        seenOpp = _mm_or_si128(seenOpp, isOpp);
        const __m128i d = _mm_sub_epi8(isOpp, isMe);  // +1 me, -1 opp, 0 else
        const __m128i sign = _mm_cmplt_epi8(d, zero);
        const __m128i lo = _mm_unpacklo_epi8(d, sign);  // widened to 16 bits
        const __m128i hi = _mm_unpackhi_epi8(d, sign);
        acc = _mm_add_epi32(
            acc, _mm_madd_epi16(lo, _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + k))));
        acc = _mm_add_epi32(
            acc, _mm_madd_epi16(hi, _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + k + 8))));
    }
    acc = _mm_add_epi32(acc, _mm_shuffle_epi32(acc, 0x4E));
    acc = _mm_add_epi32(acc, _mm_shuffle_epi32(acc, 0xB1));
    anyOpp = _mm_movemask_epi8(seenOpp) != 0;
    return _mm_cvtsi128_si32(acc);
#else
    return WeightedDifferenceScalar<N>(board, w, me, opp, anyOpp);
#endif
}
}  // namespace detail

// What the evaluation reads besides the board: the engine and level flags,
// and this evaluator's own copies of the corner tables (in the padded form
// the evaluation walks).
struct EvalState {
    bool AdvancedEngine = false;
    bool BabyLevel = false;
    alignas(16) std::array<std::int16_t, PaddedBytes<8>> CornerWeights8 =
        detail::Padded<8>(reversi::CornerWeights8);
    alignas(16) std::array<std::int16_t, PaddedBytes<10>> CornerWeights10 =
        detail::Padded<10>(reversi::CornerWeights10);

    template <int N>
    auto& CornerTable() {
        if constexpr (N == 8)
            return CornerWeights8;
        else
            return CornerWeights10;
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
    const std::int16_t* w = anyCorner ? cornerTable.data() : detail::PaddedWeights<N>.data();

    bool anyOpp = false;
    const int difference = detail::WeightedDifference<N>(board, w, me, opp, anyOpp);

    int v = WinScore;  // the opponent has no disc left
    if (anyOpp) {
        v = difference;
        // Mobility: one point for every square me could play.
        if (state.AdvancedEngine) v += CountBits(LegalMoves<N>(board, me, opp));
    }
    return state.BabyLevel ? WinScore - v : v;
}

// The two field sizes, as named elsewhere in the engine.
int Evaluate8(EvalState& state, const tBoard& board, int me, int opp);
int Evaluate10(EvalState& state, const tBoard& board, int me, int opp);

}  // namespace reversi
