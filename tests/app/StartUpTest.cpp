// Whole start-ups of the program in a process of its own, on screens of a
// chosen size.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
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

TEST(StartUp, AnOutgrownSettingsFileIsSetAsideOnceAndTheNextStartReadsTheFreshOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file =
        test::SettingsFileUnder(QDir(dir.path()).filePath(QStringLiteral("config")));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    // A 10 x 10 field inside a file grown past what the program reads.
    QByteArray grown("[options]\nbrdim=10\n");
    grown.append(QByteArray(3 << 20, '#'));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(grown), grown.size());
    }
    const QString keptAs = file + QStringLiteral(".too-large");

    const test::ChildResult first = test::RunProgramOnScreen(1024, 768, {}, dir.path());
    ASSERT_FALSE(first.crashed);
    const QString all = first.events.join(QLatin1Char('\n'));
    EXPECT_TRUE(first.events.contains(QStringLiteral("BOARD 532")))
        << "the outgrown file was read\n"
        << all.toStdString();
    // Told once, naming both files, and no failed write.
    EXPECT_EQ(all.count(QStringLiteral("too large")), 1) << all.toStdString();
    EXPECT_TRUE(all.contains(file) && all.contains(keptAs)) << all.toStdString();
    EXPECT_FALSE(all.contains(QStringLiteral("could not be written"))) << all.toStdString();
    QFile aside(keptAs);
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), grown) << "the outgrown file was not kept whole";
    ASSERT_TRUE(QFileInfo(file).isFile());
    EXPECT_LT(QFileInfo(file).size(), 16384);

    // The next start reads the fresh file (here told to use the 10 x 10
    // field) and has nothing to say about it.
    QSettings(file, QSettings::IniFormat)
        .setValue(QStringLiteral("options/brdim"), QStringLiteral("10"));
    const test::ChildResult second = test::RunProgramOnScreen(1024, 768, {}, dir.path());
    ASSERT_FALSE(second.crashed);
    const QString seen = second.events.join(QLatin1Char('\n'));
    EXPECT_TRUE(second.events.contains(QStringLiteral("BOARD 534"))) << seen.toStdString();
    EXPECT_FALSE(seen.contains(QStringLiteral("BOX"))) << seen.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".too-large-2")));
}

// Writes a 10 x 10 match of three moves (white, black, white) against the
// computer playing black to path, so that it stands at the computer's turn.
// Answers the board texts of every position the computer's reply can make.
QStringList WriteTenFieldMatch(const QString& path) {
    GameState g;
    g.BoardSize = 10;
    g.ComputerSide = 3;
    g.VsComputer = true;
    g.Depth = 2;
    NewGame(g);
    const auto play = [&g](int square) {
        const int side = g.SideToMove;
        g.Tracker->AddMove(g, square, side, 5 - side);
        g.Boards[0][static_cast<std::size_t>(square)] = static_cast<std::uint8_t>(side);
        MakeMove(g, g.Boards[0], square, side, 5 - side);
        g.SideToMove = 5 - side;
    };
    const auto legalSquares = [&g] {
        std::vector<int> squares;
        for (int s = 0; s < 144; ++s) {
            if (IsPlayingSquare(s, 10) &&
                CanMove(g, g.Boards[0], s, g.SideToMove, 5 - g.SideToMove))
                squares.push_back(s);
        }
        return squares;
    };
    for (int moves = 0; moves < 3; ++moves) {
        const std::vector<int> legal = legalSquares();
        if (legal.empty()) {
            ADD_FAILURE() << "no legal square";
            return {};
        }
        play(legal.front());
    }
    EXPECT_TRUE(g.Tracker->SaveToFile(g, path.toStdString()).Ok());
    QStringList replies;
    const tBoard saved = g.Boards[0];
    for (const int square : legalSquares()) {
        play(square);
        std::string text;
        BoardToText(g, text);
        replies << QString::fromStdString(text);
        g.Boards[0] = saved;
        g.SideToMove = 3;
    }
    return replies;
}

TEST(StartUp, SavedGameOnTheCommandLineOpensWhenTheWindowIsShown) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString match = dir.filePath(QStringLiteral("ten.kzv"));
    const QStringList replies = WriteTenFieldMatch(match);
    ASSERT_FALSE(replies.isEmpty());
    const test::ChildResult run = test::RunProgramOnScreen(1024, 768, {match}, dir.path());
    ASSERT_FALSE(run.crashed);
    ASSERT_EQ(run.events.size(), 3) << run.events.join(QLatin1Char('\n')).toStdString();
    // Opened at the computer's turn, the computer (black) answered at once,
    // as through Match > Open...: its square is on the board, the move
    // counter has moved on, and the player (white) is to move, in a window
    // sized for 10 x 10.
    EXPECT_TRUE(replies.contains(run.position)) << run.position.toStdString();
    EXPECT_TRUE(run.events[1].endsWith(QLatin1String("|Move 4/4"))) << run.events[1].toStdString();
    EXPECT_TRUE(run.events[1].startsWith(QLatin1String("STATUS Yellow is moving|")))
        << run.events[1].toStdString();
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
    // While the box is open the status panels already show the position.
    EXPECT_TRUE(run.events[0].endsWith(
        QLatin1String(" under=Yellow is moving|Yellow 2 : Green 2|Move 0/0")))
        << run.events[0].toStdString();
    EXPECT_TRUE(run.events[2].endsWith(QLatin1String("|Move 0/0")));
    EXPECT_EQ(run.events[3].toStdString(), "BOARD 532");
    EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace reversi
