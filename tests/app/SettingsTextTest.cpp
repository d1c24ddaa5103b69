// The values used as text (the service name and the music folder) are read
// exactly as the settings file holds them, commas and semicolons included,
// and what the program stores reads back the same.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "PlayTestSupport.h"
#include "SettingsStore.h"
#include "SettingsText.h"
#include "WaitUntil.h"

namespace reversi {
namespace {

const QString kFolder = QStringLiteral("options/music_folder");
const QString kService = QStringLiteral("net/service");

struct Shape {
    const char* name;
    QByteArray file;
    std::optional<QString> expected;  // of options/music_folder
};

TEST(SettingsText, ValueShapes) {
    const auto folder = [](const QByteArray& value) {
        return "[options]\nmusic_folder=" + value + "\n";
    };
    const Shape shapes[] = {
        {"comma and blank", folder("/home/me/My Music, old"), "/home/me/My Music, old"},
        {"comma", folder("a,b"), "a,b"},
        {"blank before comma", folder("a ,b"), "a ,b"},
        {"blanks around commas", folder("a  ,  b ,c"), "a  ,  b ,c"},
        {"trailing comma", folder("/music,"), "/music,"},
        {"leading comma", folder(",/music"), ",/music"},
        {"commas only", folder(",,"), ",,"},
        {"semicolon", folder("/home/me/a;b"), "/home/me/a;b"},
        {"blank and semicolon", folder("/x ; y"), "/x ; y"},
        {"equals sign", folder("a=b"), "a=b"},
        {"blanks at the ends", folder("   /music   "), "/music"},
        {"quoted", folder("\"/home/me/My Music, old\""), "/home/me/My Music, old"},
        {"quoted blanks", folder("\"  /music  \""), "  /music  "},
        {"quoted part and comma", folder("\"a\" , b"), "a, b"},
        {"escapes", folder("a\\\\b\\tc\\\"d\\x41\\101"), "a\\b\tc\"dAA"},
        {"UTF-8", folder("/home/me/M\xc3\xbcsik, alt"), QStringLiteral("/home/me/M\u00fcsik, alt")},
        {"empty", folder(""), ""},
        {"doubled at sign", folder("@@home"), "@home"},
        {"typed value", folder("@Invalid()"), std::nullopt},
        {"bytes", folder("@ByteArray(x, y)"), std::nullopt},
        {"missing", "[options]\nlevel=3\n", std::nullopt},
        {"other section", "[net]\nmusic_folder=/x\n", std::nullopt},
        {"commented out", "[options]\n;music_folder=/x\n", std::nullopt},
        {"last line counts",
         "[options]\nmusic_folder=/a\n[net]\nport=1\n[options]\nmusic_folder=/b, c\n", "/b, c"},
        {"CRLF and BOM", "\xef\xbb\xbf[options]\r\nlevel=2\r\nmusic_folder=/a, b \r\nsndef=no\r\n",
         "/a, b"},
        {"blanks around the key and section", "[ options ]\n  music_folder  =/a,b\n", "/a,b"},
        {"general section", "[General]\nmusic_folder=/x\n", std::nullopt},
    };
    for (const Shape& s : shapes) {
        EXPECT_EQ(StoredText(s.file, kFolder), s.expected) << s.name;
    }
    EXPECT_EQ(StoredText("[net]\nservice=my service, 2\nport=1\n", kService),
              QStringLiteral("my service, 2"));
}

// Without commas and semicolons the reading is QSettings' own: random values
// of quotes, escapes, blanks and "@" read the same both ways.
TEST(SettingsText, ReadsAsQSettingsWhereItDoesNotSplit) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray alphabet("ab \t\"\\@=xn01789\xc3\xbc[]");
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray value;
        const int length = static_cast<int>(next() % 24);
        for (int i = 0; i < length; ++i)
            value += alphabet[static_cast<qsizetype>(next() % alphabet.size())];
        const QByteArray file = "[options]\nmusic_folder=" + value + "\nlevel=3\n";
        // A file of its own each time: QSettings keeps what it read of a path.
        const QString path = dir.filePath(QStringLiteral("random%1.conf").arg(round));
        {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(file);
        }
        const QVariant qt = QSettings(path, QSettings::IniFormat).value(kFolder);
        if (qt.typeId() != QMetaType::QString || qt.toString().startsWith(QLatin1Char('@')))
            continue;
        ++compared;
        EXPECT_EQ(StoredText(file, kFolder), qt.toString()) << file.toStdString();
    }
    EXPECT_GT(compared, 200);
}

