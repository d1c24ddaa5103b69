// The music player's walk through a folder with a scripted output and
// listing: order, skipped entries, unplayable files, wrap-around, empty and
// missing folders, pausing, the switch, the volume and a change of folder.
#include <gtest/gtest.h>

#include <QDir>

#include <map>
#include <memory>

#include "FakeMusicOutput.h"
#include "MusicPlayer.h"
#include "Settings.h"

namespace reversi {
namespace {

using Kind = MusicFolderEntry::Kind;
using test::FakeMusicOutput;
using Log = std::vector<std::string>;

class MusicPlayerTest : public testing::Test {
protected:
    // Folders the fake listing knows; any other folder is missing.
    std::map<QString, std::vector<MusicFolderEntry>> folders;
    int listings = 0;
    FakeMusicOutput::Script out;
    std::unique_ptr<MusicPlayer> player;

    void SetUp() override {
        out.playable = {"a.mp3", "b.OGG", ".hidden.wav"};
        folders[QStringLiteral("/music")] = {
            {".", Kind::Folder},         {"..", Kind::Folder},        {"a.mp3", Kind::File},
            {"notes.txt", Kind::File},   {"sub.ogg", Kind::Folder},   {"b.OGG", Kind::File},
            {"c.wma", Kind::File},       {".hidden.wav", Kind::File}, {"link.ogg", Kind::Link},
            {"pipe.ogg", Kind::Special},
        };
        player = std::make_unique<MusicPlayer>(
            std::make_unique<FakeMusicOutput>(out), [this](const QString& folder) {
                ++listings;
                const auto it = folders.find(folder);
                return it == folders.end() ? std::vector<MusicFolderEntry>{} : it->second;
            });
        player->SetFolder(QStringLiteral("/music"));
    }

    // Runs one tick and answers what it asked of the output.
    Log Tick() {
        out.log.clear();
        player->Tick();
        return out.log;
    }
    // Ends the piece that plays, as reaching its end does.
    void EndPiece() { out.ended = true; }
};

TEST_F(MusicPlayerTest, WalksTheFolderOneEntryPerTickAndLoops) {
    // Each row: what one tick does, the piece ending before the tick when it plays.
    const Log none;
    const Log startA = {"open a.mp3", "play", "volume 120"};
    const std::vector<Log> expected = {
        none,                                  // .
        none,                                  // ..
        startA,                                // a.mp3
        {"close"},                             // notes.txt
        none,                                  // sub.ogg, a folder
        {"open b.OGG", "play", "volume 120"},  // b.OGG
        {"close", "open c.wma failed"},        // c.wma cannot be played
        {"open .hidden.wav", "play", "volume 120"},
        {"close"},  // link.ogg
        none,       // pipe.ogg
        none,       // . again: a new listing
        none,       // ..
        startA,     // a.mp3 again
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EndPiece();
        EXPECT_EQ(Tick(), expected[i]) << "tick " << i;
    }
    EXPECT_EQ(listings, 2);
    EXPECT_EQ(player->CurrentFile(),
              QDir(QStringLiteral("/music")).filePath(QStringLiteral("a.mp3")));
}

TEST_F(MusicPlayerTest, WaitsWhileAPiecePlays) {
    for (int i = 0; i < 3; ++i) Tick();
    ASSERT_FALSE(player->CurrentFile().isEmpty());
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Tick(), Log{});
    EndPiece();
    EXPECT_EQ(Tick(), Log{"close"});
    EXPECT_TRUE(player->CurrentFile().isEmpty());
}

TEST_F(MusicPlayerTest, AFolderOfUnplayableFilesCostsOneTickPerEntryAndKeepsLooking) {
    folders[QStringLiteral("/bad")] = {
        {"x.wma", Kind::File}, {"y.ogg", Kind::File}, {"z.mp3", Kind::File}};
    player->SetFolder(QStringLiteral("/bad"));
    listings = 0;
    std::vector<Log> seen;
    for (int i = 0; i < 7; ++i) seen.push_back(Tick());
    const std::vector<Log> expected = {
        {"open x.wma failed"}, {"open y.ogg failed"}, {"open z.mp3 failed"}, {"open x.wma failed"},
        {"open y.ogg failed"}, {"open z.mp3 failed"}, {"open x.wma failed"}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(listings, 3);
}

TEST_F(MusicPlayerTest, AStreamWithoutAChannelIsClosedAndSkipped) {
    out.playFails = true;
    Tick();
    Tick();
    EXPECT_EQ(Tick(), (Log{"open a.mp3", "play", "close"}));
    EXPECT_TRUE(player->CurrentFile().isEmpty());
    EXPECT_EQ(Tick(), Log{});  // notes.txt: the player has moved on
}

TEST_F(MusicPlayerTest, MissingOrEmptyFolderIsListedAgainEveryTick) {
    player->SetFolder(QStringLiteral("/nowhere"));
    listings = 0;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Tick(), Log{});
    EXPECT_EQ(listings, 4);
    // The folder turns up with a piece in it: the next tick plays it.
    folders[QStringLiteral("/nowhere")] = {{"a.mp3", Kind::File}};
    EXPECT_EQ(Tick(), (Log{"open a.mp3", "play", "volume 120"}));
}

TEST_F(MusicPlayerTest, WithoutSoundOutputNothingHappens) {
    out.available = false;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Tick(), Log{});
    EXPECT_EQ(listings, 0);
}

