#pragma once
// The game's own music track: a calm eight-bar piece for electric piano,
// pad, bass and a soft arpeggio, ending on a held chord. Plain arithmetic
// only, so every run makes the same samples.

#include <vector>

namespace genmusic {

inline constexpr int kTuneSampleRate = 22050;

// The whole piece as mono floats in -1..1 at kTuneSampleRate.
std::vector<float> composeTune();

}  // namespace genmusic
