// The settings values as text: every default, parse rule and clamp, and what
// each writer stores, without any file.
#include <functional>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "SettingsParse.h"

namespace reversi {
namespace {

namespace k = settings_keys;

const QString Music = QStringLiteral("/opt/reversi/DATA/MUSIC");

Settings ParseMap(const std::map<QString, QString>& values) {
    return ParseSettings(
        [&values](const QString& key) -> std::optional<QString> {
            const auto found = values.find(key);
            if (found == values.end()) return std::nullopt;
            return found->second;
        },
        Music);
}

TEST(SettingsParseTest, NothingStoredGivesTheFirstStartValues) {
    const Settings s = ParseMap({});
    EXPECT_EQ(s.NETPort, 8173);
    EXPECT_TRUE(s.NETService.isEmpty());
    EXPECT_TRUE(s.VsComputer);
    EXPECT_EQ(s.Level(), 0);
    EXPECT_EQ(s.Depth, 1);
    EXPECT_TRUE(s.BabyLevel);
    EXPECT_EQ(s.ComputerSide, 3);
    EXPECT_TRUE(s.SoundEffectsOn);
    EXPECT_TRUE(s.MusicOn);
    EXPECT_TRUE(s.AnimationOn);
    EXPECT_EQ(s.FiguresStyle, 0);
    EXPECT_EQ(s.CursorStyle, 0);
    EXPECT_EQ(s.HelpStyle, 0);
    EXPECT_EQ(s.BoardBorderStyle, 0);
    EXPECT_EQ(s.BoardSize, 8);
    EXPECT_TRUE(s.UseSysTray);
    EXPECT_TRUE(s.CallAsWhite);
    EXPECT_TRUE(s.CallSize8);
    EXPECT_TRUE(s.ShowPreviousMove);
    EXPECT_TRUE(s.ShowAvailableMoves);
    EXPECT_FALSE(s.AdvancedEngine);
    EXPECT_TRUE(s.ShutDownServerListing);
    EXPECT_TRUE(s.ShowMovesList);
    EXPECT_TRUE(s.ShowTips);
    EXPECT_EQ(s.CurrentTip, 1000);
    EXPECT_EQ(s.SoundVolume, 225);
    EXPECT_EQ(s.MusicVolume, 120);
    EXPECT_EQ(s.MusicFolder, Music);
}

struct ValueCase {
    const char* key;
    const char* text;
    std::function<int(const Settings&)> read;
    int expected;
};

int Flag(bool b) { return b ? 1 : 0; }

// One stored value at a time; every other value missing.
const ValueCase Cases[] = {
    {"net/port", "8173", [](const Settings& s) { return s.NETPort; }, 8173},
    {"net/port", "1", [](const Settings& s) { return s.NETPort; }, 1},
    {"net/port", "65535", [](const Settings& s) { return s.NETPort; }, 65535},
    {"net/port", " 2000 ", [](const Settings& s) { return s.NETPort; }, 2000},
    {"net/port", "0", [](const Settings& s) { return s.NETPort; }, 8173},
    {"net/port", "65536", [](const Settings& s) { return s.NETPort; }, 8173},
    {"net/port", "-80", [](const Settings& s) { return s.NETPort; }, 8173},
    {"net/port", "http", [](const Settings& s) { return s.NETPort; }, 8173},
    {"net/port", "99999999999", [](const Settings& s) { return s.NETPort; }, 8173},
    {"options/gamet", "computer", [](const Settings& s) { return Flag(s.VsComputer); }, 1},
    {"options/gamet", "human", [](const Settings& s) { return Flag(s.VsComputer); }, 0},
    {"options/gamet", "Computer", [](const Settings& s) { return Flag(s.VsComputer); }, 0},
    {"options/gamet", "", [](const Settings& s) { return Flag(s.VsComputer); }, 0},
    {"options/level", "-5", [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); }, 11},
    {"options/level", "0", [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); }, 11},
    {"options/level", "1", [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); }, 10},
    {"options/level", "7", [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); }, 70},
    {"options/level", "12", [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); }, 90},
    {"options/level", "2147483647",
     [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); }, 90},
    {"options/level", "-2147483648",
     [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); }, 11},
    {"options/level", "five", [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); },
     11},
    {"options/level", "3.5", [](const Settings& s) { return s.Depth * 10 + Flag(s.BabyLevel); },
     11},
    {"options/youpl", "white", [](const Settings& s) { return s.ComputerSide; }, 3},
    {"options/youpl", "black", [](const Settings& s) { return s.ComputerSide; }, 2},
    {"options/youpl", "White", [](const Settings& s) { return s.ComputerSide; }, 2},
    {"options/sndef", "yes", [](const Settings& s) { return Flag(s.SoundEffectsOn); }, 1},
    {"options/sndef", "Yes", [](const Settings& s) { return Flag(s.SoundEffectsOn); }, 0},
    {"options/sndef", "no", [](const Settings& s) { return Flag(s.SoundEffectsOn); }, 0},
    {"options/musef", "no", [](const Settings& s) { return Flag(s.MusicOn); }, 0},
    {"options/musef", "yes ", [](const Settings& s) { return Flag(s.MusicOn); }, 0},
    {"options/anief", "no", [](const Settings& s) { return Flag(s.AnimationOn); }, 0},
    {"options/tfigs", "3", [](const Settings& s) { return s.FiguresStyle; }, 0},
    {"options/tfigs", "-2", [](const Settings& s) { return s.FiguresStyle; }, 0},
    {"options/tcurs", "1", [](const Settings& s) { return s.CursorStyle; }, 1},
    {"options/tcurs", "7", [](const Settings& s) { return s.CursorStyle; }, 1},
    {"options/tcurs", "-1", [](const Settings& s) { return s.CursorStyle; }, 0},
    {"options/tcurs", "flame", [](const Settings& s) { return s.CursorStyle; }, 0},
    {"options/thelp", "5", [](const Settings& s) { return s.HelpStyle; }, 0},
    {"options/thelp", "-5", [](const Settings& s) { return s.HelpStyle; }, 0},
    {"options/tbrdr", "1", [](const Settings& s) { return s.BoardBorderStyle; }, 1},
    {"options/tbrdr", "2", [](const Settings& s) { return s.BoardBorderStyle; }, 1},
    {"options/tbrdr", "-3", [](const Settings& s) { return s.BoardBorderStyle; }, 0},
    {"options/brdim", "10", [](const Settings& s) { return s.BoardSize; }, 10},
    {"options/brdim", "9", [](const Settings& s) { return s.BoardSize; }, 8},
    {"options/brdim", "-10", [](const Settings& s) { return s.BoardSize; }, 8},
    {"options/brdim", "ten", [](const Settings& s) { return s.BoardSize; }, 8},
    {"options/usetr", "no", [](const Settings& s) { return Flag(s.UseSysTray); }, 0},
    {"options/callw", "no", [](const Settings& s) { return Flag(s.CallAsWhite); }, 0},
    {"options/call8", "no", [](const Settings& s) { return Flag(s.CallSize8); }, 0},
    {"options/prevm", "hide", [](const Settings& s) { return Flag(s.ShowPreviousMove); }, 0},
    {"options/prevm", "yes", [](const Settings& s) { return Flag(s.ShowPreviousMove); }, 0},
    {"options/avmov", "hide", [](const Settings& s) { return Flag(s.ShowAvailableMoves); }, 0},
    {"options/avmov", "show", [](const Settings& s) { return Flag(s.ShowAvailableMoves); }, 1},
    {"options/engit", "advn", [](const Settings& s) { return Flag(s.AdvancedEngine); }, 1},
    {"options/engit", "ADVN", [](const Settings& s) { return Flag(s.AdvancedEngine); }, 0},
    {"options/engit", "norm", [](const Settings& s) { return Flag(s.AdvancedEngine); }, 0},
    {"net/listn", "no", [](const Settings& s) { return Flag(s.ShutDownServerListing); }, 1},
    {"net/listn", "yes", [](const Settings& s) { return Flag(s.ShutDownServerListing); }, 0},
    {"net/listn", "NO", [](const Settings& s) { return Flag(s.ShutDownServerListing); }, 0},
    {"options/moves", "no", [](const Settings& s) { return Flag(s.ShowMovesList); }, 0},
    {"options/showtips", "no", [](const Settings& s) { return Flag(s.ShowTips); }, 0},
    {"options/currenttip", "3", [](const Settings& s) { return s.CurrentTip; }, 3},
    {"options/currenttip", "-7", [](const Settings& s) { return s.CurrentTip; }, -7},
    {"options/currenttip", "123456", [](const Settings& s) { return s.CurrentTip; }, 123456},
    {"options/currenttip", "tip", [](const Settings& s) { return s.CurrentTip; }, 1000},
    {"options/sound_volume", "17", [](const Settings& s) { return s.SoundVolume; }, 17},
    {"options/sound_volume", "300", [](const Settings& s) { return s.SoundVolume; }, 255},
    {"options/sound_volume", "-1", [](const Settings& s) { return s.SoundVolume; }, 0},
    {"options/sound_volume", "loud", [](const Settings& s) { return s.SoundVolume; }, 225},
    {"options/music_volume", "0", [](const Settings& s) { return s.MusicVolume; }, 0},
    {"options/music_volume", "256", [](const Settings& s) { return s.MusicVolume; }, 255},
    {"options/music_volume", "-2147483648", [](const Settings& s) { return s.MusicVolume; }, 0},
    {"options/music_volume", "", [](const Settings& s) { return s.MusicVolume; }, 120},
};

