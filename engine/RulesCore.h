// The Reversi rules for one field size, as inline templates: the search calls
// them at every node, so they work on the byte array with no allocation.
#pragma once

#include "Board.h"

namespace reversi::rules {

// True when `me` may play `square`: the square is empty and in at least one
// direction a run of opp discs ends directly on a me disc.
template <int N>
inline bool CanMove(const tBoard& board, int square, int me, int opp) {
    if (board[square] != CellEmpty) return false;
    for (int d : Layout<N>::Dirs) {
        int s = square + d;
        if (board[s] != opp) continue;
        do s += d;
        while (board[s] == opp);
        if (board[s] == me) return true;
    }
    return false;
}

// Places me on square and turns every flanked run. No legality test; the
// pass value is ignored. Does not touch the game state.
template <int N>
inline void PlaceAndFlip(tBoard& board, int square, int me, int opp) {
    if (square == PassMove) return;
    for (int d : Layout<N>::Dirs) {
        int s = square + d;
        if (board[s] != opp) continue;
        do s += d;
        while (board[s] == opp);
        if (board[s] != me) continue;
        for (s -= d; board[s] == opp; s -= d) board[s] = static_cast<std::uint8_t>(me);
    }
    board[square] = static_cast<std::uint8_t>(me);
}

// Score of a finished game seen from me: WinScore plus or minus the disc
// difference, 0 for a draw; the weakest level inverts it.
template <int N>
inline int FinalScore(const tBoard& board, int me, int opp, bool babyLevel) {
    int d = 0;
    for (int i = Layout<N>::First; i <= Layout<N>::Last; ++i) {
        if (board[i] == me)
            ++d;
        else if (board[i] == opp)
            --d;
    }
    if (babyLevel) return WinScore - d;
    if (d > 0) return d + WinScore;
    if (d < 0) return d - WinScore;
    return 0;
}

// A board holding the start position of a field of size N.
template <int N>
inline tBoard StartBoard() {
    tBoard b{};
    for (int i = 0; i < N; ++i)
        for (int y = 0; y < N; ++y) b[Layout<N>::First + Layout<N>::Stride * i + y] = CellEmpty;
    for (int s : Layout<N>::StartWhite) b[s] = CellWhite;
    for (int s : Layout<N>::StartBlack) b[s] = CellBlack;
    return b;
}

}  // namespace reversi::rules
