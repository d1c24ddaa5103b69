#pragma once
// The music player: plays the music files of one folder one after another, in
// listing order, over again from the start when the listing ends. The window
// calls Tick() every 250 ms; each tick looks at no more than one folder entry,
// so a folder of files that cannot be played costs one tick per entry and never
// holds up the program.

#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "MusicFolderListing.h"
#include "MusicOutput.h"

namespace reversi {

struct Settings;

class MusicPlayer {
public:
    static constexpr int kTickMs = 250;

    explicit MusicPlayer(std::unique_ptr<platform::MusicOutput> output,
                         MusicFolderLister lister = ListMusicFolder);
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Takes the music folder, the music volume and the music switch from the settings.
    void Configure(const Settings& settings);

    // A new folder stops the music; the next tick starts the folder from its
    // first entry. The folder already set changes nothing.
    void SetFolder(const QString& folder);
    // The music volume 0..255 (clamped), applied at once to the music that plays.
    void SetVolume(int volume);
    // The music switch: off pauses the piece, on resumes it where it stopped.
    void SetEnabled(bool on);
    // The window minimised (true) or restored (false): pauses and resumes like
    // the switch. Music only sounds while it is enabled and not paused.
    void SetPaused(bool paused);

    // One step of the player: waits while a piece plays (paused or not),
    // otherwise moves to the next folder entry and starts it when it is music.
    void Tick();

    [[nodiscard]] const QString& Folder() const { return folder_; }
    [[nodiscard]] int Volume() const { return volume_; }
    [[nodiscard]] bool IsEnabled() const { return enabled_; }
    [[nodiscard]] bool IsPaused() const { return paused_; }
    // The full path of the piece that plays (paused or not), empty when none.
    [[nodiscard]] const QString& CurrentFile() const { return currentFile_; }

    // True for a file name whose extension (from the last dot), upper-cased, is
    // ".MP3", ".WAV", ".WMA" or ".OGG".
    [[nodiscard]] static bool IsMusicFileName(const QString& name);

private:
    void CloseStream();
    void CloseListing();
    void StartEntry(const MusicFolderEntry& entry);
    [[nodiscard]] bool Silenced() const { return !enabled_ || paused_; }

    std::unique_ptr<platform::MusicOutput> output_;
    MusicFolderLister lister_;
    QString folder_;
    int volume_ = 120;
    bool enabled_ = true;
    bool paused_ = false;

    std::vector<MusicFolderEntry> listing_;  // the open listing of folder_
    std::optional<std::size_t> entry_;       // its current entry; empty: no listing open
    bool streamOpen_ = false;
    int channel_ = platform::SoundLayer::kNoChannel;
    QString currentFile_;
};

}  // namespace reversi
