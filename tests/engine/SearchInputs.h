// The search's input for a position, as the search tests build it.
#pragma once

#include "Search.h"

namespace reversi::test {

inline SearchInput Input(const tBoard& b, int side, int depth, bool baby = false,
                         bool advanced = false, int n = 8) {
    SearchInput in;
    in.Position = b;
    in.SideToMove = side;
    in.Depth = depth;
    in.BabyLevel = baby;
    in.AdvancedEngine = advanced;
    in.BoardSize = n;
    return in;
}

}  // namespace reversi::test
