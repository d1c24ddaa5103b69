#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <chrono>
#include <fstream>
#include <future>
#include <thread>
#include <string>
#include <utility>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "SoundLayer.h"
#include "SoundTestSupport.h"

namespace reversi::platform {
namespace {

using soundtest::dataFolder;
using soundtest::ScopedEnv;

TEST(SoundLayer, VolumeScaleMapsOntoMixerRange) {
    const std::pair<int, int> cases[] = {{0, 0},     {1, 1},     {2, 2},  {127, 64}, {128, 65},
                                         {254, 128}, {255, 128}, {-7, 0}, {300, 128}};
    for (auto [ours, mixer] : cases) EXPECT_EQ(SoundLayer::toMixerVolume(ours), mixer) << ours;
}

TEST(SoundLayer, WithoutAudioDeviceEveryCallIsHarmless) {
    ScopedEnv noDevice("SDL_AUDIODRIVER", "no-such-audio-driver");
    SoundLayer sound;
    EXPECT_FALSE(sound.init());
    EXPECT_FALSE(sound.isOpen());

    Sample sample = sound.loadSample(dataFolder() / "move.ogg");
    EXPECT_FALSE(sample.isLoaded());
    EXPECT_EQ(sound.playSound(sample), SoundLayer::kNoChannel);
    sound.setSfxMasterVolume(200);

    MusicStream stream = sound.openStream(dataFolder() / "endgame.ogg");
    EXPECT_FALSE(stream.isOpen());
    EXPECT_EQ(sound.playStream(stream), SoundLayer::kNoChannel);
    for (int channel : {SoundLayer::kNoChannel, 0, 5, SoundLayer::kFirstMusicChannel}) {
        EXPECT_FALSE(sound.isPlaying(channel));
        EXPECT_FALSE(sound.setPaused(channel, true));
        EXPECT_FALSE(sound.setPaused(channel, false));
        EXPECT_FALSE(sound.setVolumeAbsolute(channel, 100));
    }
    sound.close();
    sound.close();
}

TEST(SoundLayer, OpensWithDummyDriverAndPlaysAnEffect) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    EXPECT_TRUE(sound.init());  // a second start keeps the open device
    Sample sample = sound.loadSample(dataFolder() / "endgame.ogg");
    ASSERT_TRUE(sample.isLoaded());
    const int channel = sound.playSound(sample);
    ASSERT_GE(channel, 1);
    EXPECT_LE(channel, 32);
    EXPECT_TRUE(sound.isPlaying(channel));
    for (int notAChannel : {SoundLayer::kNoChannel, 0, 33, SoundLayer::kFirstMusicChannel})
        EXPECT_FALSE(sound.isPlaying(notAChannel)) << notAChannel;
}

// Qt owns the process's signal handling; opening audio must not take over
// SIGINT or SIGTERM (SDL would otherwise turn them into its own quit events).
TEST(SoundLayer, LeavesSignalHandlersAlone) {
    struct sigaction before[2]{}, after[2]{};
    const int signals[2] = {SIGINT, SIGTERM};
    for (int i = 0; i < 2; ++i) ASSERT_EQ(::sigaction(signals[i], nullptr, &before[i]), 0);
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(::sigaction(signals[i], nullptr, &after[i]), 0);
        EXPECT_EQ(after[i].sa_handler, before[i].sa_handler) << signals[i];
    }
}

TEST(SoundLayer, EffectsOverlapUntilEveryChannelIsBusy) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init(44100, 2));
    Sample sample = sound.loadSample(dataFolder() / "endgame.ogg");
    ASSERT_TRUE(sample.isLoaded());
    const int first = sound.playSound(sample);
    const int second = sound.playSound(sample);
    EXPECT_GE(first, 1);
    EXPECT_GE(second, 1);
    EXPECT_NE(first, second);
    EXPECT_EQ(sound.playSound(sample), SoundLayer::kNoChannel);
}

TEST(SoundLayer, PausedEffectStaysBusyAndChannelVolumeResetsOnNextPlay) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init(44100, 1));
    Sample sample = sound.loadSample(dataFolder() / "movehint.ogg");  // 0.85 s
    ASSERT_TRUE(sample.isLoaded());
    const int channel = sound.playSound(sample);
    ASSERT_EQ(channel, 1);
    const int mixer = channel - 1;
    EXPECT_TRUE(sound.setVolumeAbsolute(channel, 51));
    EXPECT_EQ(Mix_Volume(mixer, -1), SoundLayer::toMixerVolume(51));
    EXPECT_TRUE(sound.setPaused(channel, true));
    EXPECT_TRUE(Mix_Paused(mixer));
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));  // longer than the effect
    EXPECT_TRUE(sound.isPlaying(channel));
    EXPECT_EQ(sound.playSound(sample), SoundLayer::kNoChannel);  // the paused channel is taken
    EXPECT_TRUE(sound.setPaused(channel, false));
    EXPECT_TRUE(soundtest::waitFor([&] { return !sound.isPlaying(channel); }));
    EXPECT_EQ(sound.playSound(sample), channel);
    EXPECT_EQ(Mix_Volume(mixer, -1), MIX_MAX_VOLUME);
}

