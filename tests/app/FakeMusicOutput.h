#pragma once
// A scripted music output for the music player's tests: it writes every call
// into a log, "plays" the files the test declares playable, and lets the test
// end the piece that plays.

#include <QString>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "MusicOutput.h"

namespace reversi::test {

class FakeMusicOutput : public platform::MusicOutput {
public:
    // Shared with the test while the player owns the output.
    struct Script {
        bool available = true;
        std::set<std::string> playable;  // file names that open
        bool playFails = false;          // playStream answers no channel
        std::vector<std::string> log;
        int channel = -1;    // the channel that plays, -1 when none
        bool ended = false;  // the piece on `channel` has ended
        bool paused = false;
        int volume = -1;
        int nextChannel = 1000;
    };

    explicit FakeMusicOutput(Script& script) : s_(&script) {}

    bool isAvailable() const override { return s_->available; }
    bool openStream(const std::filesystem::path& file) override {
        const std::string name = file.filename().string();
        const bool ok = s_->playable.count(name) != 0;
        s_->log.push_back("open " + name + (ok ? "" : " failed"));
        open_ = ok;
        return ok;
    }
    int playStream(bool paused) override {
        s_->log.push_back(paused ? "play paused" : "play");
        if (!open_ || s_->playFails) return -1;
        s_->channel = s_->nextChannel++;
        s_->ended = false;
        s_->paused = paused;
        return s_->channel;
    }
    void closeStream() override {
        s_->log.push_back("close");
        open_ = false;
        s_->channel = -1;
    }
    bool isPlaying(int channel) const override {
        return open_ && channel == s_->channel && !s_->ended;
    }
    void setPaused(int channel, bool paused) override {
        s_->log.push_back(paused ? "pause" : "resume");
        if (channel == s_->channel) s_->paused = paused;
    }
    void setVolume(int channel, int volume) override {
        s_->log.push_back("volume " + std::to_string(volume));
        if (channel == s_->channel) s_->volume = volume;
    }

private:
    Script* s_;
    bool open_ = false;
};

}  // namespace reversi::test
