// Runs the program's main block in a child process of the test binary and
// reports what a person would have seen: the message boxes (closed at once
// with OK) and the main window (closed once it is shown).
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace reversi::test {

inline constexpr const char* ChildModeVariable = "REVERSI_TEST_CHILD";

// Child side: makes the application, arms the watcher, runs the main block.
int RunChild(int argc, char** argv);

struct ChildResult {
    int exitCode = -1;
    bool crashed = false;
    // One line per event: "BOX <text with \n as |> windows=<other visible
    // windows> title=<caption>"; for the main window "WINDOW <title>",
    // "STATUS <panel 0>|<panel 1>|<panel 2>", "BOARD <board area width>".
    QStringList events;
    // The game position when the main window was closed, as board text
    // (empty when no window was shown).
    QString position;
    QString configDir;  // XDG_CONFIG_HOME of the child
    // What the toolkit itself was told, read when the main window is closed:
    // "direction=<application layout> window=<window layout> style=<name>
    // sheet=<style sheet length> platform=<name> size=<w>x<h> at=<x>,<y>
    // icon=<none|set: the application's icon> session=<session id>".
    QString toolkitState;
    QString standardError;  // all the child wrote there
};

// Parent side: runs this test binary as the program on an offscreen screen of
// the given size, with the given program parameters and a fresh config folder.
// With `program` set, that copy of the test binary runs instead (a copy in a
// folder without DATA sees no pictures).
ChildResult RunProgramOnScreen(int width, int height, const QStringList& parameters,
                               const QString& workDir, const QString& program = {});
// The same with one parameter given as bytes, passed to the program as they
// are (Qt would pass a parameter that is no UTF-8 changed).
ChildResult RunProgramWithBytes(int width, int height, const QByteArray& parameter,
                                const QString& workDir);

// The settings file the program writes under a config folder.
QString SettingsFileUnder(const QString& configDir);

}  // namespace reversi::test
