#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <fstream>
#include <string>

#include <unistd.h>

#include "SoundEffects.h"
#include "SoundTestSupport.h"

namespace reversi::platform {
namespace {

using soundtest::dataFolder;
using soundtest::ScopedEnv;

constexpr TSoundEffect kAll[] = {
    TSoundEffect::connect, TSoundEffect::correct, TSoundEffect::disconnect, TSoundEffect::endgame,
    TSoundEffect::message, TSoundEffect::move,    TSoundEffect::movehint,   TSoundEffect::stmove};

TEST(SoundEffects, FileNamesFollowTheNumbering) {
    const char* expected[] = {"connect.ogg", "correct.ogg", "disconnect.ogg", "endgame.ogg",
                              "message.ogg", "move.ogg",    "movehint.ogg",   "stmove.ogg"};
    for (int i = 0; i < kSoundEffectCount; ++i)
        EXPECT_EQ(SoundEffects::fileName(kAll[i]), expected[i]);
    EXPECT_EQ(int(kAll[7]), 7);
    EXPECT_TRUE(SoundEffects::fileName(TSoundEffect(8)).empty());
}

// The committed data files: each decodes and is a short effect.
TEST(SoundEffects, EveryDataFileDecodesAndIsShort) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
    const double bytesPerSecond = double(rate) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
    for (TSoundEffect effect : kAll) {
        const auto path = dataFolder() / SoundEffects::fileName(effect);
        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        ASSERT_NE(chunk, nullptr) << path << ": " << Mix_GetError();
        const double seconds = chunk->alen / bytesPerSecond;
        EXPECT_GE(seconds, 0.09) << path;
        EXPECT_LE(seconds, 1.6) << path;
        Mix_FreeChunk(chunk);
    }
}

TEST(SoundEffects, AllEightLoadAndPlay) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    SoundEffects effects;
    EXPECT_EQ(effects.load(sound, dataFolder()), kSoundEffectCount);
    for (TSoundEffect effect : kAll) {
        EXPECT_TRUE(effects.isLoaded(effect));
        const int channel = effects.play(sound, effect);
        EXPECT_GE(channel, 1) << SoundEffects::fileName(effect);
    }
    EXPECT_GE(effects.play(sound, 5), 1);
    effects.free();
    EXPECT_EQ(effects.loadedCount(), 0);
    EXPECT_EQ(effects.play(sound, TSoundEffect::move), SoundLayer::kNoChannel);
}

TEST(SoundEffects, NumberOutsideTheSetPlaysNothing) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    SoundEffects effects;
    effects.load(sound, dataFolder());
    for (int index : {-1, 8, 100}) EXPECT_EQ(effects.play(sound, index), SoundLayer::kNoChannel);
    EXPECT_FALSE(effects.isLoaded(TSoundEffect(8)));
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST(SoundEffects, MissingOrCorruptFileSilencesOnlyThatEffect) {
    SoundLayer sound;
    ASSERT_TRUE(sound.init());
    const auto folder = std::filesystem::temp_directory_path() /
                        ("reversi_sound_partial_data_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (TSoundEffect effect : kAll) {
        const auto name = std::string(SoundEffects::fileName(effect));
        if (effect == TSoundEffect::message) continue;  // missing
        if (effect == TSoundEffect::move) {             // damaged: cut to its first 200 bytes
            std::ifstream in(dataFolder() / name, std::ios::binary);
            std::string head(200, '\0');
            in.read(head.data(), std::streamsize(head.size()));
            std::ofstream(folder / name, std::ios::binary) << head;
            continue;
        }
        std::filesystem::copy_file(dataFolder() / name, folder / name);
    }
    SoundEffects effects;
    EXPECT_EQ(effects.load(sound, folder), kSoundEffectCount - 2);
    for (TSoundEffect effect : kAll) {
        const bool silent = effect == TSoundEffect::message || effect == TSoundEffect::move;
        EXPECT_EQ(effects.isLoaded(effect), !silent) << SoundEffects::fileName(effect);
        EXPECT_EQ(effects.play(sound, effect) == SoundLayer::kNoChannel, silent)
            << SoundEffects::fileName(effect);
    }
    std::filesystem::remove_all(folder);
}

TEST(SoundEffects, WithoutAudioNothingLoadsOrPlays) {
    ScopedEnv noDevice("SDL_AUDIODRIVER", "no-such-audio-driver");
    SoundLayer sound;
    ASSERT_FALSE(sound.init());
    SoundEffects effects;
    EXPECT_EQ(effects.load(sound, dataFolder()), 0);
    for (TSoundEffect effect : kAll) EXPECT_EQ(effects.play(sound, effect), SoundLayer::kNoChannel);
}

}  // namespace
}  // namespace reversi::platform
