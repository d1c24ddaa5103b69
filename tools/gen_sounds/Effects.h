#pragma once
// The recipes of the game's eight sound effects.

#include <string>
#include <vector>

#include "Synth.h"

namespace gensounds {

struct NamedSound {
    std::string name;  // file stem in DATA/, e.g. "move" for move.ogg
    Sound sound;
};

// All eight effects, in the order the game numbers them.
std::vector<NamedSound> makeEffects();

}  // namespace gensounds