TEST(SoundLayer, MasterVolumeScalesEffectsOnly) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME);
    sound.setSfxMasterVolume(100);
    EXPECT_EQ(Mix_MasterVolume(-1), SoundLayer::toMixerVolume(100));
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    sound.setSfxMasterVolume(999);
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME);
}

TEST(SoundLayer, MissingOrCorruptFilesGiveEmptyHandles) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    const auto folder = std::filesystem::temp_directory_path() /
                        ("reversi_sound_bad_files_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    {
        std::ofstream(folder / "bad.ogg", std::ios::binary)
            << "OggS but not really a vorbis stream";
    }
    { std::ofstream(folder / "empty.ogg", std::ios::binary); }
    for (const char* name : {"missing.ogg", "bad.ogg", "empty.ogg"}) {
        Sample sample = sound.loadSample(folder / name);
        EXPECT_FALSE(sample.isLoaded()) << name;
        EXPECT_EQ(sound.playSound(sample), SoundLayer::kNoChannel) << name;
        MusicStream stream = sound.openStream(folder / name);
        EXPECT_FALSE(stream.isOpen()) << name;
        EXPECT_EQ(sound.playStream(stream), SoundLayer::kNoChannel) << name;
    }
    std::filesystem::remove_all(folder);
}

TEST(SoundLayer, APipeOrADeviceIsNeverOpenedAsMusic) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    const auto folder = std::filesystem::temp_directory_path() /
                        ("reversi_sound_pipe_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto fifo = folder / "pipe.ogg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& file : {fifo, std::filesystem::path("/dev/zero"), folder}) {
        SCOPED_TRACE(file.string());
        auto open = std::async(std::launch::async,
                               [&sound, &file] { return sound.openStream(file).isOpen(); });
        if (open.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "opening blocked";
            // A writer on the other end frees a reader stuck in open().
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        }
        EXPECT_FALSE(open.get());
    }
    std::filesystem::remove_all(folder);
}

TEST(SoundLayer, HandlesMoveAndFreeOnce) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    Sample a = sound.loadSample(dataFolder() / "move.ogg");
    ASSERT_TRUE(a.isLoaded());
    Sample b = std::move(a);
    EXPECT_FALSE(a.isLoaded());
    EXPECT_TRUE(b.isLoaded());
    b = sound.loadSample(dataFolder() / "stmove.ogg");  // frees the first
    EXPECT_TRUE(b.isLoaded());
    b.reset();
    EXPECT_FALSE(b.isLoaded());
    EXPECT_EQ(sound.playSound(b), SoundLayer::kNoChannel);

    MusicStream s = sound.openStream(dataFolder() / "endgame.ogg");
    ASSERT_TRUE(s.isOpen());
    MusicStream t = std::move(s);
    EXPECT_FALSE(s.isOpen());
    EXPECT_TRUE(t.isOpen());
    EXPECT_EQ(sound.playStream(s), SoundLayer::kNoChannel);
    EXPECT_GE(sound.playStream(t), SoundLayer::kFirstMusicChannel);
}

TEST(SoundLayer, HandlesOutlivingCloseAreFreedSafelyAndNothingPlays) {
    Sample sample;
    MusicStream stream;
    {
        SoundLayer sound;
        ASSERT_TRUE(sound.init());
        sample = sound.loadSample(dataFolder() / "endgame.ogg");
        stream = sound.openStream(dataFolder() / "endgame.ogg");
        ASSERT_TRUE(sample && stream);
        const int effect = sound.playSound(sample);
        const int music = sound.playStream(stream);
        ASSERT_GE(effect, 1);
        ASSERT_GE(music, SoundLayer::kFirstMusicChannel);
        sound.close();
        EXPECT_FALSE(sound.isOpen());
        EXPECT_FALSE(sound.isPlaying(effect));
        EXPECT_FALSE(sound.isPlaying(music));
        EXPECT_EQ(sound.playSound(sample), SoundLayer::kNoChannel);
        EXPECT_EQ(sound.playStream(stream), SoundLayer::kNoChannel);
        EXPECT_EQ(Mix_Playing(-1), 0);  // close silenced everything at once
        EXPECT_EQ(Mix_PlayingMusic(), 0);
    }
    // The layer is gone; the handles still free cleanly, then the device closes.
    sample.reset();
    stream.reset();
    SoundLayer again;
    EXPECT_TRUE(again.init());
}

}  // namespace
}  // namespace reversi::platform
