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
    // A stopped search answers "no move"; joining it here means nothing the
    // window frees afterwards can still be in use by it.
    if (Game().SearchThread || Game().ThreadRunning) {
        StopSearch();
        FinishSearch();
    }
}

void TReversiForm::MusicPingTimerTimer() {
    // Starts the next music file when one has ended: music player work.
}

void TReversiForm::FirstDelayAsyncTimerTimer() {
    // Starts the auto-repeat of a held undo or redo button: move list work.
}

void TReversiForm::RepeatAsyncTimerTimer() {
    // One undo or redo step while the button is held: move list work.
}

void TReversiForm::AsyncTimerAnimationTimer() {
    // One frame of the move, cursor and help-mark animations: animation work.
}

}  // namespace reversi
