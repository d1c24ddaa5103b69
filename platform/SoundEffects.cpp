#include "SoundEffects.h"

#include <algorithm>

namespace reversi::platform {

namespace {

constexpr std::array<std::string_view, kSoundEffectCount> kFileNames = {
    "connect.ogg", "correct.ogg", "disconnect.ogg", "endgame.ogg",
    "message.ogg", "move.ogg",    "movehint.ogg",   "stmove.ogg",
};

}  // namespace

std::string_view SoundEffects::fileName(TSoundEffect effect) {
    const auto i = std::size_t(effect);
    return i < kFileNames.size() ? kFileNames[i] : std::string_view{};
}

int SoundEffects::load(const SoundLayer& sound, const std::filesystem::path& folder) {
    free();
    for (std::size_t i = 0; i < samples_.size(); ++i)
        samples_[i] = sound.loadSample(folder / kFileNames[i]);
    return loadedCount();
}

int SoundEffects::play(const SoundLayer& sound, TSoundEffect effect) const {
    return play(sound, int(effect));
}

int SoundEffects::play(const SoundLayer& sound, int index) const {
    if (index < 0 || index >= kSoundEffectCount) return SoundLayer::kNoChannel;
    return sound.playSound(samples_[std::size_t(index)]);
}

bool SoundEffects::isLoaded(TSoundEffect effect) const {
    const auto i = std::size_t(effect);
    return i < samples_.size() && samples_[i].isLoaded();
}

int SoundEffects::loadedCount() const {
    return int(std::count_if(samples_.begin(), samples_.end(),
                             [](const Sample& s) { return s.isLoaded(); }));
}

void SoundEffects::free() {
    for (Sample& s : samples_) s.reset();
}

}  // namespace reversi::platform
