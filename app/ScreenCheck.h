// The smallest screen the main window fits on.
#pragma once

#include <QString>

namespace reversi {

inline constexpr int MinimumScreenLines = 600;

// True when a screen of this many lines can hold the main window.
constexpr bool ScreenLinesEnough(int lines) { return lines >= MinimumScreenLines; }

// Lines of the screen the main window opens on (the primary screen), or 0
// when there is none.
int ScreenLines();

// The two-line message shown when the screen is too small.
QString LowResolutionMessage();

}  // namespace reversi
