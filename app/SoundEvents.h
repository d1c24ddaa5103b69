#pragma once
// Which sound effect the game plays at which event. The window names the
// event; this table picks the effect, so the choice is tested on its own.

#include <optional>

#include "SoundEffects.h"

namespace reversi {

struct Settings;

// The network's sounds (a call, the peer leaving, a chat line) are one effect
// each, played by the window's network handlers directly.
enum class SoundEvent {
    PointerOnLegalSquare,  // the pointer moves onto a new square where the side to move may play
    GameOverShown,         // just before the game-over message opens
    PassShown,             // just before a pass message opens
    MovePlaced,            // a move reaches the board (human, computer or network opponent)
    HintShown,             // the hint shows the best move
};

// The effect of `event`, or none. A placed move sounds "move" with animation
// on (played before the animation starts; only the figure set 0 has it) and
// "stmove" with animation off (played after the board shows the move). Whether
// sound is on is the caller's test, not this table's.
[[nodiscard]] std::optional<platform::TSoundEffect> EffectFor(SoundEvent event,
                                                              const Settings& settings);

}  // namespace reversi
