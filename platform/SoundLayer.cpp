#include "SoundLayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "RegularFile.h"

namespace reversi::platform {

// The opened audio output of the process. SDL2_mixer has one device per
// process, so there is at most one of these; the layer and every live sample
// and stream share it, and the last owner to let go closes it.
class AudioDevice {
public:
    static std::shared_ptr<AudioDevice> acquire(int mixRate, int channels);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Our effect channel numbers are 1..N; the mixer's are 0..N-1. Answers the
    // mixer's number, or -1 when `channel` is no effect channel.
    [[nodiscard]] int mixerChannel(int channel) const {
        return channel >= 1 && channel <= channels_ ? channel - 1 : -1;
    }
    [[nodiscard]] bool isMusicChannel(int channel) const {
        return current_ != nullptr && channel == musicChannel_;
    }
    [[nodiscard]] int effectChannels() const { return channels_; }

    // Bookkeeping of the one music stream SDL2_mixer can play at a time.
    int startedMusic(Mix_Music* music, bool paused);
    void forgetMusic(Mix_Music* music);
    void setMusicPaused(bool paused) { musicPaused_ = paused; }
    [[nodiscard]] bool musicPaused() const { return musicPaused_; }

private:
    explicit AudioDevice(int channels) : channels_(channels) {}

