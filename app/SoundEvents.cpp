// The table of game events and their sound effects.
#include "SoundEvents.h"

#include "Settings.h"

namespace reversi {

std::optional<platform::TSoundEffect> EffectFor(SoundEvent event, const Settings& settings) {
    using platform::TSoundEffect;
    switch (event) {
        case SoundEvent::PointerOnLegalSquare:
            return TSoundEffect::correct;
        case SoundEvent::GameOverShown:
        case SoundEvent::PassShown:
            return TSoundEffect::endgame;
        case SoundEvent::MovePlaced:
            if (!settings.AnimationOn) return TSoundEffect::stmove;
            if (settings.FiguresStyle == 0) return TSoundEffect::move;
            return std::nullopt;
        case SoundEvent::HintShown:
            return TSoundEffect::movehint;
    }
    return std::nullopt;
}

}  // namespace reversi
