// The bit-mask work of the fast search (FastSearch.cpp): fixed tables per
// field size, moves, turned discs and the orders in which squares are tried.
#pragma once

#include <array>
#include <cstdint>

#include "BoardBits.h"
#include "Evaluation.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace reversi::searchbits {

constexpr Bits Bit(int i) { return static_cast<Bits>(1) << i; }

inline int LowestBit(Bits x) {
    const auto low = static_cast<std::uint64_t>(x);
    return low ? __builtin_ctzll(low) : 64 + __builtin_ctzll(static_cast<std::uint64_t>(x >> 64));
}

// Everything fixed per field size, in bit-index form (bit i = board index
// First + i).
template <int N>
struct Geometry {
    Bits Playing = 0;   // every square of the field
    Bits Searched = 0;  // the squares the search tries (all but the centre)
    Bits Corners = 0;
    std::array<std::uint8_t, 128> Rank{};      // place in the move order; 255 = never tried
    std::array<std::uint8_t, 128> CornerOf{};  // which corner (bit of the corner state); 0 = none
    std::array<std::uint8_t, 96> BitOfRank{};
    // The searched squares in groups of eight consecutive places of the move
    // order: an order inside the tree that is nearly the move order and much
    // cheaper to walk.
    static constexpr int GroupCount = (EvalTables<N>::SearchedMoves + 7) / 8;
    std::array<Bits, GroupCount> Groups{};
    // The three neighbours of each corner (edge, edge, diagonal).
    std::array<std::array<std::uint8_t, 3>, 4> CornerNeighbours{};
    // The weights per corner state (bit k set: corner k is not empty), as
    // Evaluate uses them: the plain table while no corner is taken.
    std::array<std::array<std::int16_t, 128>, 16> Weights{};
};