// The store's file, in a folder of its own.
class TextStore : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path() const { return dir.filePath(QStringLiteral("settings.conf")); }
    void WriteFile(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray FileBytes() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

// Texts QSettings would split, cut, quote or escape, written by QSettings
// itself: the file's text reads back as written, through the store too.
TEST_F(TextStore, WhatQSettingsStoresReadsBackTheSame) {
    const QString texts[] = {
        "/home/me/My Music, old",
        "a,b",
        "a ,b",
        "a,",
        ",",
        " lead",
        "trail ",
        "a;b",
        "a=b",
        "q\"uote",
        "back\\slash",
        "tab\tx",
        "new\nline",
        "@at",
        "@@x",
        QStringLiteral("M\u00fcsik \u65e5\u672c"),
        "",
        "\"quoted\"",
        "\\x41",
        QStringLiteral("nul\u0001x9"),
    };
    for (const QString& text : texts) {
        QFile::remove(Path());
        {
            QSettings store(Path(), QSettings::IniFormat);
            store.setValue(kFolder, text);
            store.setValue(kService, text);
        }
        const QByteArray file = FileBytes();
        EXPECT_EQ(StoredText(file, kFolder), text) << file.toStdString();
        const Settings s = SettingsStore(Path()).Load();
        EXPECT_EQ(s.MusicFolder, text) << file.toStdString();
        EXPECT_EQ(s.NETService, text) << file.toStdString();
    }
}

TEST_F(TextStore, AHandEditedCommaValueIsUsedAndKeptByEveryWriter) {
    const QByteArray original =
        "[net]\nservice=game, second\n[options]\nmusic_folder=/home/me/My Music ,old;x\nlevel=4\n";
    WriteFile(original);
    const SettingsStore store(Path());
    Settings s = store.Load();
    EXPECT_EQ(s.MusicFolder, QStringLiteral("/home/me/My Music ,old;x"));
    EXPECT_EQ(s.NETService, QStringLiteral("game, second"));
    EXPECT_EQ(s.Depth, 4);

    // Writers that do not store the texts leave them as they were.
    store.SaveTipValues(false, 7);
    EXPECT_EQ(store.Load(), [&] {
        Settings t = s;
        t.ShowTips = false;
        t.CurrentTip = 7;
        return t;
    }());
    store.SaveDialogValues(s);
    EXPECT_EQ(StoredText(FileBytes(), kFolder), s.MusicFolder);
    // QSettings itself now reads the same texts.
    {
        const QSettings plain(Path(), QSettings::IniFormat);
        EXPECT_EQ(plain.value(kFolder), QVariant(s.MusicFolder));
        EXPECT_EQ(plain.value(kService), QVariant(s.NETService));
    }
    store.SaveOnClose(s, false, QByteArray());
    const Settings back = store.Load();
    EXPECT_EQ(back.MusicFolder, s.MusicFolder);
    EXPECT_EQ(back.NETService, s.NETService);
}

// A whole start and close of the window with a hand-edited music folder
// holding a comma: the music plays from that folder, and the file still holds
// the folder afterwards.
TEST(TextSettingsWindow, ACommaMusicFolderPlaysAndSurvivesTheClose) {
    QSettings().clear();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("My Music, old"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(
        QDir(SettingsStore::DefaultMusicFolder()).filePath(QStringLiteral("evening_board.ogg")),
        QDir(folder).filePath(QStringLiteral("tune.ogg"))));
    const QString path = SettingsStore().FilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[options]\nmusic_folder=" + folder.toUtf8() + "\nshowtips=no\n");
    }

    auto form = std::make_unique<TReversiForm>();
    form->SetGameMessages(std::make_unique<test::RecordingMessages>());
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->CurrentSettings().MusicFolder, folder);
    ASSERT_NE(form->Music(), nullptr) << "no sound output";
    ASSERT_TRUE(test::WaitUntil([&] { return !form->Music()->CurrentFile().isEmpty(); }, 5000))
        << "the music never started";
    EXPECT_EQ(QFileInfo(form->Music()->CurrentFile()).absolutePath(),
              QFileInfo(folder).absoluteFilePath());
    form->close();
    form.reset();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    EXPECT_EQ(StoredText(after, kFolder), folder) << after.toStdString();
    EXPECT_EQ(QSettings(path, QSettings::IniFormat).value(kFolder), QVariant(folder));
    QSettings().clear();
}

}  // namespace
}  // namespace reversi
