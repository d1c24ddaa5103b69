// The match record. A minimal form until the full record lands.
#pragma once

#include <cstdint>
#include <vector>

#include "Board.h"

namespace reversi {

struct TMove {
    std::int32_t dest = 0;
    std::int32_t who = 0;
    std::int32_t opp = 0;
    tBoard board{};
};

class OBoardTracker {
public:
    std::int32_t count = 0;
    std::int32_t current = 0;
    std::int32_t size = 8;
    std::vector<TMove> moves;
};

// Discards the old match record and creates a new empty one.
void NewBoardTracker();

}  // namespace reversi
