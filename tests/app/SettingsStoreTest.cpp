// The settings file on disk: first start, round trips through the three
// writers, hostile files, paths that are not files, and honest write results.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "SettingsStore.h"

namespace reversi {
namespace {

// Every test gets its own configuration folder.
class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", saved); }

    QString StorePath() const {
        return config.filePath(QStringLiteral("Quenwick/Zorel Reversi 4.00.conf"));
    }
    void WriteFile(const QByteArray& bytes) const {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(StorePath()).path()));
        QFile file(StorePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray FileBytes() const {
        QFile file(StorePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The stored text of one value, read independently of the store.
    QVariant Stored(const QString& key) const {
        return QSettings(StorePath(), QSettings::IniFormat).value(key);
    }
    static Settings Defaults() {
        return ParseSettings([](const QString&) { return std::nullopt; },
                             SettingsStore::DefaultMusicFolder());
    }
    // Runs f on a worker; a call still running after a few seconds fails the
    // test instead of hanging it (unblock() then frees the worker).
    template <typename F>
    static auto Bounded(F f, const std::function<void()>& unblock) {
        auto result = std::async(std::launch::async, f);
        if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
            ADD_FAILURE() << "the store blocked on the settings path";
            unblock();
        }
        return result.get();
    }

    QTemporaryDir config;
    QByteArray saved;
};

TEST_F(SettingsStoreTest, LivesInTheUserConfigurationFolder) {
    EXPECT_EQ(SettingsStore().FilePath(), StorePath());
    // The same file as the application's own QSettings.
    EXPECT_EQ(SettingsStore().FilePath(), QSettings().fileName());
    EXPECT_EQ(SettingsStore::DefaultMusicFolder(),
              QCoreApplication::applicationDirPath() + QStringLiteral("/DATA/MUSIC"));
}

TEST_F(SettingsStoreTest, FirstStartReadsDefaultsAndWritesNothing) {
    const SettingsStore store;
    const Settings s = store.Load();
    EXPECT_EQ(s, Defaults());
    EXPECT_TRUE(s.BabyLevel);
    EXPECT_EQ(s.MusicFolder, SettingsStore::DefaultMusicFolder());
    const StoredStatistics stats = store.LoadStatistics();
    EXPECT_TRUE(stats.bytes.isEmpty());
    EXPECT_FALSE(stats.wrongType);
    EXPECT_FALSE(QFileInfo::exists(StorePath()));
}

TEST_F(SettingsStoreTest, ReadingLeavesADamagedFileAsItWas) {
    const QByteArray bytes("[options]\nlevel=4\nnot a setting line\n[net\nport=77\n");
    WriteFile(bytes);
    const SettingsStore store;
    EXPECT_EQ(store.Load().Depth, 4);
    (void)store.LoadStatistics();
    EXPECT_EQ(FileBytes(), bytes);
}

TEST_F(SettingsStoreTest, WritersRoundTripEveryValue) {
    const SettingsStore store;
    Settings s = store.Load();
    s.NETPort = 9000;
    s.NETService = QStringLiteral("reversi");
    s.VsComputer = false;
    s.SetLevel(7);
    s.ComputerSide = 2;
    s.BoardSize = 10;
    s.AdvancedEngine = true;
    s.SoundEffectsOn = false;
    s.AnimationOn = false;
    s.CursorStyle = 1;
    s.BoardBorderStyle = 1;
    s.ShowAvailableMoves = false;
    s.ShowMovesList = false;
    s.CallAsWhite = false;
    s.SoundVolume = 12;
    s.MusicVolume = 250;
    s.MusicFolder = QStringLiteral("/home/player/My Music, old");
    s.ShowTips = false;
    s.CurrentTip = 3;
    QByteArray stats(640, '\0');
    for (int i = 0; i < stats.size(); ++i) stats[i] = static_cast<char>(i * 7);

    store.SaveOnClose(s, false, stats);
    store.SaveDialogValues(s);
    store.SaveTipValues(s.ShowTips, s.CurrentTip);

    Settings expected = s;
    expected.ShutDownServerListing = true;  // not listening at close
    EXPECT_EQ(store.Load(), expected);
    EXPECT_EQ(store.LoadStatistics().bytes, stats);
    EXPECT_FALSE(store.LoadStatistics().wrongType);

    // Words, not numbers, for the flags.
    EXPECT_EQ(Stored(QStringLiteral("options/gamet")).toString(), QStringLiteral("human"));
    EXPECT_EQ(Stored(QStringLiteral("options/youpl")).toString(), QStringLiteral("black"));
    EXPECT_EQ(Stored(QStringLiteral("options/engit")).toString(), QStringLiteral("advn"));
    EXPECT_EQ(Stored(QStringLiteral("options/avmov")).toString(), QStringLiteral("hide"));
    EXPECT_EQ(Stored(QStringLiteral("net/listn")).toString(), QStringLiteral("no"));
    EXPECT_EQ(Stored(QStringLiteral("options/level")).toString(), QStringLiteral("7"));
}

TEST_F(SettingsStoreTest, EachWriterLeavesTheOthersValuesAlone) {
    WriteFile(
        "[options]\nlevel=5\ntfigs=0\nshowtips=no\nsound_volume=9\n[General]\n"
        "unknown=kept\n");
    const SettingsStore store;
    Settings s = store.Load();
    s.SoundVolume = 100;
    store.SaveOnClose(s, true, QByteArray("abc"));
    EXPECT_EQ(Stored(QStringLiteral("options/level")).toString(), QStringLiteral("5"));
    EXPECT_EQ(Stored(QStringLiteral("options/showtips")).toString(), QStringLiteral("no"));
    EXPECT_EQ(Stored(QStringLiteral("unknown")).toString(), QStringLiteral("kept"));
    store.SaveTipValues(true, 2);
    EXPECT_EQ(Stored(QStringLiteral("options/sound_volume")).toString(), QStringLiteral("100"));
    EXPECT_EQ(Stored(QStringLiteral("net/listn")).toString(), QStringLiteral("yes"));
    EXPECT_EQ(Stored(QStringLiteral("options/currenttip")).toString(), QStringLiteral("2"));
    EXPECT_EQ(store.Load().Depth, 5);
}

struct HostileFile {
    const char* name;
    QByteArray bytes;
};

TEST_F(SettingsStoreTest, HostileFilesStartWithSaneValues) {
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 131 + 17) % 256));
    const HostileFile files[] = {
        {"garbage bytes", garbage},
        {"huge numbers",
         "[options]\nlevel=99999999999999999999\nsound_volume=4294967296\n"
         "music_volume=1e9\ncurrenttip=-99999999999\n[net]\nport=123456789012\n"},
        {"negative numbers",
         "[options]\ntfigs=-1\ntcurs=-1\nthelp=-1\ntbrdr=-1\nbrdim=-8\n"
         "sound_volume=-5\nmusic_volume=-5\nlevel=-3\n[net]\nport=-1\n"},
        {"wrong types",
         "[options]\nsndef=@ByteArray(no)\nmusef=@Variant(\\0\\0\\0\\x1\\x1)\n"
         "level=@ByteArray(5)\nmusic_folder=@Invalid()\n"
         "sound_volume=1, 2\n[net]\nservice=@ByteArray(\\xff)\n"},
        {"NUL bytes", QByteArray("[options]\nlevel=3\0\0\0\n[net]\nport=80\n", 35)},
        {"no sections", "level=5\nport=1\nsndef=no\n"},
    };
    for (const HostileFile& f : files) {
        WriteFile(f.bytes);
        const Settings s = SettingsStore().Load();
        EXPECT_GE(s.Depth, 1) << f.name;
        EXPECT_LE(s.Depth, 9) << f.name;
        EXPECT_EQ(s.FiguresStyle, 0) << f.name;
        EXPECT_EQ(s.HelpStyle, 0) << f.name;
        EXPECT_TRUE(s.CursorStyle == 0 || s.CursorStyle == 1) << f.name;
        EXPECT_TRUE(s.BoardBorderStyle == 0 || s.BoardBorderStyle == 1) << f.name;
        EXPECT_TRUE(s.BoardSize == 8 || s.BoardSize == 10) << f.name;
        EXPECT_TRUE(s.ComputerSide == 2 || s.ComputerSide == 3) << f.name;
        EXPECT_GE(s.NETPort, 1) << f.name;
        EXPECT_LE(s.NETPort, 65535) << f.name;
        EXPECT_GE(s.SoundVolume, 0) << f.name;
        EXPECT_LE(s.SoundVolume, 255) << f.name;
        EXPECT_GE(s.MusicVolume, 0) << f.name;
        EXPECT_LE(s.MusicVolume, 255) << f.name;
    }
}

