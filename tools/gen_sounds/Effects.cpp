#include "Effects.h"

#include <utility>

namespace gensounds {

namespace {

// Note frequencies (equal temperament, A4 = 440 Hz).
constexpr double G4 = 392.00, C5 = 523.25, Eb5 = 622.25, E5 = 659.26, G5 = 783.99, A5 = 880.00,
                 C6 = 1046.50, E6 = 1318.51;

// A soft mallet on a tuned bar: fundamental with a quiet octave and twelfth.
const std::vector<Sound::Partial> kChime = {{1.0, 1.0, 1.0}, {2.0, 0.22, 2.0}, {3.0, 0.06, 3.0}};
// A small hand bell: its inharmonic partials give the "ding".
const std::vector<Sound::Partial> kBell = {
    {0.5, 0.25, 0.7}, {1.0, 1.0, 1.0}, {2.0, 0.35, 1.6}, {2.76, 0.22, 2.2}, {5.4, 0.06, 3.5}};
// A mellow horn-like tone: harmonics falling off quickly.
const std::vector<Sound::Partial> kHorn = {
    {1.0, 1.0, 1.0}, {2.0, 0.42, 1.2}, {3.0, 0.2, 1.4}, {4.0, 0.09, 1.7}, {5.0, 0.04, 2.0}};

// Common finish: soften, fade to silence, set the level.
Sound finish(Sound s, double cutoff, double fade, double peak) {
    s.lowPass(cutoff);
    s.fadeOut(fade);
    s.normalise(peak);
    return s;
}

// A disc placed with animation: a wooden click and its softer clack as it settles.
Sound moveEffect() {
    Sound s(0.30);
    s.addWoodHit(0.000, 1.0, 430.0, 0.030);
    s.addWoodHit(0.055, 0.45, 505.0, 0.024);
    return finish(std::move(s), 6000.0, 0.04, 0.50);
}

// A disc placed without animation: one lighter, brighter tap.
Sound stmoveEffect() {
    Sound s(0.16);
    s.addWoodHit(0.000, 1.0, 720.0, 0.020);
    return finish(std::move(s), 7000.0, 0.03, 0.40);
}

// The pointer enters a square where a move is possible: a tiny, quiet tick.
Sound correctEffect() {
    Sound s(0.10);
    s.addTone(0.000, 1975.5, 1.0, 0.002, 0.010, {{1.0, 1.0, 1.0}, {2.0, 0.15, 2.0}});
    return finish(std::move(s), 8000.0, 0.02, 0.18);
}

// The hint shows its move: two gentle rising chime notes.
Sound movehintEffect() {
    Sound s(0.85);
    s.addTone(0.00, A5, 1.0, 0.004, 0.22, kChime);
    s.addTone(0.15, E6, 0.9, 0.004, 0.25, kChime);
    return finish(std::move(s), 7000.0, 0.10, 0.42);
}

// A peer calls or accepts: a bright rising major arpeggio.
Sound connectEffect() {
    Sound s(0.80);
    s.addTone(0.00, C5, 1.0, 0.004, 0.20, kChime);
    s.addTone(0.09, E5, 0.95, 0.004, 0.20, kChime);
    s.addTone(0.18, G5, 0.9, 0.004, 0.26, kChime);
    return finish(std::move(s), 7000.0, 0.10, 0.45);
}

// The peer has gone: a falling minor arpeggio.
Sound disconnectEffect() {
    Sound s(0.80);
    s.addTone(0.00, G5, 0.9, 0.004, 0.18, kChime);
    s.addTone(0.10, Eb5, 0.95, 0.004, 0.18, kChime);
    s.addTone(0.20, C5, 1.0, 0.004, 0.26, kChime);
    return finish(std::move(s), 5000.0, 0.10, 0.45);
}

// A chat line arrives: a small bell, ding-dong.
Sound messageEffect() {
    Sound s(1.20);
    s.addTone(0.00, E6, 1.0, 0.003, 0.35, kBell);
    s.addTone(0.28, C6, 1.0, 0.003, 0.40, kBell);
    return finish(std::move(s), 6000.0, 0.15, 0.42);
}

// The game ends: a short fanfare, up the major triad and onto a held chord.
Sound endgameEffect() {
    Sound s(1.50);
    s.addTone(0.00, G4, 0.8, 0.015, 0.20, kHorn);
    s.addTone(0.13, C5, 0.8, 0.015, 0.20, kHorn);
    s.addTone(0.26, E5, 0.8, 0.015, 0.20, kHorn);
    for (double f : {C5, E5, G5, C6}) s.addTone(0.42, f, 0.55, 0.020, 0.55, kHorn);
    return finish(std::move(s), 4500.0, 0.30, 0.50);
}

}  // namespace

std::vector<NamedSound> makeEffects() {
    std::vector<NamedSound> effects;
    effects.push_back({"connect", connectEffect()});
    effects.push_back({"correct", correctEffect()});
    effects.push_back({"disconnect", disconnectEffect()});
    effects.push_back({"endgame", endgameEffect()});
    effects.push_back({"message", messageEffect()});
    effects.push_back({"move", moveEffect()});
    effects.push_back({"movehint", movehintEffect()});
    effects.push_back({"stmove", stmoveEffect()});
    return effects;
}

}  // namespace gensounds