    int channels_;
    Mix_Music* current_ = nullptr;
    int musicChannel_ = SoundLayer::kNoChannel;
    int nextMusicChannel_ = SoundLayer::kFirstMusicChannel;
    bool musicPaused_ = false;
};

std::shared_ptr<AudioDevice> AudioDevice::acquire(int mixRate, int channels) {
    static std::weak_ptr<AudioDevice> shared;
    if (auto device = shared.lock()) return device;

    // Qt owns the process's signals; SDL must not install SIGINT/SIGTERM handlers.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    // SDL2_mixer marks a paused channel with the pause time in SDL ticks, so a
    // pause in the very first millisecond (tick 0) would not take. Let the
    // clock pass zero before anything can play.
    while (SDL_GetTicks() == 0) SDL_Delay(1);
    Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);  // a decoder that is missing only fails its files
    if (Mix_OpenAudio(mixRate, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    const int allocated =
        Mix_AllocateChannels(std::clamp(channels, 1, SoundLayer::kMaxEffectChannels));
    Mix_MasterVolume(MIX_MAX_VOLUME);
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    std::shared_ptr<AudioDevice> device(new AudioDevice(allocated));
    shared = device;
    return device;
}

AudioDevice::~AudioDevice() {
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

int AudioDevice::startedMusic(Mix_Music* music, bool paused) {
    current_ = music;
    musicPaused_ = paused;
    musicChannel_ = nextMusicChannel_;
    nextMusicChannel_ =
        nextMusicChannel_ == INT_MAX ? SoundLayer::kFirstMusicChannel : nextMusicChannel_ + 1;
    return musicChannel_;
}

void AudioDevice::forgetMusic(Mix_Music* music) {
    if (music != current_) return;
    current_ = nullptr;
    musicChannel_ = SoundLayer::kNoChannel;
    musicPaused_ = false;
}

// ---- Sample ----

Sample::Sample(std::shared_ptr<AudioDevice> device, Mix_Chunk* chunk)
    : device_(std::move(device)), chunk_(chunk) {}

Sample::~Sample() { reset(); }

Sample::Sample(Sample&& other) noexcept
    : device_(std::move(other.device_)), chunk_(std::exchange(other.chunk_, nullptr)) {}

Sample& Sample::operator=(Sample&& other) noexcept {
    if (this != &other) {
        reset();
        device_ = std::move(other.device_);
        chunk_ = std::exchange(other.chunk_, nullptr);
    }
    return *this;
}

void Sample::reset() {
    if (chunk_) Mix_FreeChunk(std::exchange(chunk_, nullptr));  // halts the channels playing it
    device_.reset();  // only after the chunk: the device may close here
}

// ---- MusicStream ----

MusicStream::MusicStream(std::shared_ptr<AudioDevice> device, Mix_Music* music)
    : device_(std::move(device)), music_(music) {}

MusicStream::~MusicStream() { reset(); }

MusicStream::MusicStream(MusicStream&& other) noexcept
    : device_(std::move(other.device_)), music_(std::exchange(other.music_, nullptr)) {}

MusicStream& MusicStream::operator=(MusicStream&& other) noexcept {
    if (this != &other) {
        reset();
        device_ = std::move(other.device_);
        music_ = std::exchange(other.music_, nullptr);
    }
    return *this;
}

void MusicStream::reset() {
    if (music_) {
        device_->forgetMusic(music_);
        Mix_FreeMusic(std::exchange(music_, nullptr));  // halts it when it is the one playing
    }
    device_.reset();
}

// ---- SoundLayer ----

SoundLayer::~SoundLayer() { close(); }

bool SoundLayer::init(int mixRate, int channels) {
    if (!device_) device_ = AudioDevice::acquire(mixRate, channels);
    return device_ != nullptr;
}

void SoundLayer::close() {
    if (!device_) return;
    // Silence now, even while samples or streams are still held elsewhere.
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    device_.reset();
}

int SoundLayer::toMixerVolume(int volume) {
    const int v = std::clamp(volume, 0, kMaxVolume);
    return (v * MIX_MAX_VOLUME + kMaxVolume - 1) / kMaxVolume;
}

Sample SoundLayer::loadSample(const std::filesystem::path& file) const {
    if (!device_) return {};
    Mix_Chunk* chunk = Mix_LoadWAV(file.c_str());
    if (!chunk) return {};
    return Sample(device_, chunk);
}

int SoundLayer::playSound(const Sample& sample) const {
    if (!device_ || !sample.chunk_) return kNoChannel;
    // Pick the free channel here, so its volume is reset before it starts.
    for (int mixer = 0; mixer < device_->effectChannels(); ++mixer) {
        if (Mix_Playing(mixer)) continue;  // paused channels count as busy
        Mix_Volume(mixer, MIX_MAX_VOLUME);
        return Mix_PlayChannel(mixer, sample.chunk_, 0) == mixer ? mixer + 1 : kNoChannel;
    }
    return kNoChannel;
}

void SoundLayer::setSfxMasterVolume(int volume) const {
    if (device_) Mix_MasterVolume(toMixerVolume(volume));
}

MusicStream SoundLayer::openStream(const std::filesystem::path& file) const {
    if (!device_) return {};
    // The music folder was listed a while ago: a piece that has become a pipe
    // or a device since is not opened (opening a pipe waits for a writer).
    if (!IsRegularFile(file)) return {};
    Mix_Music* music = Mix_LoadMUS(file.c_str());
    if (!music) return {};
    return MusicStream(device_, music);
}

int SoundLayer::playStream(const MusicStream& stream, bool paused) const {
    if (!device_ || !stream.music_) return kNoChannel;
    if (!paused) {
        if (Mix_PlayMusic(stream.music_, 0) != 0) return kNoChannel;
        return device_->startedMusic(stream.music_, false);
    }
    // Start it muted and pause it at once, so not even one buffer is heard.
    const int volume = Mix_VolumeMusic(-1);
    Mix_VolumeMusic(0);
    const bool started = Mix_PlayMusic(stream.music_, 0) == 0;
    if (started) Mix_PauseMusic();
    Mix_VolumeMusic(volume);
    return started ? device_->startedMusic(stream.music_, true) : kNoChannel;
}

bool SoundLayer::isPlaying(int channel) const {
    if (!device_) return false;
    if (const int mixer = device_->mixerChannel(channel); mixer >= 0)
        return Mix_Playing(mixer) != 0;
    if (device_->isMusicChannel(channel)) return device_->musicPaused() || Mix_PlayingMusic() != 0;
    return false;
}

bool SoundLayer::setPaused(int channel, bool paused) const {
    if (!device_) return false;
    if (const int mixer = device_->mixerChannel(channel); mixer >= 0) {
        paused ? Mix_Pause(mixer) : Mix_Resume(mixer);
        return true;
    }
    if (device_->isMusicChannel(channel)) {
        paused ? Mix_PauseMusic() : Mix_ResumeMusic();
        device_->setMusicPaused(paused);
        return true;
    }
    return false;
}

bool SoundLayer::setVolumeAbsolute(int channel, int volume) const {
    if (!device_) return false;
    if (const int mixer = device_->mixerChannel(channel); mixer >= 0) {
        Mix_Volume(mixer, toMixerVolume(volume));
        return true;
    }
    if (device_->isMusicChannel(channel)) {
        Mix_VolumeMusic(toMixerVolume(volume));
        return true;
    }
    return false;
}

}  // namespace reversi::platform
