// The program's main block: creates the long-lived windows and runs the
// event loop. main() makes the application object and calls it.
#pragma once

namespace reversi {

class ReversiApplication;

// Names the application (title, settings store), creates the main window and
// runs the event loop. Returns the process exit code: 0 after a normal close,
// 1 when the program could not start (screen too small, failure at start-up).
int ReversiMainBlock(ReversiApplication& app);

}  // namespace reversi