TEST_F(MusicPlayerTest, NoFolderNameListsNothing) {
    // An empty folder name must not list the current folder.
    EXPECT_TRUE(ListMusicFolder(QString()).empty());
}

TEST_F(MusicPlayerTest, MinimisingPausesAndRestoringResumesOnlyWhenMusicIsOn) {
    for (int i = 0; i < 3; ++i) Tick();
    out.log.clear();
    player->SetPaused(true);
    EXPECT_EQ(out.log, Log{"pause"});
    EXPECT_TRUE(out.paused);
    // A paused piece counts as playing: the player waits on it.
    EXPECT_EQ(Tick(), Log{});
    out.log.clear();
    player->SetPaused(false);
    EXPECT_EQ(out.log, Log{"resume"});
    EXPECT_FALSE(out.paused);

    player->SetEnabled(false);
    player->SetPaused(true);
    player->SetPaused(false);
    EXPECT_TRUE(out.paused);  // music is off: restoring keeps it silent
    player->SetEnabled(true);
    EXPECT_FALSE(out.paused);
}

TEST_F(MusicPlayerTest, APieceThatStartsWhileMinimisedOrSwitchedOffStartsPaused) {
    player->SetPaused(true);
    Tick();
    Tick();
    EXPECT_EQ(Tick(), (Log{"open a.mp3", "play paused", "volume 120"}));
    player->SetPaused(false);
    EXPECT_FALSE(out.paused);

    EndPiece();
    player->SetEnabled(false);
    Tick();  // notes.txt
    Tick();  // sub.ogg
    EXPECT_EQ(Tick(), (Log{"open b.OGG", "play paused", "volume 120"}));
}

TEST_F(MusicPlayerTest, VolumeIsClampedAndTakesEffectAtOnce) {
    player->SetVolume(300);
    EXPECT_EQ(player->Volume(), 255);
    player->SetVolume(-4);
    EXPECT_EQ(player->Volume(), 0);
    player->SetVolume(77);
    EXPECT_TRUE(out.log.empty());  // nothing plays yet
    for (int i = 0; i < 3; ++i) Tick();
    EXPECT_EQ(out.volume, 77);
    player->SetVolume(200);
    EXPECT_EQ(out.volume, 200);
}

TEST_F(MusicPlayerTest, ANewFolderStopsTheMusicAndStartsFromItsFirstEntry) {
    folders[QStringLiteral("/other")] = {{"b.OGG", Kind::File}, {"a.mp3", Kind::File}};
    for (int i = 0; i < 3; ++i) Tick();
    out.log.clear();
    player->SetFolder(QStringLiteral("/music"));  // the same folder: nothing changes
    player->SetFolder(QStringLiteral("/music/"));
    EXPECT_EQ(out.log, Log{});
    EXPECT_FALSE(player->CurrentFile().isEmpty());

    player->SetFolder(QStringLiteral("/other"));
    EXPECT_EQ(out.log, Log{"close"});
    EXPECT_TRUE(player->CurrentFile().isEmpty());
    EXPECT_EQ(Tick(), (Log{"open b.OGG", "play", "volume 120"}));
}

TEST_F(MusicPlayerTest, TakesFolderVolumeAndSwitchFromTheSettings) {
    Settings settings;
    settings.MusicFolder = QStringLiteral("/other");
    settings.MusicVolume = 33;
    settings.MusicOn = false;
    folders[settings.MusicFolder] = {{"a.mp3", Kind::File}};
    player->Configure(settings);
    EXPECT_EQ(player->Folder(), settings.MusicFolder);
    EXPECT_FALSE(player->IsEnabled());
    EXPECT_EQ(Tick(), (Log{"open a.mp3", "play paused", "volume 33"}));
}

TEST(MusicFileName, ExtensionsAreTakenFromTheLastDotAndUpperCased) {
    const std::pair<const char*, bool> cases[] = {
        {"a.mp3", true},   {"B.WAV", true},      {"c.Wma", true},     {"d.ogg", true},
        {".ogg", true},    {"e.ogg.txt", false}, {"f.txt.ogg", true}, {"ogg", false},
        {"g.mp33", false}, {"h.", false},        {"i.flac", false},   {"j.og", false},
    };
    for (const auto& [name, music] : cases)
        EXPECT_EQ(MusicPlayer::IsMusicFileName(QString::fromUtf8(name)), music) << name;
}

}  // namespace
}  // namespace reversi