template <int N>
constexpr Geometry<N> MakeGeometry() {
    using T = EvalTables<N>;
    constexpr int first = Layout<N>::First;
    Geometry<N> g;
    g.Rank.fill(255);
    for (int x = 0; x < N; ++x)
        for (int y = 0; y < N; ++y) g.Playing |= Bit(Layout<N>::Stride * x + y);
    for (int r = 0; r < T::SearchedMoves; ++r) {
        const int b = T::MoveOrder[static_cast<std::size_t>(r)] - first;
        g.Searched |= Bit(b);
        g.Rank[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(r);
        g.BitOfRank[static_cast<std::size_t>(r)] = static_cast<std::uint8_t>(b);
        g.Groups[static_cast<std::size_t>(r / 8)] |= Bit(b);
    }
    for (std::size_t k = 0; k < 4; ++k) {
        const int b = T::Corners[k].corner - first;
        g.Corners |= Bit(b);
        g.CornerOf[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(1u << k);
        g.CornerNeighbours[k] = {static_cast<std::uint8_t>(T::Corners[k].edge1 - first),
                                 static_cast<std::uint8_t>(T::Corners[k].edge2 - first),
                                 static_cast<std::uint8_t>(T::Corners[k].diagonal - first)};
    }
    for (unsigned state = 0; state < 16; ++state) {
        auto& w = g.Weights[state];
        for (int i = 0; i < T::Bytes; ++i)
            w[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
                state == 0 ? T::Weights[static_cast<std::size_t>(i)]
                           : T::CornerWeights[static_cast<std::size_t>(i)]);
        if (state == 0) continue;
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& c = T::Corners[k];
            const bool taken = (state >> k) & 1;
            w[static_cast<std::size_t>(c.edge1 - first)] = taken ? 12 : -8;
            w[static_cast<std::size_t>(c.edge2 - first)] = taken ? 12 : -8;
            w[static_cast<std::size_t>(c.diagonal - first)] = taken ? 8 : -24;
        }
    }
    return g;
}

template <int N>
inline constexpr Geometry<N> Geo = MakeGeometry<N>();

// The discs as four 64-bit words with an empty word on either side, so that
// a walk may step one square beyond any edge of the bit range.
struct PaddedBits {
    std::uint64_t Words[4];
    explicit PaddedBits(Bits x)
        : Words{0, static_cast<std::uint64_t>(x), static_cast<std::uint64_t>(x >> 64), 0} {}
    bool Has(int i) const {
        const int j = i + 64;
        return (Words[j >> 6] >> (j & 63)) & 1;
    }
};

// LegalMoves of BoardBits.h with the masks in SSE2 registers: an AND or an
// OR is one instruction, and a shift by whole bytes too. The same squares.
#if defined(__SSE2__)
template <int D>
inline __m128i ShiftUp(__m128i x) {  // towards higher bits
    if constexpr (D % 8 == 0)
        return _mm_slli_si128(x, D / 8);
    else if constexpr (D < 64)
        return _mm_or_si128(_mm_slli_epi64(x, D), _mm_srli_epi64(_mm_slli_si128(x, 8), 64 - D));
    else
        return _mm_slli_epi64(_mm_slli_si128(x, 8), D - 64);
}

template <int D>
inline __m128i ShiftDown(__m128i x) {  // towards lower bits
    if constexpr (D % 8 == 0)
        return _mm_srli_si128(x, D / 8);
    else if constexpr (D < 64)
        return _mm_or_si128(_mm_srli_epi64(x, D), _mm_slli_epi64(_mm_srli_si128(x, 8), 64 - D));
    else
        return _mm_srli_epi64(_mm_srli_si128(x, 8), D - 64);
}

// {p : p + D in x}
template <int D>
inline __m128i Back(__m128i x) {
    if constexpr (D > 0)
        return ShiftDown<D>(x);
    else
        return ShiftUp<-D>(x);
}

template <int N, int D>
inline __m128i MovesAlong(__m128i me, __m128i opp, __m128i empty) {
    __m128i gen = _mm_or_si128(me, _mm_and_si128(opp, Back<D>(me)));
    __m128i pro = _mm_and_si128(opp, Back<D>(opp));
    gen = _mm_or_si128(gen, _mm_and_si128(pro, Back<2 * D>(gen)));
    pro = _mm_and_si128(pro, Back<2 * D>(pro));
    gen = _mm_or_si128(gen, _mm_and_si128(pro, Back<4 * D>(gen)));
    if constexpr (N > 9) {
        pro = _mm_and_si128(pro, Back<4 * D>(pro));
        gen = _mm_or_si128(gen, _mm_and_si128(pro, Back<8 * D>(gen)));
    }
    return _mm_and_si128(Back<D>(_mm_and_si128(gen, opp)), empty);
}

inline __m128i ToVector(Bits x) {
    return _mm_set_epi64x(static_cast<long long>(static_cast<std::uint64_t>(x >> 64)),
                          static_cast<long long>(static_cast<std::uint64_t>(x)));
}

inline Bits FromVector(__m128i v) {
    alignas(16) std::uint64_t w[2];
    _mm_store_si128(reinterpret_cast<__m128i*>(w), v);
    return (static_cast<Bits>(w[1]) << 64) | w[0];
}

template <int N>
inline Bits Moves(Bits me, Bits opp, Bits empty) {
    constexpr auto& d = Layout<N>::Dirs;
    const __m128i m = ToVector(me), o = ToVector(opp), e = ToVector(empty);
    const __m128i a =
        _mm_or_si128(_mm_or_si128(MovesAlong<N, d[0]>(m, o, e), MovesAlong<N, d[1]>(m, o, e)),
                     _mm_or_si128(MovesAlong<N, d[2]>(m, o, e), MovesAlong<N, d[3]>(m, o, e)));
    const __m128i b =
        _mm_or_si128(_mm_or_si128(MovesAlong<N, d[4]>(m, o, e), MovesAlong<N, d[5]>(m, o, e)),
                     _mm_or_si128(MovesAlong<N, d[6]>(m, o, e), MovesAlong<N, d[7]>(m, o, e)));
    return FromVector(_mm_or_si128(a, b));
}
#else
template <int N>
inline Bits Moves(Bits me, Bits opp, Bits empty) {
    return LegalMoves<N>(me, opp, empty);
}
#endif

// The eight neighbours of each square of the field.
template <int N>
constexpr std::array<Bits, 128> MakeNeighbours() {
    std::array<Bits, 128> t{};
    for (int x = 0; x < N; ++x)
        for (int y = 0; y < N; ++y)
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) {
                    const int nx = x + dx, ny = y + dy;
                    if ((dx || dy) && nx >= 0 && nx < N && ny >= 0 && ny < N)
                        t[static_cast<std::size_t>(Layout<N>::Stride * x + y)] |=
                            Bit(Layout<N>::Stride * nx + ny);
                }
    return t;
}

template <int N>
inline constexpr std::array<Bits, 128> Neighbours = MakeNeighbours<N>();

