#pragma once
// The game's sound output over SDL2_mixer: start and close the audio device,
// load and play short effect samples, open and play one music stream, and the
// per-channel controls (playing test, pause, volume) the music player needs.
//
// When the audio device cannot be opened the layer stays closed and every call
// is a harmless no-op returning its "nothing" value (empty handle, channel -1,
// false), so the game runs silently.
//
// Samples and streams are move-only handles. Each keeps the audio device alive
// until it is freed, so a handle outliving `close()` or the layer is still
// freed safely; the layer itself plays nothing once closed.
//
// Volumes are 0..255 throughout, as the settings store them.
//
// Channels: effects play on channels 1..N (N from `init`); a playing music
// stream gets a channel number of its own, >= `kFirstMusicChannel`, new for
// every `playStream`. Zero and negative numbers are never channels, so a
// channel variable that starts at 0 or `kNoChannel` (-1) before any music
// plays cannot pause or change an effect by mistake.
//
// Use it from one thread (the main thread); SDL2_mixer mixes on its own.

#include <filesystem>
#include <memory>

struct Mix_Chunk;
struct _Mix_Music;

namespace reversi::platform {

class AudioDevice;

// One loaded effect. Empty when loading failed or audio is off; playing an
// empty sample does nothing.
class Sample {
public:
    Sample() = default;
    ~Sample();
    Sample(Sample&& other) noexcept;
    Sample& operator=(Sample&& other) noexcept;
    Sample(const Sample&) = delete;
    Sample& operator=(const Sample&) = delete;

    [[nodiscard]] bool isLoaded() const { return chunk_ != nullptr; }
    explicit operator bool() const { return isLoaded(); }
    // Frees the sample now (stopping it where it plays); it becomes empty.
    void reset();

private:
    friend class SoundLayer;
    Sample(std::shared_ptr<AudioDevice> device, Mix_Chunk* chunk);

    std::shared_ptr<AudioDevice> device_;
    Mix_Chunk* chunk_ = nullptr;
};

// One opened music file (OGG, MP3, WAV, and whatever else SDL2_mixer decodes).
// Empty when the file could not be opened or decoded, or audio is off.
class MusicStream {
public:
    MusicStream() = default;
    ~MusicStream();
    MusicStream(MusicStream&& other) noexcept;
    MusicStream& operator=(MusicStream&& other) noexcept;
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    [[nodiscard]] bool isOpen() const { return music_ != nullptr; }
    explicit operator bool() const { return isOpen(); }
    // Stops the stream if it plays and frees it; it becomes empty.
    void reset();

private:
    friend class SoundLayer;
    MusicStream(std::shared_ptr<AudioDevice> device, _Mix_Music* music);

    std::shared_ptr<AudioDevice> device_;
    _Mix_Music* music_ = nullptr;
};

class SoundLayer {
public:
    static constexpr int kNoChannel = -1;
    static constexpr int kFirstMusicChannel = 1000;
    static constexpr int kMaxVolume = 255;
    static constexpr int kMaxEffectChannels = 256;

    SoundLayer() = default;
    ~SoundLayer();
    SoundLayer(const SoundLayer&) = delete;
    SoundLayer& operator=(const SoundLayer&) = delete;

    // Opens the audio output with `channels` (1..256) effect channels mixing at
    // `mixRate` Hz. True when sound is available; false leaves the layer closed
    // (nothing further to undo). Calling it on an open layer just answers true.
    bool init(int mixRate = 44100, int channels = 32);
    // Stops all sound and gives up the device (once the last handle is freed).
    void close();
    [[nodiscard]] bool isOpen() const { return device_ != nullptr; }

    // Loads an effect file (OGG, WAV, ...) fully into memory.
    [[nodiscard]] Sample loadSample(const std::filesystem::path& file) const;
    // Starts `sample` on any free effect channel at full channel volume
    // (scaled by the effects master volume). Answers the channel, or -1 when
    // nothing plays (closed, empty sample, every channel busy).
    int playSound(const Sample& sample) const;
    // Volume of every effect, 0..255 (clamped); the music is not affected.
    void setSfxMasterVolume(int volume) const;

    // Opens a music file for streaming; empty when it cannot be opened or decoded.
    [[nodiscard]] MusicStream openStream(const std::filesystem::path& file) const;
    // Starts `stream` from its beginning, replacing any music that plays.
    // Answers its new music channel, or -1 on failure.
    // With `paused` it starts paused and silent (for music that is switched off).
    int playStream(const MusicStream& stream, bool paused = false) const;

    // True while `channel` is busy with its effect or stream, paused included;
    // false once it has ended, and for any channel that is not in use.
    [[nodiscard]] bool isPlaying(int channel) const;
    // Pauses or resumes `channel`. False (and no effect) for a channel that is
    // not in use.
    bool setPaused(int channel, bool paused) const;
    // Sets `channel`'s volume at once, also while it plays, 0..255 (clamped).
    // False for a channel that is not in use.
    bool setVolumeAbsolute(int channel, int volume) const;

    // Converts 0..255 to SDL2_mixer's 0..128, keeping every non-zero volume audible.
    [[nodiscard]] static int toMixerVolume(int volume);

private:
    std::shared_ptr<AudioDevice> device_;
};

}  // namespace reversi::platform
