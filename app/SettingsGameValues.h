// The game values of the settings (opponent, colour, level, engine, field)
// as the one value a game carries, both ways.
#pragma once

#include "GameController.h"
#include "Settings.h"

namespace reversi {

inline GameValues GameValuesOf(const Settings& s) {
    return {.vsComputer = s.VsComputer,
            .computerSide = SideOf(s.ComputerSide),
            .depth = s.Depth,
            .babyLevel = s.BabyLevel,
            .advancedEngine = s.AdvancedEngine,
            .boardSize = s.BoardSize};
}

inline Settings WithGameValues(Settings s, const GameValues& v) {
    s.VsComputer = v.vsComputer;
    s.ComputerSide = ToCell(v.computerSide);
    s.Depth = v.depth;
    s.BabyLevel = v.babyLevel;
    s.AdvancedEngine = v.advancedEngine;
    s.BoardSize = v.boardSize;
    return s;
}

}  // namespace reversi
