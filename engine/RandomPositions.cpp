#include "RandomPositions.h"

#include <array>
#include <random>

#include "RulesCore.h"

namespace reversi {

namespace {

template <int N>
PlayedPosition Play(std::uint32_t seed, int moves) {
    std::mt19937 rng(seed);
    PlayedPosition p;
    p.Board = rules::StartBoard<N>();
    std::array<int, 100> legal{};
    bool passed = false;
    while (p.MovesPlayed < moves) {
        const int me = p.SideToMove, opp = Opponent(me);
        int count = 0;
        for (int s = Layout<N>::First; s <= Layout<N>::Last; ++s)
            if (rules::CanMove<N>(p.Board, s, me, opp)) legal[count++] = s;
        if (count == 0) {
            if (passed) {
                p.GameOver = true;
                break;
            }
            passed = true;
        } else {
            passed = false;
            rules::PlaceAndFlip<N>(p.Board, legal[rng() % static_cast<unsigned>(count)], me, opp);
            ++p.MovesPlayed;
        }
        p.SideToMove = opp;
    }
    return p;
}

}  // namespace

PlayedPosition RandomPosition(int n, std::uint32_t seed, int moves) {
    return n == 8 ? Play<8>(seed, moves) : Play<10>(seed, moves);
}

}  // namespace reversi
