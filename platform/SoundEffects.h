#pragma once
// The game's eight sound effects, loaded once from the data folder and played
// by name. A missing or undecodable file leaves that one effect silent.

#include <array>
#include <filesystem>
#include <string_view>

#include "SoundLayer.h"

namespace reversi::platform {

// The effects in the order the game numbers them (0..7).
enum class TSoundEffect : int {
    connect,     // a call request arrives, or our call is accepted
    correct,     // the pointer enters a square where a move is legal
    disconnect,  // the network opponent has left
    endgame,     // the game-over or pass message opens
    message,     // a chat line arrives
    move,        // a move is placed with animation
    movehint,    // the hint shows its move
    stmove,      // a move is placed without animation
};

inline constexpr int kSoundEffectCount = 8;

class SoundEffects {
public:
    // File name of an effect inside the data folder, e.g. "move.ogg"; empty for no effect.
    [[nodiscard]] static std::string_view fileName(TSoundEffect effect);

    // Loads all eight from `folder` (replacing any loaded before). Answers how
    // many loaded; nothing loads while `sound` is closed.
    int load(const SoundLayer& sound, const std::filesystem::path& folder);

    // Plays one effect; answers its channel or -1 (silent, not loaded, closed).
    int play(const SoundLayer& sound, TSoundEffect effect) const;
    // The same by number; a number outside 0..7 plays nothing.
    int play(const SoundLayer& sound, int index) const;

    [[nodiscard]] bool isLoaded(TSoundEffect effect) const;
    [[nodiscard]] int loadedCount() const;

    // Frees the samples in index order.
    void free();

private:
    std::array<Sample, kSoundEffectCount> samples_;
};

}  // namespace reversi::platform