TEST_F(SettingsStoreTest, ValuesThatAreNotTextReadAsMissing) {
    WriteFile(
        "[options]\nsndef=@ByteArray(no)\nlevel=@ByteArray(5)\nsound_volume=1, 2\n"
        "music_folder=@Invalid()\n[net]\nservice=@ByteArray(svc)\nport=-1\n");
    const Settings s = SettingsStore().Load();
    EXPECT_TRUE(s.SoundEffectsOn);
    EXPECT_TRUE(s.BabyLevel);
    EXPECT_EQ(s.SoundVolume, 225);
    EXPECT_EQ(s.MusicFolder, SettingsStore::DefaultMusicFolder());
    EXPECT_TRUE(s.NETService.isEmpty());
    EXPECT_EQ(s.NETPort, 8173);
}

// A word with a comma is some other text than its word: the other state, as
// for any other text; a number with a comma is no number.
TEST_F(SettingsStoreTest, WordsAndNumbersWithACommaAreOtherText) {
    WriteFile("[options]\nsndef=yes, no\nmusef=no, yes\nsound_volume=1, 2\n");
    const Settings s = SettingsStore().Load();
    EXPECT_FALSE(s.SoundEffectsOn);
    EXPECT_FALSE(s.MusicOn);
    EXPECT_EQ(s.SoundVolume, 225);
}

