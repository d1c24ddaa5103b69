// Two copies of the program playing each other over 127.0.0.1: the driver
// that runs inside each copy (answers its dialogs, clicks legal squares when
// its player is to move, reports every board) and the parent's launcher.
#pragma once

#include <QString>
#include <QStringList>

namespace reversi::test {

// Set in a child's environment (beside REVERSI_TEST_CHILD): "listen" or "call".
inline constexpr const char* NetPlayRoleVariable = "REVERSI_NETPLAY_ROLE";
// A folder both copies see, where each leaves a mark of what it has seen
// (see NetPlayChild.cpp); the two copies wait on each other's marks.
inline constexpr const char* NetPlayMarksVariable = "REVERSI_NETPLAY_MARKS";

// Child side: runs the program's main block with the driver of its role.
int RunNetPlayChild(int argc, char** argv);

// The board of the game position as text: "w", "b", "+", column by column.
QString BoardTextOf(const unsigned char* board, int n);

}  // namespace reversi::test
