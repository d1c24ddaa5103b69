// Fuzz harness of the settings values: the bytes are read as INI-like text
// ("[section]" lines and "key=value" lines), and as the settings file itself
// for the values used as text. Whatever is stored, the settings
// come out within their clamps, and what the writers store reads back the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>

#include <QString>

#include "SettingsParse.h"
#include "SettingsText.h"

namespace {

using namespace reversi;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "settings: %s\n", what);
        std::abort();
    }
}

std::map<QString, QString> ReadLines(const QString& text) {
    std::map<QString, QString> values;
    QString section;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) continue;
        const QString key = line.left(equals).trimmed();
        values[section.isEmpty() ? key : section + QLatin1Char('/') + key] = line.mid(equals + 1);
    }
    return values;
}

Settings Parse(const std::map<QString, QString>& values) {
    return ParseSettings(
        [&values](const QString& key) -> std::optional<QString> {
            const auto found = values.find(key);
            if (found == values.end()) return std::nullopt;
            return found->second;
        },
        QStringLiteral("/music"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)ParseDecimal(text);
    // The text values straight from the bytes, as the settings file holds them.
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& key : settings_keys::TextKeys) {
        const std::optional<QString> stored = StoredText(bytes, key);
        Check(!stored || stored->size() <= static_cast<qsizetype>(size),
              "text longer than the file");
    }
    const Settings s = Parse(ReadLines(text));

    Check(s.NETPort >= 1 && s.NETPort <= 65535, "port");
    Check(s.Depth >= 1 && s.Depth <= 9, "depth");
    Check(!s.BabyLevel || s.Depth == 1, "baby level depth");
    Check(s.ComputerSide == 2 || s.ComputerSide == 3, "side");
    Check(s.BoardSize == 8 || s.BoardSize == 10, "field size");
    Check(s.FiguresStyle == 0 && s.HelpStyle == 0, "figure and help styles");
    Check(s.CursorStyle == 0 || s.CursorStyle == 1, "cursor style");
    Check(s.BoardBorderStyle == 0 || s.BoardBorderStyle == 1, "border style");
    Check(s.SoundVolume >= 0 && s.SoundVolume <= MaxVolume, "effects volume");
    Check(s.MusicVolume >= 0 && s.MusicVolume <= MaxVolume, "music volume");

    // Everything the writers store reads back as the same settings.
    std::map<QString, QString> stored;
    auto keep = [&stored](const SettingsEntries& entries) {
        for (const SettingsEntry& e : entries) {
            if (e.key != settings_keys::Statistics) stored[e.key] = e.value.toString();
        }
    };
    keep(CloseEntries(s, !s.ShutDownServerListing, {}));
    keep(DialogEntries(s));
    keep(TipEntries(s.ShowTips, s.CurrentTip));
    Check(Parse(stored) == s, "written settings read back differently");
    return 0;
}
