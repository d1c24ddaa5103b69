// Whole start-ups of the program in a process of its own, on screens of a
// chosen size.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "EngineUnit.h"
#include "ScreenCheck.h"

namespace reversi {
namespace {

TEST(ScreenCheck, NeedsSixHundredLines) {
    EXPECT_FALSE(ScreenLinesEnough(0));
    EXPECT_FALSE(ScreenLinesEnough(599));
    EXPECT_TRUE(ScreenLinesEnough(600));
    EXPECT_TRUE(ScreenLinesEnough(1024));
}

TEST(StartUp, ScreenOf599LinesShowsTheErrorBeforeAnyWindowAndWritesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const test::ChildResult run = test::RunProgramOnScreen(800, 599, {}, dir.path());
    ASSERT_FALSE(run.crashed);
    ASSERT_EQ(run.events.size(), 1) << run.events.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(run.events[0].toStdString(),
              "BOX ERROR: You have less then 800 x 600 resolution!|"
              "Change You display resolution and try againg. windows=0 title=Zorel Reversi 4.00");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(test::SettingsFileUnder(run.configDir)));
    // Nothing else either (no toolkit state files).
    EXPECT_TRUE(QDir(run.configDir).isEmpty());
}

TEST(StartUp, ScreenOf600LinesStartsAndWritesSettingsAtClose) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const test::ChildResult run = test::RunProgramOnScreen(800, 600, {}, dir.path());
    ASSERT_FALSE(run.crashed);
    ASSERT_EQ(run.events.size(), 3) << run.events.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(run.events[0].toStdString(), "WINDOW Zorel Reversi 4.00");
    EXPECT_TRUE(run.events[1].endsWith(QLatin1String("|Move 0/0")));
    EXPECT_EQ(run.events[2].toStdString(), "BOARD 532");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(test::SettingsFileUnder(run.configDir)));
}

TEST(StartUp, MissingPicturesAreNamedAndTheProgramEndsWithoutWritingSettings) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath(QStringLiteral("reversi_copy"));
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), program));
    const test::ChildResult run = test::RunProgramOnScreen(1024, 768, {}, dir.path(), program);
    ASSERT_FALSE(run.crashed);
    ASSERT_EQ(run.events.size(), 1) << run.events.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(run.events[0].startsWith(QLatin1String("BOX Cannot load the picture")));
    EXPECT_TRUE(run.events[0].contains(QLatin1String("DATA/Lineh1.jpg")));
    EXPECT_TRUE(run.events[0].contains(QLatin1String("windows=0")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(test::SettingsFileUnder(run.configDir)));
}

// Writes a 10 x 10 match of three moves (white, black, white) to path.
void WriteTenFieldMatch(const QString& path) {
    ResetGameState();
    auto& g = Game();
    g.BoardSize = 10;
    g.ComputerSide = 3;
    g.VsComputer = true;
    NewGame();
    for (int moves = 0; moves < 3; ++moves) {
        const int side = g.SideToMove;
        int square = 0;
        for (int s = 0; s < 144 && square == 0; ++s) {
            if (IsPlayingSquare(s, 10) && CanMove(g.Boards[0], s, side, 5 - side)) square = s;
        }
        ASSERT_NE(square, 0);
        g.Tracker->AddMove(square, side, 5 - side);
        g.Boards[0][static_cast<std::size_t>(square)] = static_cast<std::uint8_t>(side);
        MakeMove(g.Boards[0], square, side, 5 - side);
        g.SideToMove = 5 - side;
    }
    ASSERT_TRUE(g.Tracker->SaveToFile(path.toStdString()).Ok());
    ResetGameState();
}

TEST(StartUp, SavedGameOnTheCommandLineOpensWhenTheWindowIsShown) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString match = dir.filePath(QStringLiteral("ten.kzv"));
    WriteTenFieldMatch(match);
    const test::ChildResult run = test::RunProgramOnScreen(1024, 768, {match}, dir.path());
    ASSERT_FALSE(run.crashed);
    ASSERT_EQ(run.events.size(), 3) << run.events.join(QLatin1Char('\n')).toStdString();
    // At its last position, black to move, in a window sized for 10 x 10.
    EXPECT_TRUE(run.events[1].endsWith(QLatin1String("|Move 3/3"))) << run.events[1].toStdString();
    EXPECT_TRUE(run.events[1].contains(QLatin1String(" is moving|")));
    EXPECT_EQ(run.events[2].toStdString(), "BOARD 534");
    EXPECT_EQ(run.exitCode, 0);
}

TEST(StartUp, DamagedSavedGameOnTheCommandLineIsReportedAndTheGameStarts) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString match = dir.filePath(QStringLiteral("short.kzv"));
    QFile file(match);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("2VZK\x08\0\0\0\x05\0\0\0", 12);  // five moves promised, none there
    file.close();
    const test::ChildResult run = test::RunProgramOnScreen(1024, 768, {match}, dir.path());
    ASSERT_FALSE(run.crashed);
    ASSERT_EQ(run.events.size(), 4) << run.events.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(run.events[0].startsWith(QLatin1String("BOX Stream read error")))
        << run.events[0].toStdString();
    EXPECT_TRUE(run.events[2].endsWith(QLatin1String("|Move 0/0")));
    EXPECT_EQ(run.events[3].toStdString(), "BOARD 532");
    EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace reversi
