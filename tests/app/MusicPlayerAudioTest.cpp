// The music player on the real sound output (SDL's dummy driver in tests):
// the shipped track decodes, plays, pauses with the window and ends, and
// files that cannot be played are passed over.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

#include <sys/stat.h>

#include "MusicOutput.h"
#include "MusicPlayer.h"

namespace reversi {
namespace {

QString ShippedMusicFolder() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DATA/MUSIC"));
}

QString ShippedTrack() {
    const QStringList tracks =
        QDir(ShippedMusicFolder()).entryList({QStringLiteral("*.ogg")}, QDir::Files);
    return tracks.size() == 1 ? QDir(ShippedMusicFolder()).filePath(tracks[0]) : QString();
}

// Ticks the player every 20 ms (faster than the window, to keep the test short)
// until `done` holds or `ticks` ticks have passed.
bool TickUntil(MusicPlayer& player, const std::function<bool()>& done, int ticks) {
    for (int i = 0; i < ticks && !done(); ++i) {
        player.Tick();
        QThread::msleep(20);
    }
    return done();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(MusicPlayerAudio, TheShippedTrackIsAPieceOfTwentyToFortySeconds) {
    platform::SoundLayerMusicOutput output;  // opens the audio device
    ASSERT_TRUE(output.isAvailable());
    const QString track = ShippedTrack();
    ASSERT_FALSE(track.isEmpty()) << "exactly one .ogg expected in "
                                  << ShippedMusicFolder().toStdString();
    EXPECT_LT(QFileInfo(track).size(), 150 * 1024);
    Mix_Music* music = Mix_LoadMUS(QFile::encodeName(track).constData());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    const double seconds = Mix_MusicDuration(music);
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 40.0);
    Mix_FreeMusic(music);
}

TEST(MusicPlayerAudio, PlaysTheDefaultFolderPausesWithTheWindowAndEnds) {
    MusicPlayer player(std::make_unique<platform::SoundLayerMusicOutput>());
    player.SetFolder(ShippedMusicFolder());
    player.SetVolume(100);
    ASSERT_TRUE(TickUntil(
        player, [&] { return !player.CurrentFile().isEmpty(); }, 10));
    EXPECT_EQ(QFileInfo(player.CurrentFile()), QFileInfo(ShippedTrack()));
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_FALSE(Mix_PausedMusic());
    EXPECT_EQ(Mix_VolumeMusic(-1), platform::SoundLayer::toMixerVolume(100));

    player.SetPaused(true);  // minimised
    EXPECT_TRUE(Mix_PausedMusic());
    player.Tick();
    EXPECT_FALSE(player.CurrentFile().isEmpty()) << "a paused piece holds the player";
    player.SetPaused(false);  // restored
    EXPECT_FALSE(Mix_PausedMusic());

    // Skip to just before the end; the piece then ends by itself and the
    // player lets it go and comes round to it again.
    ASSERT_EQ(Mix_SetMusicPosition(Mix_MusicDuration(nullptr) - 0.3), 0) << Mix_GetError();
    ASSERT_TRUE(TickUntil(
        player, [&] { return player.CurrentFile().isEmpty(); }, 250))
        << "the piece did not end";
    EXPECT_TRUE(TickUntil(
        player, [&] { return !player.CurrentFile().isEmpty(); }, 10));
}

TEST(MusicPlayerAudio, UnplayableDamagedAndVanishedFilesArePassedOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteFile(dir.filePath(QStringLiteral("a_damaged.ogg")), QByteArray("OggS but not really", 19));
    WriteFile(dir.filePath(QStringLiteral("b_music.wma")), QByteArray(4096, '\x30'));
    ASSERT_TRUE(QFile::copy(ShippedTrack(), dir.filePath(QStringLiteral("c_vanishing.ogg"))));
    ASSERT_TRUE(QFile::copy(ShippedTrack(), dir.filePath(QStringLiteral("d_good.OGG"))));

    MusicPlayer player(std::make_unique<platform::SoundLayerMusicOutput>());
    player.SetFolder(dir.path());
    player.Tick();  // "." : the listing is taken now
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("c_vanishing.ogg"))));
    // "..", the damaged file, the WMA file and the vanished one each cost a
    // tick; the good file plays on the sixth.
    for (int i = 0; i < 4; ++i) {
        player.Tick();
        EXPECT_TRUE(player.CurrentFile().isEmpty()) << "tick " << i + 2;
    }
    player.Tick();
    EXPECT_EQ(QFileInfo(player.CurrentFile()).fileName(), QStringLiteral("d_good.OGG"));
    EXPECT_TRUE(Mix_PlayingMusic());
}

TEST(MusicPlayerAudio, AFolderOfUnplayableFilesNeverPlaysAndNeverStalls) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteFile(dir.filePath(QStringLiteral("x.ogg")), QByteArray(100, '\0'));
    WriteFile(dir.filePath(QStringLiteral("y.mp3")), QByteArray(100, '\x55'));
    MusicPlayer player(std::make_unique<platform::SoundLayerMusicOutput>());
    player.SetFolder(dir.path());
    for (int i = 0; i < 40; ++i) {
        player.Tick();
        EXPECT_TRUE(player.CurrentFile().isEmpty());
    }
}

TEST(MusicFolderListing, ListsEveryEntryWithItsKindInNameOrder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteFile(dir.filePath(QStringLiteral("b.ogg")), "x");
    WriteFile(dir.filePath(QStringLiteral(".hidden.mp3")), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("a_folder.ogg")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("b.ogg")),
                            dir.filePath(QStringLiteral("c_link.ogg"))));
    // A named pipe is never a piece to play (opening it would wait).
    ASSERT_EQ(
        ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("d_pipe.ogg"))).constData(), 0600),
        0);
    using Kind = MusicFolderEntry::Kind;
    const std::vector<MusicFolderEntry> expected = {
        {".", Kind::Folder},           {"..", Kind::Folder},
        {".hidden.mp3", Kind::File},   {"a_folder.ogg", Kind::Folder},
        {"b.ogg", Kind::File},         {"c_link.ogg", Kind::Link},
        {"d_pipe.ogg", Kind::Special},
    };
    EXPECT_EQ(ListMusicFolder(dir.path()), expected);
    EXPECT_TRUE(ListMusicFolder(dir.filePath(QStringLiteral("missing"))).empty());
}

}  // namespace
}  // namespace reversi
