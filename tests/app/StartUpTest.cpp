// Whole start-ups of the program in a process of its own, on screens of a
// chosen size.
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ChildProcess.h"
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
}

TEST(StartUp, ScreenOf600LinesStartsAndWritesSettingsAtClose) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const test::ChildResult run = test::RunProgramOnScreen(800, 600, {}, dir.path());
    ASSERT_FALSE(run.crashed);
    ASSERT_EQ(run.events.size(), 1) << run.events.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(run.events[0].toStdString(), "WINDOW Zorel Reversi 4.00");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(test::SettingsFileUnder(run.configDir)));
}

}  // namespace
}  // namespace reversi
