#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "SoundLayer.h"
#include "SoundTestSupport.h"

namespace reversi::platform {
namespace {

using soundtest::dataFolder;
using soundtest::waitFor;

// A short generated Ogg Vorbis file (0.85 s): long enough that a busy machine
// cannot miss it playing, short enough for the "stream ended" cases.
class MusicStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sound.init());
        stream = sound.openStream(dataFolder() / "movehint.ogg");
        ASSERT_TRUE(stream.isOpen());
    }

    SoundLayer sound;
    MusicStream stream;
};

TEST_F(MusicStreamTest, PlaysUntilTheEndThenReportsNotPlaying) {
    const int channel = sound.playStream(stream);
    ASSERT_GE(channel, SoundLayer::kFirstMusicChannel);
    EXPECT_TRUE(sound.isPlaying(channel));
    EXPECT_TRUE(waitFor([&] { return !sound.isPlaying(channel); }));
    // An ended stream is still open and can be closed; its channel then means nothing.
    stream.reset();
    EXPECT_FALSE(sound.isPlaying(channel));
    EXPECT_FALSE(sound.setPaused(channel, false));
}

TEST_F(MusicStreamTest, PausedStreamCountsAsPlayingAndResumes) {
    const int channel = sound.playStream(stream);
    ASSERT_GE(channel, 0);
    EXPECT_TRUE(sound.setPaused(channel, true));
    EXPECT_TRUE(Mix_PausedMusic());
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));  // longer than the piece
    EXPECT_TRUE(sound.isPlaying(channel));
    EXPECT_TRUE(sound.setPaused(channel, false));
    EXPECT_FALSE(Mix_PausedMusic());
    EXPECT_TRUE(waitFor([&] { return !sound.isPlaying(channel); }));
}

TEST_F(MusicStreamTest, StartingPausedIsSilentAndKeepsTheMusicVolume) {
    ASSERT_TRUE(sound.setVolumeAbsolute(sound.playStream(stream), 60));
    const int channel = sound.playStream(stream, true);
    ASSERT_GE(channel, 0);
    EXPECT_TRUE(Mix_PausedMusic());
    EXPECT_EQ(Mix_VolumeMusic(-1), SoundLayer::toMixerVolume(60));
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    EXPECT_TRUE(sound.isPlaying(channel));
    EXPECT_TRUE(sound.setPaused(channel, false));
    EXPECT_TRUE(waitFor([&] { return !sound.isPlaying(channel); }));
}

TEST_F(MusicStreamTest, VolumeChangesWhilePlaying) {
    const int channel = sound.playStream(stream);
    ASSERT_GE(channel, 0);
    for (int volume : {0, 37, 255}) {
        EXPECT_TRUE(sound.setVolumeAbsolute(channel, volume));
        EXPECT_EQ(Mix_VolumeMusic(-1), SoundLayer::toMixerVolume(volume));
    }
}

TEST_F(MusicStreamTest, ClosingThePlayingStreamStopsIt) {
    MusicStream longer = sound.openStream(dataFolder() / "endgame.ogg");
    ASSERT_TRUE(longer.isOpen());
    const int channel = sound.playStream(longer);
    ASSERT_TRUE(sound.isPlaying(channel));
    longer.reset();
    EXPECT_FALSE(sound.isPlaying(channel));
    EXPECT_FALSE(Mix_PlayingMusic());
    EXPECT_FALSE(sound.setVolumeAbsolute(channel, 10));
}

TEST_F(MusicStreamTest, EachPlayGetsANewChannelAndTheOldOneEnds) {
    MusicStream longer = sound.openStream(dataFolder() / "endgame.ogg");
    ASSERT_TRUE(longer.isOpen());
    const int first = sound.playStream(longer);
    const int second = sound.playStream(stream);
    ASSERT_GE(first, SoundLayer::kFirstMusicChannel);
    ASSERT_GE(second, SoundLayer::kFirstMusicChannel);
    EXPECT_NE(first, second);
    EXPECT_FALSE(sound.isPlaying(first));
    EXPECT_FALSE(sound.setPaused(first, true));
    EXPECT_TRUE(sound.isPlaying(second));
    // Closing the stream that no longer plays leaves the new one alone.
    longer.reset();
    EXPECT_TRUE(sound.isPlaying(second));
}

// Writes `seconds` of a quiet 440 Hz tone as a 16-bit mono PCM WAV file.
void writeWav(const std::filesystem::path& path, double seconds) {
    constexpr std::uint32_t rate = 22050;
    const auto frames = std::uint32_t(seconds * rate);
    std::vector<std::int16_t> pcm(frames);
    for (std::uint32_t i = 0; i < frames; ++i)
        pcm[i] = std::int16_t(3000.0 * std::sin(2.0 * 3.14159265 * 440.0 * i / rate));
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) {
        for (int b = 0; b < 4; ++b) out.put(char(v >> (8 * b)));
    };
    auto u16 = [&](std::uint16_t v) {
        out.put(char(v));
        out.put(char(v >> 8));
    };
    out.write("RIFF", 4);
    u32(36 + frames * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(frames * 2);
    out.write(reinterpret_cast<const char*>(pcm.data()), std::streamsize(pcm.size() * 2));
}

TEST_F(MusicStreamTest, WavFilesPlayAsMusicToo) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("reversi_sound_music_" + std::to_string(::getpid()) + ".wav");
    writeWav(path, 0.3);
    {
        MusicStream wav = sound.openStream(path);
        ASSERT_TRUE(wav.isOpen());
        const int channel = sound.playStream(wav);
        ASSERT_GE(channel, SoundLayer::kFirstMusicChannel);
        EXPECT_TRUE(waitFor([&] { return !sound.isPlaying(channel); }));
    }
    std::filesystem::remove(path);
}

TEST_F(MusicStreamTest, PausingNoMusicTouchesNoEffect) {
    Sample sample = sound.loadSample(dataFolder() / "endgame.ogg");
    const int effect = sound.playSound(sample);
    ASSERT_EQ(effect, 1);
    // Before any music has played, a channel variable holds 0 or kNoChannel.
    for (int noMusic : {SoundLayer::kNoChannel, 0}) {
        EXPECT_FALSE(sound.setPaused(noMusic, true));
        EXPECT_FALSE(sound.setVolumeAbsolute(noMusic, 0));
    }
    EXPECT_EQ(Mix_Paused(-1), 0);
    EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME);
}

}  // namespace
}  // namespace reversi::platform
