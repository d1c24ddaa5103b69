// What the command line asks the program to do at start-up.
#pragma once

#include <functional>

#include <QString>
#include <QStringList>

namespace reversi {

struct CommandLineAction {
    enum class Kind { Nothing, Connect, Listen, LoadGame };
    Kind kind = Kind::Nothing;
    // The address to call (Connect) or the saved game to open (LoadGame).
    QString value;

    bool operator==(const CommandLineAction&) const = default;
};

// Reads the parameters after the program name: "-connect" and an address,
// "-listen" alone, or the path of an existing file alone. Keywords are
// compared without regard to case; the address and path keep theirs. Any
// other command line asks for nothing. `fileExists` tells whether a path names
// an existing file (so the parser itself touches no disk).
CommandLineAction ParseCommandLine(const QStringList& parameters,
                                   const std::function<bool(const QString&)>& fileExists);

// The same, with the real file system.
CommandLineAction ParseCommandLine(const QStringList& parameters);

}  // namespace reversi