TEST_F(SettingsStoreTest, StatisticsOfAnotherTypeAreFlagged) {
    WriteFile("[General]\nStatistics=some text\n");
    StoredStatistics stats = SettingsStore().LoadStatistics();
    EXPECT_TRUE(stats.wrongType);
    EXPECT_TRUE(stats.bytes.isEmpty());

    WriteFile("[General]\nStatistics=@ByteArray(\\0\\x1\\x2)\n");
    stats = SettingsStore().LoadStatistics();
    EXPECT_FALSE(stats.wrongType);
    EXPECT_EQ(stats.bytes, QByteArray("\0\1\2", 3));
}

TEST_F(SettingsStoreTest, ADamagedLineElsewhereDoesNotFailAGoodWrite) {
    // Each writer meets the damaged file first (QSettings keeps what it has
    // read of a file, so a read before the write could hide the damage).
    const SettingsStore store;
    const QByteArray damaged(
        "[options]\nlevel=6\nthis line has no equals sign\n[net]\nport=4242\n");
    Settings s = ParseSettings([](const QString&) { return std::nullopt; }, QString());
    s.MusicVolume = 33;
    WriteFile(damaged);
    EXPECT_NO_THROW(store.SaveOnClose(s, false, QByteArray()));
    EXPECT_EQ(store.Load().MusicVolume, 33);
    WriteFile(damaged + "more damage\n");
    EXPECT_NO_THROW(store.SaveDialogValues(s));
    EXPECT_EQ(store.Load().Depth, 1);
    WriteFile(damaged + "[net\n");
    EXPECT_NO_THROW(store.SaveTipValues(false, 1));
    const Settings back = store.Load();
    EXPECT_FALSE(back.ShowTips);
    EXPECT_EQ(back.NETPort, 4242);
}

