// The settings store: the one INI file of the program's settings (and of the
// statistics bytes), read once at start and written by three writers.
#pragma once

#include <functional>
#include <stdexcept>

#include <QByteArray>
#include <QString>

#include "Settings.h"
#include "SettingsParse.h"

namespace reversi {

// A writer could not store its values. what() is the message the window shows:
// "The settings could not be written to " and the file's path.
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const QString& file);
};

// The statistics bytes as stored. A value of another type (text, a number)
// gives empty bytes with wrongType set, for the statistics to reject; a missing
// value gives empty bytes without it.
struct StoredStatistics {
    QByteArray bytes;
    bool wrongType = false;
};

// Reads and writes reversi::Settings in one INI file. The file is looked at
// before it is opened: a path that is not a plain readable file (a folder, a
// pipe, a device) or is far too large is never opened, so the game starts with
// the defaults and the writers report failure instead of blocking or writing
// over it. A plain file far too large to be ours is not destroyed either: the
// next writer renames it aside (see SetAsideName) and writes a fresh file.
// Constructing and reading never write anything.
class SettingsStore {
public:
    // The program's store: "<organisation>/<application>.conf" in the user's
    // configuration folder ($XDG_CONFIG_HOME, else ~/.config), with the names
    // the application has set ("Quenwick", "Zorel Reversi 4.00").
    SettingsStore();
    // A store in the given file.
    explicit SettingsStore(QString filePath);

    const QString& FilePath() const { return filePath_; }
    // The player is told, once, with this text, when a writer has put an
    // outgrown file aside (the message names both files).
    using SetAsideNotice = std::function<void(const QString& message)>;
    void SetSetAsideNotice(SetAsideNotice notice) { setAsideNotice_ = std::move(notice); }
    // The name an outgrown file gets: "<file>.too-large", or with "-2", "-3"
    // and so on when that name is taken.
    static QString SetAsideName(const QString& filePath, int attempt);
    static QString SetAsideMessage(const QString& filePath, const QString& keptAs);
    // The default of the music folder: DATA/MUSIC beside the program.
    static QString DefaultMusicFolder();

    // Every value, parsed and clamped; defaults for whatever is missing,
    // damaged or unreadable.
    Settings Load() const;
    StoredStatistics LoadStatistics() const;

    // The writers. Each stores its values in order and checks that they reached
    // the file; on failure it throws SettingsWriteError. Other values in the
    // file are kept; a damaged line elsewhere does not count as a failure.
    // At close: service, port, move list, statistics, call defaults, listening,
    // volumes, music folder.
    void SaveOnClose(const Settings& settings, bool listening, const QByteArray& statistics) const;
    // The settings dialog's values (opponent, level, side, sounds, animation,
    // tray, styles, field size, help marks, engine).
    void SaveDialogValues(const Settings& settings) const;
    // The tip window's values.
    void SaveTipValues(bool showTips, int tipIndex) const;

private:
    // True when the path is missing (a first start) or a plain, readable file
    // of sane size: QSettings may open it.
    bool Openable() const;
    // A plain file over the size the store reads.
    bool Outgrown() const;
    // Renames an outgrown file aside and answers its new name; throws
    // SettingsWriteError when it stays.
    QString SetAside() const;
    void Write(const SettingsEntries& entries) const;

    QString filePath_;
    SetAsideNotice setAsideNotice_;
};

}  // namespace reversi
