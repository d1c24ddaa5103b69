#include <QCoreApplication>
#include <gtest/gtest.h>

#include "CommandLine.h"

namespace reversi {
namespace {

using Kind = CommandLineAction::Kind;

struct Case {
    QStringList parameters;
    CommandLineAction expected;
};

// Only "saved.kzv" and "My Game.KZV" exist.
bool FakeExists(const QString& path) {
    return path == QLatin1String("saved.kzv") || path == QLatin1String("My Game.KZV");
}

TEST(CommandLine, Table) {
    const std::vector<Case> cases = {
        {{}, {}},
        {{"-connect", "192.168.0.7"}, {Kind::Connect, "192.168.0.7"}},
        {{"-CoNnEcT", "Host.Example"}, {Kind::Connect, "Host.Example"}},
        {{"-connect"}, {}},
        {{"-connect", "a", "b"}, {}},
        {{"connect", "host"}, {}},
        {{"-listen"}, {Kind::Listen, {}}},
        {{"-LISTEN"}, {Kind::Listen, {}}},
        {{"-listen", "extra"}, {}},
        {{"saved.kzv"}, {Kind::LoadGame, "saved.kzv"}},
        {{"My Game.KZV"}, {Kind::LoadGame, "My Game.KZV"}},
        {{"missing.kzv"}, {}},
        {{"saved.kzv", "saved.kzv"}, {}},
        {{""}, {}},
        {{"-help"}, {}},
        // Qt's options are words like any other.
        {{"-style", "windows", "saved.kzv"}, {}},
        {{"-reverse", "saved.kzv"}, {}},
        {{"-reverse"}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseCommandLine(c.parameters, FakeExists), c.expected)
            << c.parameters.join(QLatin1Char(' ')).toStdString();
    }
}

TEST(CommandLine, RealFileSystemAcceptsFilesOnly) {
    const QString self = QCoreApplication::applicationFilePath();
    EXPECT_EQ(ParseCommandLine({self}).kind, Kind::LoadGame);
    // A folder is not a saved game.
    EXPECT_EQ(ParseCommandLine({QCoreApplication::applicationDirPath()}).kind, Kind::Nothing);
}

}  // namespace
}  // namespace reversi
