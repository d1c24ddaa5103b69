// The tests' door to the game a controller owns: they set up positions,
// flags and records on it directly, and read what the flow made of them.
#pragma once

#include "GameController.h"

namespace reversi {

struct GameStateAccess {
    // The controller's own game state (the controller itself is not const).
    static GameState& Of(const GameController& controller) {
        return const_cast<GameController&>(controller).state_;
    }
};

}  // namespace reversi
