#include <string>
#include <vector>

#include <QCoreApplication>
#include <gtest/gtest.h>

#include "CommandLine.h"

namespace reversi {
namespace {

using Kind = CommandLineAction::Kind;

struct Case {
    std::vector<std::string> parameters;
    CommandLineAction expected;
};

// Only "saved.kzv", "My Game.KZV" and the Latin-1 name "caf\xe9.kzv" exist.
bool FakeExists(const std::filesystem::path& path) {
    return path == "saved.kzv" || path == "My Game.KZV" || path == "caf\xe9.kzv";
}

TEST(CommandLine, Table) {
    const std::vector<Case> cases = {
        {{}, {}},
        {{"-connect", "192.168.0.7"}, {Kind::Connect, "192.168.0.7", {}}},
        {{"-CoNnEcT", "Host.Example"}, {Kind::Connect, "Host.Example", {}}},
        {{"-connect"}, {}},
        {{"-connect", "a", "b"}, {}},
        {{"connect", "host"}, {}},
        {{"-listen"}, {Kind::Listen, {}, {}}},
        {{"-LISTEN"}, {Kind::Listen, {}, {}}},
        {{"-listen", "extra"}, {}},
        {{"saved.kzv"}, {Kind::LoadGame, {}, "saved.kzv"}},
        {{"My Game.KZV"}, {Kind::LoadGame, {}, "My Game.KZV"}},
        // A name that is no UTF-8 keeps its bytes.
        {{"caf\xe9.kzv"}, {Kind::LoadGame, {}, "caf\xe9.kzv"}},
        {{"caf\xc3\xa9.kzv"}, {}},
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
        std::string words;
        for (const std::string& w : c.parameters) words += w + " ";
        EXPECT_EQ(ParseCommandLine(c.parameters, FakeExists), c.expected) << words;
    }
}

TEST(CommandLine, RealFileSystemAcceptsFilesOnly) {
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    EXPECT_EQ(ParseCommandLine({self}).kind, Kind::LoadGame);
    // A folder is not a saved game.
    EXPECT_EQ(ParseCommandLine({QCoreApplication::applicationDirPath().toStdString()}).kind,
              Kind::Nothing);
}

}  // namespace
}  // namespace reversi
