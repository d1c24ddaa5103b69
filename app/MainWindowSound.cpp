// Playing the game's sound effects while sound is on. Without an audio
// device the game is silent.
#include "EngineUnit.h"
#include "MainWindow.h"

namespace reversi {

void TReversiForm::PlaySoundEffect(int index) {
    if (!Game().SoundEffectsOn) return;
    if (SoundPlayed) SoundPlayed(index);
    if (!FSOUND_Inited) return;
    Sound.setSfxMasterVolume(SoundVolume);
    Effects.play(Sound, index);
}

}  // namespace reversi
