// Qt's own command-line options reach the program, not Qt: a whole start-up
// per option, in a process of its own, compared with a start-up without any.
#include <QDir>
#include <QFileInfo>
#include <QTcpServer>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "EngineUnit.h"

namespace reversi {
namespace {

// A 10 x 10 match at its start: opened, it widens the board to 534 pixels.
void WriteTenFieldMatch(const QString& path) {
    GameState game;
    game.BoardSize = 10;
    game.ComputerSide = 3;
    game.VsComputer = true;
    NewGame(game);
    ASSERT_TRUE(game.Tracker->SaveToFile(game, path.toStdString()).Ok());
}

QString Joined(const test::ChildResult& run) {
    return run.events.join(QLatin1Char('\n')) + QLatin1Char('\n') + run.toolkitState;
}

class ToolkitOptions : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        match = dir.filePath(QStringLiteral("ten.kzv"));
        WriteTenFieldMatch(match);
        sheet = dir.filePath(QStringLiteral("red.qss"));
        QFile file(sheet);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("QWidget { background: red; }\n");
        file.close();
        icon = dir.filePath(QStringLiteral("icon.png"));
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(icon));
    }

    // settingsText, when given, is the settings file the program finds.
    // Each run has a folder of its own, kept until the test ends.
    test::ChildResult Run(const QStringList& parameters, const QByteArray& settingsText = {}) {
        const QString work = dir.filePath(QStringLiteral("run%1").arg(++runs));
        QDir().mkpath(work);
        if (!settingsText.isEmpty()) {
            const QString file =
                test::SettingsFileUnder(QDir(work).filePath(QStringLiteral("config")));
            QDir().mkpath(QFileInfo(file).path());
            QFile out(file);
            if (out.open(QIODevice::WriteOnly)) out.write(settingsText);
        }
        return test::RunProgramOnScreen(1024, 768, parameters, work);
    }

    QTemporaryDir dir;
    QString match, sheet, icon;
    int runs = 0;
};

TEST_F(ToolkitOptions, AreWordsOfTheProgramsCommandLineAndQtDoesNotAct) {
    const test::ChildResult plain = Run({});
    ASSERT_FALSE(plain.crashed);
    ASSERT_EQ(plain.events.size(), 3) << Joined(plain).toStdString();
    ASSERT_FALSE(plain.toolkitState.isEmpty());
    EXPECT_TRUE(
        plain.toolkitState.startsWith(QLatin1String("direction=LeftToRight window=LeftToRight ")))
        << plain.toolkitState.toStdString();
    EXPECT_TRUE(plain.toolkitState.contains(QLatin1String(" sheet=0 platform=offscreen ")))
        << plain.toolkitState.toStdString();
    EXPECT_TRUE(plain.toolkitState.contains(QLatin1String(" icon=none ")))
        << plain.toolkitState.toStdString();

    // The match alone opens: the board is sized for 10 x 10.
    const test::ChildResult opened = Run({match});
    ASSERT_EQ(opened.events.size(), 3) << Joined(opened).toStdString();
    EXPECT_EQ(opened.events[2].toStdString(), "BOARD 534");

    // Each option, with its value, followed by the match: a command line of
    // two or three words, which the program ignores; Qt changes nothing.
    const QStringList options[] = {
        {"-reverse"},
        {"--reverse"},
        {"-style", "windows"},
        {"-style=windows"},
        {"-stylesheet", sheet},
        {"-stylesheet=" + sheet},
        {"-qwindowtitle", "X"},
        {"-title", "X"},
        {"-qwindowgeometry", "300x200+10+10"},
        {"-geometry", "300x200+10+10"},
        {"-qwindowicon", icon},
        {"-icon", icon},
        {"-platform", "minimal"},
        {"-platformtheme", "none"},
        {"-platformpluginpath", "/nonexistent"},
        {"-plugin", "evdevmouse"},
        {"-session", "s1"},
        {"-display", ":99"},
        {"-name", "other"},
        {"-widgetcount"},
        {"-nograb"},
        {"-dograb"},
        {"-sync"},
        {"-visual", "32"},
        {"-testability"},
        {"-qmljsdebugger=port:3768"},
        {"-qdevicepixelratio", "2"},
    };
    for (const QStringList& option : options) {
        const std::string name = option.join(QLatin1Char(' ')).toStdString();
        const test::ChildResult run = Run(option + QStringList{match});
        EXPECT_FALSE(run.crashed) << name;
        EXPECT_EQ(run.exitCode, 0) << name;
        if (run.events.size() != 3) {
            ADD_FAILURE() << name << "\n" << Joined(run).toStdString();
            continue;
        }
        EXPECT_EQ(run.events[0].toStdString(), "WINDOW Zorel Reversi 4.00") << name;
        EXPECT_TRUE(run.events[1].endsWith(QLatin1String("|Move 0/0"))) << name;
        EXPECT_EQ(run.events[2].toStdString(), "BOARD 532") << name << ": the match was opened";
        EXPECT_EQ(run.toolkitState.toStdString(), plain.toolkitState.toStdString()) << name;
        EXPECT_FALSE(run.standardError.contains(QLatin1String("Widgets left"))) << name;
    }
}

TEST_F(ToolkitOptions, AloneTheyAskTheProgramForNothing) {
    const test::ChildResult plain = Run({});
    ASSERT_EQ(plain.events.size(), 3) << Joined(plain).toStdString();
    const QStringList lines[] = {
        {"-reverse"},
        {"-qwindowtitle", "X"},
        {"-style", "windows"},
    };
    for (const QStringList& line : lines) {
        const std::string name = line.join(QLatin1Char(' ')).toStdString();
        const test::ChildResult run = Run(line);
        EXPECT_EQ(run.events.join(QLatin1Char('\n')).toStdString(),
                  plain.events.join(QLatin1Char('\n')).toStdString())
            << name;
        EXPECT_EQ(run.toolkitState.toStdString(), plain.toolkitState.toStdString()) << name;
    }
}

// A Qt option before "-listen" makes a command line of two words: ignored,
// so the program does not listen (and stores that at close).
TEST_F(ToolkitOptions, BeforeAProgramKeywordMakeTheLineOneOfTwoWords) {
    // A port no other test listens on.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QByteArray settings = "[net]\nport=" + QByteArray::number(probe.serverPort()) + "\n";
    probe.close();
    const test::ChildResult listening = Run({"-listen"}, settings);
    ASSERT_EQ(listening.events.size(), 3) << Joined(listening).toStdString();
    EXPECT_EQ(QSettings(test::SettingsFileUnder(listening.configDir), QSettings::IniFormat)
                  .value("net/listn")
                  .toString(),
              QStringLiteral("yes"));
    const test::ChildResult run = Run({"-nograb", "-listen"}, settings);
    ASSERT_EQ(run.events.size(), 3) << Joined(run).toStdString();
    EXPECT_EQ(QSettings(test::SettingsFileUnder(run.configDir), QSettings::IniFormat)
                  .value("net/listn")
                  .toString(),
              QStringLiteral("no"));
}

}  // namespace
}  // namespace reversi
