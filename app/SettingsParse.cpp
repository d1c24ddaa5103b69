// Parse rules, clamps and written texts of every settings value.
#include "SettingsParse.h"

#include <algorithm>

namespace reversi {

namespace {

namespace k = settings_keys;

// True exactly when the stored text is `word`; a missing value is the default.
bool ReadWord(const SettingsLookup& lookup, const QString& key, const QString& word, bool missing) {
    const std::optional<QString> text = lookup(key);
    if (!text) return missing;
    return *text == word;
}

int ReadNumber(const SettingsLookup& lookup, const QString& key, int fallback) {
    const std::optional<QString> text = lookup(key);
    if (!text) return fallback;
    return ParseDecimal(*text).value_or(fallback);
}

QString ReadText(const SettingsLookup& lookup, const QString& key, const QString& fallback) {
    return lookup(key).value_or(fallback);
}

QString Word(bool value, const char* yes, const char* no) {
    return QString::fromLatin1(value ? yes : no);
}
QString YesNo(bool value) { return Word(value, "yes", "no"); }
QString Decimal(int value) { return QString::number(value); }

}  // namespace

std::optional<int> ParseDecimal(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

Settings ParseSettings(const SettingsLookup& lookup, const QString& defaultMusicFolder) {
    const QString yes = QStringLiteral("yes");
    const QString show = QStringLiteral("show");
    Settings s;

    const int port = ReadNumber(lookup, k::Port, DefaultPort);
    s.NETPort = port >= 1 && port <= 65535 ? port : DefaultPort;
    s.NETService = ReadText(lookup, k::Service, QString());
    s.VsComputer = ReadWord(lookup, k::GameType, QStringLiteral("computer"), true);
    s.SetLevel(ReadNumber(lookup, k::Level, 0));
    s.ComputerSide = ReadWord(lookup, k::YouPlay, QStringLiteral("white"), true) ? 3 : 2;
    s.SoundEffectsOn = ReadWord(lookup, k::SoundEffects, yes, true);
    s.MusicOn = ReadWord(lookup, k::Music, yes, true);
    s.AnimationOn = ReadWord(lookup, k::Animation, yes, true);
    // Only style 0 of figures and help marks exists; cursors and borders have 0 and 1.
    s.FiguresStyle = 0;
    s.CursorStyle = std::clamp(ReadNumber(lookup, k::Cursor, 0), 0, 1);
    s.HelpStyle = 0;
    s.BoardBorderStyle = std::clamp(ReadNumber(lookup, k::Border, 0), 0, 1);
    const int size = ReadNumber(lookup, k::BoardSize, 8);
    s.BoardSize = size == 10 ? 10 : 8;
    s.UseSysTray = ReadWord(lookup, k::SysTray, yes, true);
    s.CallAsWhite = ReadWord(lookup, k::CallWhite, yes, true);
    s.CallSize8 = ReadWord(lookup, k::Call8, yes, true);
    s.ShowPreviousMove = ReadWord(lookup, k::PreviousMove, show, true);
    s.ShowAvailableMoves = ReadWord(lookup, k::AvailableMoves, show, true);
    s.AdvancedEngine = ReadWord(lookup, k::Engine, QStringLiteral("advn"), false);
    s.ShutDownServerListing = ReadWord(lookup, k::Listen, QStringLiteral("no"), true);
    s.ShowMovesList = ReadWord(lookup, k::MovesList, yes, true);
    s.ShowTips = ReadWord(lookup, k::ShowTips, yes, true);
    s.CurrentTip = ReadNumber(lookup, k::CurrentTip, 1000);
    s.SoundVolume = std::clamp(ReadNumber(lookup, k::SoundVolume, 225), 0, MaxVolume);
    s.MusicVolume = std::clamp(ReadNumber(lookup, k::MusicVolume, 120), 0, MaxVolume);
    s.MusicFolder = ReadText(lookup, k::MusicFolder, defaultMusicFolder);
    return s;
}

SettingsEntries CloseEntries(const Settings& s, bool listening, const QByteArray& statistics) {
    return {
        {k::Service, s.NETService},
        {k::Port, Decimal(s.NETPort)},
        {k::MovesList, YesNo(s.ShowMovesList)},
        {k::Statistics, statistics},
        {k::Call8, YesNo(s.CallSize8)},
        {k::CallWhite, YesNo(s.CallAsWhite)},
        {k::Listen, YesNo(listening)},
        {k::SoundVolume, Decimal(s.SoundVolume)},
        {k::MusicVolume, Decimal(s.MusicVolume)},
        {k::MusicFolder, s.MusicFolder},
    };
}

SettingsEntries DialogEntries(const Settings& s) {
    return {
        {k::GameType, Word(s.VsComputer, "computer", "human")},
        {k::Level, Decimal(s.Level())},
        {k::YouPlay, Word(s.ComputerSide == 3, "white", "black")},
        {k::SoundEffects, YesNo(s.SoundEffectsOn)},
        {k::Music, YesNo(s.MusicOn)},
        {k::Animation, YesNo(s.AnimationOn)},
        {k::SysTray, YesNo(s.UseSysTray)},
        {k::Figures, Decimal(s.FiguresStyle)},
        {k::Cursor, Decimal(s.CursorStyle)},
        {k::Help, Decimal(s.HelpStyle)},
        {k::Border, Decimal(s.BoardBorderStyle)},
        {k::BoardSize, Decimal(s.BoardSize == 8 ? 8 : 10)},
        {k::PreviousMove, Word(s.ShowPreviousMove, "show", "hide")},
        {k::AvailableMoves, Word(s.ShowAvailableMoves, "show", "hide")},
        {k::Engine, Word(s.AdvancedEngine, "advn", "norm")},
    };
}

SettingsEntries TipEntries(bool showTips, int tipIndex) {
    return {
        {k::ShowTips, YesNo(showTips)},
        {k::CurrentTip, Decimal(tipIndex)},
    };
}

}  // namespace reversi
