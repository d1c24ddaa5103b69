// The game values of the settings (opponent, colour, level, engine, field)
// as the one value a game carries, both ways.
#pragma once

#include "GameController.h"
#include "Settings.h"

namespace reversi {

// GameValuesOf(settings) reads them (GameController.h); this writes them.
inline Settings WithGameValues(Settings s, const GameValues& v) {
    PutGameValues(s, v);
    return s;
}

}  // namespace reversi
