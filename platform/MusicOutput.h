#pragma once
// What the music player needs from the sound output: one music stream at a
// time, opened from a file, started on a channel, and that channel's controls.
// The game uses `SoundLayerMusicOutput`; tests put a scripted fake in its place.

#include <filesystem>
#include <memory>

#include "SoundLayer.h"

namespace reversi::platform {

class MusicOutput {
public:
    virtual ~MusicOutput() = default;

    // True when sound output is available; without it the player stays idle.
    [[nodiscard]] virtual bool isAvailable() const = 0;
    // Opens `file` as the current stream, replacing (and closing) any open one.
    // False when it cannot be opened or decoded; no stream is open then.
    virtual bool openStream(const std::filesystem::path& file) = 0;
    // Starts the open stream from its beginning (paused and silent with
    // `paused`). Answers its channel, or SoundLayer::kNoChannel on failure.
    virtual int playStream(bool paused) = 0;
    // Stops and frees the open stream, if any.
    virtual void closeStream() = 0;
    // True while `channel` still plays its stream, a paused stream included.
    [[nodiscard]] virtual bool isPlaying(int channel) const = 0;
    // Pause, resume and volume (0..255) of `channel`; harmless on a channel not in use.
    virtual void setPaused(int channel, bool paused) = 0;
    virtual void setVolume(int channel, int volume) = 0;
};

// The real output: SDL2_mixer through a `SoundLayer` of its own (the audio
// device is shared by every layer of the process).
class SoundLayerMusicOutput final : public MusicOutput {
public:
    // Opens the audio output; without a device every call does nothing.
    SoundLayerMusicOutput();
    ~SoundLayerMusicOutput() override;

    [[nodiscard]] bool isAvailable() const override;
    bool openStream(const std::filesystem::path& file) override;
    int playStream(bool paused) override;
    void closeStream() override;
    [[nodiscard]] bool isPlaying(int channel) const override;
    void setPaused(int channel, bool paused) override;
    void setVolume(int channel, int volume) override;

private:
    SoundLayer sound_;
    MusicStream stream_;
};

}  // namespace reversi::platform
