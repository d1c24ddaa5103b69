// Bit masks of a board for the search's hot paths: bit i stands for board
// index First + i, so the field keeps its own layout, the border bytes
// between columns are never set, and a step in a direction is a shift by the
// direction's offset. A run walked along the masks stops at the border just
// as the byte walk of rules::CanMove does, so LegalMoves gives exactly the
// squares for which CanMove is true.
#pragma once

#include <cstdint>

#include "Board.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace reversi {

using Bits = unsigned __int128;

// Number of board bytes the masks cover: First to Last.
template <int N>
inline constexpr int MaskBytes = Layout<N>::Last - Layout<N>::First + 1;

// The squares of board (First to Last) that hold value: a plain loop and,
// where SSE2 exists, 16 bytes at a time.
template <int N>
inline Bits CellMaskScalar(const tBoard& board, int value) {
    Bits m = 0;
    for (int i = 0; i < MaskBytes<N>; ++i)
        if (board[Layout<N>::First + i] == value) m |= static_cast<Bits>(1) << i;
    return m;
}

template <int N>
inline Bits CellMask(const tBoard& board, int value) {
#if defined(__SSE2__)
    constexpr int first = Layout<N>::First;
    constexpr int count = MaskBytes<N>;
    // The last block reads a little past Last, which stays inside the 144
    // bytes; those bits are cleared below.
    static_assert(first + ((count + 15) / 16) * 16 <= 144);
    const __m128i v = _mm_set1_epi8(static_cast<char>(value));
    Bits m = 0;
    for (int k = 0; k * 16 < count; ++k) {
        const __m128i x =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(board.data() + first + 16 * k));
        const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, v)));
        m |= static_cast<Bits>(bits) << (16 * k);
    }
    return m & ((static_cast<Bits>(1) << count) - 1);
#else
    return CellMaskScalar<N>(board, value);
#endif
}

namespace detail {
// {p : p + D in x}: one step from every square of x against direction D.
template <int D>
inline Bits StepBack(Bits x) {
    if constexpr (D > 0)
        return x >> D;
    else
        return x << -D;
}

// Empty squares from which, in direction D, a run of opp ends on me.
template <int N, int D>
inline Bits MovesAlong(Bits me, Bits opp, Bits empty) {
    // Flood from me through opp in doubling steps: 1 + 2 + 4 (+ 8) squares
    // cover the longest run, N - 2 discs.
    Bits gen = me, pro = opp;
    gen |= pro & StepBack<D>(gen);
    pro &= StepBack<D>(pro);
    gen |= pro & StepBack<2 * D>(gen);
    pro &= StepBack<2 * D>(pro);
    gen |= pro & StepBack<4 * D>(gen);
    if constexpr (N > 9) {
        pro &= StepBack<4 * D>(pro);
        gen |= pro & StepBack<8 * D>(gen);
    }
    return StepBack<D>(gen & opp) & empty;
}
}  // namespace detail

// The squares me may play (the squares where rules::CanMove is true).
template <int N>
inline Bits LegalMoves(Bits me, Bits opp, Bits empty) {
    constexpr auto& d = Layout<N>::Dirs;
    using detail::MovesAlong;
    return MovesAlong<N, d[0]>(me, opp, empty) | MovesAlong<N, d[1]>(me, opp, empty) |
           MovesAlong<N, d[2]>(me, opp, empty) | MovesAlong<N, d[3]>(me, opp, empty) |
           MovesAlong<N, d[4]>(me, opp, empty) | MovesAlong<N, d[5]>(me, opp, empty) |
           MovesAlong<N, d[6]>(me, opp, empty) | MovesAlong<N, d[7]>(me, opp, empty);
}

template <int N>
inline Bits LegalMoves(const tBoard& board, int me, int opp) {
    return LegalMoves<N>(CellMask<N>(board, me), CellMask<N>(board, opp),
                         CellMask<N>(board, CellEmpty));
}

// Population count without relying on a POPCNT instruction (not in the
// baseline x86-64 instruction set, where the builtin becomes a library call).
inline int CountBits64(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555ULL;
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

inline int CountBits(Bits x) {
    return CountBits64(static_cast<std::uint64_t>(x)) +
           CountBits64(static_cast<std::uint64_t>(x >> 64));
}

// True when the square (a board index from First to Last) is in x.
template <int N>
inline bool HasSquare(Bits x, int square) {
    return static_cast<bool>((x >> (square - Layout<N>::First)) & 1);
}

}  // namespace reversi
