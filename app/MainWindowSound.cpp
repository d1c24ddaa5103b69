// The eight game sound effects: opened once at start-up from the data folder
// and played while sound is on. Without an audio device the game is silent.
#include <QCoreApplication>

#include "EngineUnit.h"
#include "MainWindow.h"

namespace reversi {

void TReversiForm::StartSound() {
    if (!Sound.init()) return;
    const std::filesystem::path program = QCoreApplication::applicationDirPath().toStdString();
    Effects.load(Sound, program / "DATA");
}

void TReversiForm::PlaySoundEffect(int index) {
    if (!Game().SoundEffectsOn) return;
    if (SoundPlayed) SoundPlayed(index);
    Sound.setSfxMasterVolume(SoundVolume);
    Effects.play(Sound, index);
}

}  // namespace reversi
