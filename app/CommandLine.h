// What the command line asks the program to do at start-up.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QString>

namespace reversi {

struct CommandLineAction {
    enum class Kind { Nothing, Connect, Listen, LoadGame };
    Kind kind = Kind::Nothing;
    // The address to call (Connect).
    QString value;
    // The saved game to open (LoadGame), its name as the system gave it.
    std::filesystem::path file;

    bool operator==(const CommandLineAction&) const = default;
};

// Reads the parameters after the program name, each as the bytes the system
// passed: "-connect" and an address, "-listen" alone, or the path of an
// existing file alone. Keywords are compared without regard to case; the
// address and path keep theirs, and a path keeps its bytes (a name that is no
// UTF-8 opens like any other). Any other command line asks for nothing.
// `fileExists` tells whether a path names an existing file (so the parser
// itself touches no disk).
CommandLineAction ParseCommandLine(
    const std::vector<std::string>& parameters,
    const std::function<bool(const std::filesystem::path&)>& fileExists);

// The same, with the real file system.
CommandLineAction ParseCommandLine(const std::vector<std::string>& parameters);

}  // namespace reversi
