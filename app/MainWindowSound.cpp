// Playing the game's sound effects while sound is on. Without an audio
// device the game is silent.
#include "MainWindow.h"

namespace reversi {

void TReversiForm::PlaySoundEffect(platform::TSoundEffect effect) {
    if (!settings_.SoundEffectsOn) return;
    emit soundPlayed(effect);
    if (!Sound.isOpen()) return;
    Sound.setSfxMasterVolume(settings_.SoundVolume);
    Effects.play(Sound, effect);
}

void TReversiForm::PlaySoundAt(SoundEvent event) {
    if (const auto effect = EffectFor(event, settings_)) PlaySoundEffect(*effect);
}

}  // namespace reversi
