#include "MatchRecord.h"

#include "GameState.h"

namespace reversi {

void NewBoardTracker() {
    auto& g = Game();
    g.Tracker = std::make_unique<OBoardTracker>();
    g.Tracker->size = g.BoardSize;
}

}  // namespace reversi
