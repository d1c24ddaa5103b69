// Random games played out on a board of their own, passes included, for
// tests that need a match record with passes and an end.
#pragma once

#include <random>
#include <vector>

#include "EngineUnit.h"
#include "FieldRules.h"

namespace reversi::test {

struct RandomGame {
    std::vector<int> squares;  // the squares played, in order (passes are not moves)
    std::vector<int> movers;   // the colour of each move
    int passes = 0;
};

// Plays random legal moves from `start` (white to move) until neither colour
// can move, with the rules of field size n.
inline RandomGame PlayRandomGame(const tBoard& start, int n, unsigned seed) {
    RandomGame game;
    std::mt19937 rng(seed);
    tBoard b = start;
    int side = CellWhite;
    auto legalFor = [&](int me) {
        std::vector<int> legal;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                if (CanMoveOn(n, b, SquareIndex(x, y, n), me, 5 - me))
                    legal.push_back(SquareIndex(x, y, n));
        return legal;
    };
    while (true) {
        const std::vector<int> legal = legalFor(side);
        if (legal.empty()) {
            if (legalFor(5 - side).empty()) break;
            ++game.passes;
            side = 5 - side;
            continue;
        }
        const int s = legal[rng() % legal.size()];
        game.squares.push_back(s);
        game.movers.push_back(side);
        PlayOn(n, b, s, side, 5 - side);
        side = 5 - side;
    }
    return game;
}

// The first seeded random game with at least one pass.
inline RandomGame RandomGameWithPass(const tBoard& start, int n) {
    for (unsigned seed = 1; seed < 10000; ++seed) {
        RandomGame game = PlayRandomGame(start, n, seed);
        if (game.passes > 0) return game;
    }
    return {};
}

}  // namespace reversi::test
