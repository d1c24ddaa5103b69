// Hooks of the game flow: the turn loop, the engine call and the search stop.
#include "EngineUnit.h"
#include "MainWindow.h"

namespace reversi {

void TReversiForm::ProcessTurn(bool /*SkipFirstCount*/) {
    // The turn loop (counting, passes, game end, the computer's reply) is
    // built on this window by the game-flow work.
}

int TReversiForm::RunEngine() {
    // Starts the search thread and waits for its answer: game-flow work.
    return PassMove;
}

void TReversiForm::StopSearchAndWait() {
    // Once the search thread exists: ask it to stop and join it here, so the
    // search never outlives what it reads.
}

void TReversiForm::MusicPingTimerTimer() {
    // Starts the next music file when one has ended: music player work.
}

}  // namespace reversi
