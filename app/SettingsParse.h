// The settings values as text: the key of every value, how its stored text is
// parsed and clamped, and what each writer stores. No files here, so the rules
// can be table-tested and fuzzed; SettingsStore.h puts them on disk.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QVariant>

#include "Settings.h"

namespace reversi {

// The stored text of a key ("net/port", "options/level", ...), or nothing when
// the value is missing or is not text.
using SettingsLookup = std::function<std::optional<QString>(const QString& key)>;

// Every key, in the order the reader reads them.
namespace settings_keys {
inline const QString Port = QStringLiteral("net/port");
inline const QString Service = QStringLiteral("net/service");
inline const QString GameType = QStringLiteral("options/gamet");
inline const QString Level = QStringLiteral("options/level");
inline const QString YouPlay = QStringLiteral("options/youpl");
inline const QString SoundEffects = QStringLiteral("options/sndef");
inline const QString Music = QStringLiteral("options/musef");
inline const QString Animation = QStringLiteral("options/anief");
inline const QString Figures = QStringLiteral("options/tfigs");
inline const QString Cursor = QStringLiteral("options/tcurs");
inline const QString Help = QStringLiteral("options/thelp");
inline const QString Border = QStringLiteral("options/tbrdr");
inline const QString BoardSize = QStringLiteral("options/brdim");
inline const QString SysTray = QStringLiteral("options/usetr");
inline const QString CallWhite = QStringLiteral("options/callw");
inline const QString Call8 = QStringLiteral("options/call8");
inline const QString PreviousMove = QStringLiteral("options/prevm");
inline const QString AvailableMoves = QStringLiteral("options/avmov");
inline const QString Engine = QStringLiteral("options/engit");
inline const QString Listen = QStringLiteral("net/listn");
inline const QString MovesList = QStringLiteral("options/moves");
inline const QString ShowTips = QStringLiteral("options/showtips");
inline const QString CurrentTip = QStringLiteral("options/currenttip");
inline const QString SoundVolume = QStringLiteral("options/sound_volume");
inline const QString MusicVolume = QStringLiteral("options/music_volume");
inline const QString MusicFolder = QStringLiteral("options/music_folder");
// The binary statistics value, at the top level of the store.
inline const QString Statistics = QStringLiteral("Statistics");
// The values used as text, exactly as stored.
inline const QString TextKeys[] = {Service, MusicFolder};
}  // namespace settings_keys

inline constexpr int DefaultPort = 8173;
inline constexpr int MaxVolume = 255;

// A decimal 32-bit signed integer (surrounding blanks and a sign allowed), or
// nothing for any other text, including numbers outside 32 bits.
std::optional<int> ParseDecimal(const QString& text);

// Reads every value in the reader's order through lookup. A missing value
// takes its default; so does a number that is not a decimal 32-bit integer.
// Words are compared with one literal, exactly: any other text means the other
// state. Clamps: level as Settings::SetLevel; figure and help styles always 0;
// cursor and border styles 0..1 (negative gives 0); field size 8 or 10 (any
// other gives 8); volumes 0..255; a port outside 1..65535 gives 8173. The
// current tip is not clamped: the tip window accepts any number.
// defaultMusicFolder is used when no music folder is stored.
Settings ParseSettings(const SettingsLookup& lookup, const QString& defaultMusicFolder);

// One value a writer stores: a word or decimal text, or the statistics bytes.
struct SettingsEntry {
    QString key;
    QVariant value;
    bool operator==(const SettingsEntry&) const = default;
};
using SettingsEntries = std::vector<SettingsEntry>;

// What the window stores when it closes, in writing order: service, port, move
// list, statistics, call defaults, listening, volumes, music folder.
SettingsEntries CloseEntries(const Settings& settings, bool listening,
                             const QByteArray& statistics);
// What the settings dialog stores: gamet, level, youpl, sndef, musef, anief,
// usetr, tfigs, tcurs, thelp, tbrdr, brdim, prevm, avmov, engit.
SettingsEntries DialogEntries(const Settings& settings);
// What the tip window stores when it closes.
SettingsEntries TipEntries(bool showTips, int tipIndex);

}  // namespace reversi