// The opp discs turned by a disc placed on bit i, and the sum of their
// weights in w. Only the directions whose first square holds an opp disc are
// walked, square by square as on the byte board; a walk stops at the first
// square that is not opp, at the latest on a border bit.
template <int N>
inline Bits Flips(int i, Bits me, Bits opp, const std::int16_t* w, int& weight) {
    const PaddedBits m(me), o(opp);
    const Bits next = opp & Neighbours<N>[static_cast<std::size_t>(i)];
    std::uint64_t f[2] = {0, 0};
    int sum = 0;
    auto walk = [&](int j) {
        const int d = j - i;
        int s = j + d;
        while (o.Has(s)) s += d;
        if (!m.Has(s)) return;
        for (s -= d; s != i; s -= d) {
            f[s >> 6] |= std::uint64_t{1} << (s & 63);
            sum += w[s];
        }
    };
    for (auto low = static_cast<std::uint64_t>(next); low; low &= low - 1)
        walk(__builtin_ctzll(low));
    for (auto high = static_cast<std::uint64_t>(next >> 64); high; high &= high - 1)
        walk(64 + __builtin_ctzll(high));
    weight = sum;
    return (static_cast<Bits>(f[1]) << 64) | f[0];
}

// How many opp discs a disc placed on bit i turns, and the sum of their
// weights in w: Flips without the masks, for the last ply of the Normal engine.
template <int N>
inline int FlipWeight(int i, Bits me, Bits opp, const std::int16_t* w, int& count) {
    const PaddedBits m(me), o(opp);
    const Bits next = opp & Neighbours<N>[static_cast<std::size_t>(i)];
    int sum = 0, turned = 0;
    auto walk = [&](int j) {
        const int d = j - i;
        int s = j + d;
        while (o.Has(s)) s += d;
        if (!m.Has(s)) return;
        for (s -= d; s != i; s -= d) {
            sum += w[s];
            ++turned;
        }
    };
    for (auto low = static_cast<std::uint64_t>(next); low; low &= low - 1)
        walk(__builtin_ctzll(low));
    for (auto high = static_cast<std::uint64_t>(next >> 64); high; high &= high - 1)
        walk(64 + __builtin_ctzll(high));
    count = turned;
    return sum;
}

// The sum of the weights of the squares in x.
inline int WeightSum(Bits x, const std::int16_t* w) {
    int sum = 0;
    for (auto low = static_cast<std::uint64_t>(x); low; low &= low - 1)
        sum += w[__builtin_ctzll(low)];
    for (auto high = static_cast<std::uint64_t>(x >> 64); high; high &= high - 1)
        sum += w[64 + __builtin_ctzll(high)];
    return sum;
}

// The squares of moves in move order, exactly (the root).
template <int N>
inline int OrderMovesExactly(Bits moves, int first, std::array<std::uint8_t, 96>& out) {
    const auto& g = Geo<N>;
    int count = 0;
    if (first >= 0 && (moves & Bit(first))) {
        out[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(first);
        moves &= ~Bit(first);
    }
    Bits ranks = 0;
    for (Bits m = moves; m; m &= m - 1)
        ranks |= Bit(g.Rank[static_cast<std::size_t>(LowestBit(m))]);
    for (; ranks; ranks &= ranks - 1)
        out[static_cast<std::size_t>(count++)] =
            g.BitOfRank[static_cast<std::size_t>(LowestBit(ranks))];
    return count;
}

// The squares of moves for a node inside the tree: the given squares (bit
// indices; -1 = none) first, then the rest group by group in move order.
// Returns how many.
template <int N>
inline int OrderMoves(Bits moves, std::array<int, 3> first, std::array<std::uint8_t, 96>& out,
                      int& lead) {
    const auto& g = Geo<N>;
    int count = 0;
    for (int f : first)
        if (f >= 0 && (moves & Bit(f))) {
            out[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(f);
            moves &= ~Bit(f);
        }
    lead = count;
    auto low = static_cast<std::uint64_t>(moves), high = static_cast<std::uint64_t>(moves >> 64);
    for (std::size_t c = 0; (low | high) && c < g.Groups.size(); ++c) {
        auto x = low & static_cast<std::uint64_t>(g.Groups[c]);
        auto y = high & static_cast<std::uint64_t>(g.Groups[c] >> 64);
        low &= ~x;
        high &= ~y;
        for (; x; x &= x - 1)
            out[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(__builtin_ctzll(x));
        for (; y; y &= y - 1)
            out[static_cast<std::size_t>(count++)] =
                static_cast<std::uint8_t>(64 + __builtin_ctzll(y));
    }
    return count;
}

}  // namespace reversi::searchbits