TEST_F(SettingsStoreTest, AFolderThatCannotBeMadeIsReported) {
    // A plain file where the organisation's folder should be.
    QFile blocker(config.filePath(QStringLiteral("Quenwick")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SettingsStore store;
    EXPECT_EQ(store.Load(), Defaults());
    try {
        store.SaveOnClose(Defaults(), false, QByteArray());
        ADD_FAILURE() << "a failed write was reported as success";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The settings could not be written to " + StorePath().toStdString());
    }
    EXPECT_THROW(store.SaveDialogValues(Defaults()), SettingsWriteError);
    EXPECT_THROW(store.SaveTipValues(true, 0), SettingsWriteError);
}

TEST_F(SettingsStoreTest, AFolderAtTheFilesPathGivesDefaultsAndFailedWrites) {
    ASSERT_TRUE(QDir().mkpath(StorePath()));
    const SettingsStore store;
    EXPECT_EQ(store.Load(), Defaults());
    EXPECT_FALSE(store.LoadStatistics().wrongType);
    EXPECT_THROW(store.SaveOnClose(Defaults(), false, QByteArray()), SettingsWriteError);
    EXPECT_THROW(store.SaveDialogValues(Defaults()), SettingsWriteError);
    EXPECT_TRUE(QFileInfo(StorePath()).isDir());
}

TEST_F(SettingsStoreTest, APipeAtTheFilesPathNeverBlocks) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(StorePath()).path()));
    const QByteArray fifo = QFile::encodeName(StorePath());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // Opening the other end frees a reader stuck in open().
    const auto unblock = [fifo] {
        const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    };
    const SettingsStore store;
    EXPECT_EQ(Bounded([&store] { return store.Load(); }, unblock), Defaults());
    EXPECT_TRUE(Bounded([&store] { return store.LoadStatistics(); }, unblock).bytes.isEmpty());
    EXPECT_TRUE(Bounded(
        [&store] {
            try {
                store.SaveOnClose(Defaults(), true, QByteArray());
            } catch (const SettingsWriteError&) {
                return true;
            }
            return false;
        },
        unblock));
    struct stat info {};
    ASSERT_EQ(::stat(fifo.constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe was replaced";
}

TEST_F(SettingsStoreTest, AFileFarTooLargeIsNotReadButSetAsideByTheNextWriter) {
    QByteArray bytes("[options]\nlevel=5\n");
    bytes.append(QByteArray(2 << 20, ';'));
    WriteFile(bytes);
    // A file of an earlier set-aside keeps its name: the new one takes the next.
    const QString taken = SettingsStore::SetAsideName(StorePath(), 1);
    {
        QFile old(taken);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier");
    }
    SettingsStore store;
    QStringList notices;
    store.SetSetAsideNotice([&notices](const QString& text) { notices << text; });
    EXPECT_EQ(store.Load(), Defaults()) << "the outgrown file was read";
    EXPECT_TRUE(notices.isEmpty()) << "reading set the file aside";
    EXPECT_EQ(FileBytes(), bytes);

    Settings chosen = Defaults();
    chosen.Depth = 7;
    chosen.BabyLevel = false;
    ASSERT_NO_THROW(store.SaveDialogValues(chosen));
    const QString keptAs = SettingsStore::SetAsideName(StorePath(), 2);
    EXPECT_EQ(keptAs, StorePath() + QStringLiteral(".too-large-2"));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0], SettingsStore::SetAsideMessage(StorePath(), keptAs));
    EXPECT_TRUE(notices[0].contains(StorePath()) && notices[0].contains(keptAs))
        << notices[0].toStdString();
    // Nothing is destroyed: the outgrown file and the earlier one are whole.
    QFile aside(keptAs);
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), bytes);
    QFile earlier(taken);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));

    // The fresh file is ours: the next writer adds to it without a word, and
    // the next start reads both.
    ASSERT_NO_THROW(store.SaveTipValues(false, 12));
    EXPECT_EQ(notices.size(), 1) << "told more than once";
    EXPECT_LT(FileBytes().size(), 4096);
    const Settings read = SettingsStore().Load();
    EXPECT_EQ(read.Depth, 7);
    EXPECT_FALSE(read.ShowTips);
    EXPECT_EQ(read.CurrentTip, 12);
}

TEST_F(SettingsStoreTest, AHugeDeviceBehindTheNameIsNeitherReadNorSetAside) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(StorePath()).path()));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), StorePath()));
    SettingsStore store;
    int notices = 0;
    store.SetSetAsideNotice([&notices](const QString&) { ++notices; });
    EXPECT_EQ(store.Load(), Defaults());
    EXPECT_THROW(store.SaveOnClose(Defaults(), false, QByteArray()), SettingsWriteError);
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(QFileInfo(StorePath()).symLinkTarget(), QStringLiteral("/dev/zero"));
    EXPECT_FALSE(QFileInfo::exists(SettingsStore::SetAsideName(StorePath(), 1)));
}

TEST_F(SettingsStoreTest, AnUnreadableFileIsNotOverwritten) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    WriteFile("[options]\nlevel=5\n");
    ASSERT_EQ(::chmod(QFile::encodeName(StorePath()).constData(), 0), 0);
    const SettingsStore store;
    EXPECT_EQ(store.Load(), Defaults());
    EXPECT_THROW(store.SaveDialogValues(Defaults()), SettingsWriteError);
    ::chmod(QFile::encodeName(StorePath()).constData(), 0600);
    EXPECT_EQ(store.Load().Depth, 5);
}

}  // namespace
}  // namespace reversi
