#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <chrono>
#include <thread>

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
    void SetUp() override
    {
        ASSERT_TRUE(sound.init());
        stream = sound.openStream(dataFolder() / "movehint.ogg");
        ASSERT_TRUE(stream.isOpen());
    }

    SoundLayer sound;
    MusicStream stream;
};

TEST_F(MusicStreamTest, PlaysUntilTheEndThenReportsNotPlaying)
{
    const int channel = sound.playStream(stream);
    ASSERT_GE(channel, SoundLayer::kFirstMusicChannel);
    EXPECT_TRUE(sound.isPlaying(channel));
    EXPECT_TRUE(waitFor([&] { return !sound.isPlaying(channel); }));
    // An ended stream is still open and can be closed; its channel then means nothing.
    stream.reset();
    EXPECT_FALSE(sound.isPlaying(channel));
    EXPECT_FALSE(sound.setPaused(channel, false));
}

TEST_F(MusicStreamTest, PausedStreamCountsAsPlayingAndResumes)
{
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

TEST_F(MusicStreamTest, StartingPausedIsSilentAndKeepsTheMusicVolume)
{
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

TEST_F(MusicStreamTest, VolumeChangesWhilePlaying)
{
    const int channel = sound.playStream(stream);
    ASSERT_GE(channel, 0);
    for (int volume : {0, 37, 255}) {
        EXPECT_TRUE(sound.setVolumeAbsolute(channel, volume));
        EXPECT_EQ(Mix_VolumeMusic(-1), SoundLayer::toMixerVolume(volume));
    }
}

TEST_F(MusicStreamTest, ClosingThePlayingStreamStopsIt)
{
    MusicStream longer = sound.openStream(dataFolder() / "endgame.ogg");
    ASSERT_TRUE(longer.isOpen());
    const int channel = sound.playStream(longer);
    ASSERT_TRUE(sound.isPlaying(channel));
    longer.reset();
    EXPECT_FALSE(sound.isPlaying(channel));
    EXPECT_FALSE(Mix_PlayingMusic());
    EXPECT_FALSE(sound.setVolumeAbsolute(channel, 10));
}

TEST_F(MusicStreamTest, EachPlayGetsANewChannelAndTheOldOneEnds)
{
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

TEST_F(MusicStreamTest, PausingNoMusicTouchesNoEffect)
{
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
