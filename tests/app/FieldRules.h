// The rules of a field of size n (8, or 10 for any other value), for tests
// that play on boards of their own, apart from any game.
#pragma once

#include "Board.h"
#include "Rules.h"

namespace reversi::test {

inline bool CanMoveOn(int n, const tBoard& board, int square, int me, int opp) {
    return n == 8 ? CanMove8(board, square, me, opp) : CanMove10(board, square, me, opp);
}

// Places the piece and flips what it encloses (a pass changes nothing).
inline void PlayOn(int n, tBoard& board, int square, int me, int opp) {
    if (square == PassMove) return;
    board[static_cast<std::size_t>(square)] = static_cast<std::uint8_t>(me);
    if (n == 8) {
        MakeMove8(board, square, me, opp);
    } else {
        MakeMove10(board, square, me, opp);
    }
}

}  // namespace reversi::test
