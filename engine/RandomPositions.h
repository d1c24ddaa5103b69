// Positions reached from the start by seeded random play, the same on every
// machine (std::mt19937 is fully specified). Used by tests and benchmarks to
// get reproducible middle-game positions.
#pragma once

#include <cstdint>

#include "Board.h"

namespace reversi {

struct PlayedPosition {
    tBoard Board{};
    int SideToMove = CellWhite;  // to move in Board
    int MovesPlayed = 0;         // discs placed since the start
    bool GameOver = false;       // neither side can move
};

// Plays `moves` random legal moves on an n x n field (8, or 10 for any other
// value) from the start position; a side without a legal square passes (a
// pass is not counted as a move). Stops early when the game ends.
PlayedPosition RandomPosition(int n, std::uint32_t seed, int moves);

}  // namespace reversi
