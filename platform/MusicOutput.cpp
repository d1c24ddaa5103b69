// The music output over SDL2_mixer: one stream at a time through a SoundLayer.
#include "MusicOutput.h"

namespace reversi::platform {

SoundLayerMusicOutput::SoundLayerMusicOutput() { sound_.init(); }

SoundLayerMusicOutput::~SoundLayerMusicOutput() { stream_.reset(); }

bool SoundLayerMusicOutput::isAvailable() const { return sound_.isOpen(); }

bool SoundLayerMusicOutput::openStream(const std::filesystem::path& file) {
    stream_.reset();
    stream_ = sound_.openStream(file);
    return stream_.isOpen();
}

int SoundLayerMusicOutput::playStream(bool paused) { return sound_.playStream(stream_, paused); }

void SoundLayerMusicOutput::closeStream() { stream_.reset(); }

bool SoundLayerMusicOutput::isPlaying(int channel) const { return sound_.isPlaying(channel); }

void SoundLayerMusicOutput::setPaused(int channel, bool paused) {
    sound_.setPaused(channel, paused);
}

void SoundLayerMusicOutput::setVolume(int channel, int volume) {
    sound_.setVolumeAbsolute(channel, volume);
}

}  // namespace reversi::platform