TEST(SettingsParseTest, EveryValueFollowsItsParseRuleAndClamp) {
    for (const ValueCase& c : Cases) {
        const Settings s = ParseMap({{QString::fromLatin1(c.key), QString::fromLatin1(c.text)}});
        EXPECT_EQ(c.read(s), c.expected) << c.key << " = \"" << c.text << "\"";
    }
}

TEST(SettingsParseTest, TextValuesAreUsedUnchanged) {
    const Settings s = ParseMap({{k::Service, QStringLiteral("reversi")},
                                 {k::MusicFolder, QStringLiteral("/home/a b/Music, old")}});
    EXPECT_EQ(s.NETService, QStringLiteral("reversi"));
    EXPECT_EQ(s.MusicFolder, QStringLiteral("/home/a b/Music, old"));
}

TEST(SettingsParseTest, DecimalAcceptsOnlyWholeThirtyTwoBitNumbers) {
    EXPECT_EQ(ParseDecimal(QStringLiteral("42")), 42);
    EXPECT_EQ(ParseDecimal(QStringLiteral("-42")), -42);
    EXPECT_EQ(ParseDecimal(QStringLiteral("+7")), 7);
    EXPECT_EQ(ParseDecimal(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(ParseDecimal(QStringLiteral("2147483648")), std::nullopt);
    EXPECT_EQ(ParseDecimal(QStringLiteral("0x10")), std::nullopt);
    EXPECT_EQ(ParseDecimal(QStringLiteral("12abc")), std::nullopt);
    EXPECT_EQ(ParseDecimal(QString()), std::nullopt);
}

std::vector<QString> Keys(const SettingsEntries& entries) {
    std::vector<QString> keys;
    for (const auto& e : entries) keys.push_back(e.key);
    return keys;
}

TEST(SettingsParseTest, WritersStoreTheirValuesInOrderAsWords) {
    Settings s;
    s.NETService = QStringLiteral("svc");
    s.NETPort = 4000;
    s.ShowMovesList = false;
    s.CallSize8 = false;
    s.SoundVolume = 3;
    s.MusicFolder = QStringLiteral("/m");
    const QByteArray stats("\x00\x01\x02", 3);
    const SettingsEntries close = CloseEntries(s, true, stats);
    EXPECT_EQ(Keys(close), (std::vector<QString>{k::Service, k::Port, k::MovesList, k::Statistics,
                                                 k::Call8, k::CallWhite, k::Listen, k::SoundVolume,
                                                 k::MusicVolume, k::MusicFolder}));
    EXPECT_EQ(close[0].value, QVariant(QStringLiteral("svc")));
    EXPECT_EQ(close[1].value, QVariant(QStringLiteral("4000")));
    EXPECT_EQ(close[2].value, QVariant(QStringLiteral("no")));
    EXPECT_EQ(close[3].value, QVariant(stats));
    EXPECT_EQ(close[4].value, QVariant(QStringLiteral("no")));
    EXPECT_EQ(close[5].value, QVariant(QStringLiteral("yes")));
    EXPECT_EQ(close[6].value, QVariant(QStringLiteral("yes")));
    EXPECT_EQ(close[7].value, QVariant(QStringLiteral("3")));

    s.VsComputer = false;
    s.SetLevel(0);
    s.ComputerSide = 2;
    s.CursorStyle = 1;
    s.BoardSize = 10;
    s.ShowAvailableMoves = false;
    s.AdvancedEngine = true;
    const SettingsEntries dialog = DialogEntries(s);
    EXPECT_EQ(Keys(dialog), (std::vector<QString>{
                                k::GameType, k::Level, k::YouPlay, k::SoundEffects, k::Music,
                                k::Animation, k::SysTray, k::Figures, k::Cursor, k::Help, k::Border,
                                k::BoardSize, k::PreviousMove, k::AvailableMoves, k::Engine}));
    std::vector<QString> texts;
    for (const auto& e : dialog) texts.push_back(e.value.toString());
    EXPECT_EQ(texts, (std::vector<QString>{"human", "0", "black", "yes", "yes", "yes", "yes", "0",
                                           "1", "0", "0", "10", "show", "hide", "advn"}));

    EXPECT_EQ(TipEntries(false, 4), (SettingsEntries{{k::ShowTips, QStringLiteral("no")},
                                                     {k::CurrentTip, QStringLiteral("4")}}));
}

// Whatever the three writers store reads back as the same settings.
TEST(SettingsParseTest, WrittenValuesReadBackUnchanged) {
    Settings s;
    s.NETPort = 1;
    s.NETService = QStringLiteral("game");
    s.ShutDownServerListing = false;
    s.VsComputer = false;
    s.SetLevel(6);
    s.ComputerSide = 2;
    s.BoardSize = 10;
    s.AdvancedEngine = true;
    s.SoundEffectsOn = s.MusicOn = s.AnimationOn = s.UseSysTray = false;
    s.CursorStyle = 1;
    s.BoardBorderStyle = 1;
    s.ShowPreviousMove = s.ShowAvailableMoves = s.ShowMovesList = s.ShowTips = false;
    s.CurrentTip = -3;
    s.SoundVolume = 0;
    s.MusicVolume = 255;
    s.MusicFolder = QStringLiteral("/music");
    s.CallAsWhite = s.CallSize8 = false;

    std::map<QString, QString> stored;
    auto keep = [&stored](const SettingsEntries& entries) {
        for (const auto& e : entries) {
            if (e.key != k::Statistics) stored[e.key] = e.value.toString();
        }
    };
    keep(CloseEntries(s, true, {}));
    keep(DialogEntries(s));
    keep(TipEntries(s.ShowTips, s.CurrentTip));
    EXPECT_EQ(ParseMap(stored), s);
}

}  // namespace
}  // namespace reversi
