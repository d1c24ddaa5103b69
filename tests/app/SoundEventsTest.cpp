// Which effect plays at which game event.
#include <gtest/gtest.h>

#include "Settings.h"
#include "SoundEvents.h"

namespace reversi {
namespace {

using platform::TSoundEffect;

TEST(SoundEvents, EachEventHasItsEffect) {
    const Settings settings;  // animation on, figure set 0
    const std::pair<SoundEvent, TSoundEffect> table[] = {
        {SoundEvent::PointerOnLegalSquare, TSoundEffect::correct},
        {SoundEvent::GameOverShown, TSoundEffect::endgame},
        {SoundEvent::PassShown, TSoundEffect::endgame},
        {SoundEvent::MovePlaced, TSoundEffect::move},
        {SoundEvent::HintShown, TSoundEffect::movehint},
    };
    for (const auto& [event, effect] : table) {
        EXPECT_EQ(EffectFor(event, settings), effect) << int(event);
    }
}

TEST(SoundEvents, APlacedMoveSoundsByAnimationAndFigureSet) {
    struct Case {
        bool animation;
        int figures;
        std::optional<TSoundEffect> effect;
    };
    const Case cases[] = {
        {true, 0, TSoundEffect::move},
        {false, 0, TSoundEffect::stmove},
        {false, 1, TSoundEffect::stmove},
        {true, 1, std::nullopt},  // an animated set without its own move sound
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.AnimationOn = c.animation;
        settings.FiguresStyle = c.figures;
        EXPECT_EQ(EffectFor(SoundEvent::MovePlaced, settings), c.effect)
            << c.animation << " " << c.figures;
    }
}

TEST(SoundEvents, TheSoundSwitchIsNotTheTablesBusiness) {
    Settings settings;
    settings.SoundEffectsOn = false;
    EXPECT_EQ(EffectFor(SoundEvent::HintShown, settings), TSoundEffect::movehint);
}

}  // namespace
}  // namespace reversi
