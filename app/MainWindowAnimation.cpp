// The 40 ms tick of the move, cursor and help animations, and the right
// click that starts the help marks.
#include <QMouseEvent>

#include "AsyncTimer.h"
#include "BoardView.h"
#include "EngineUnit.h"
#include "MainWindow.h"

namespace reversi {

void TReversiForm::SetAnimationInterval(int milliseconds) {
    AsyncTimerAnimation->SetInterval(milliseconds);
}

void TReversiForm::AsyncTimerAnimationTimer() {
    if (closed_) return;
    const bool moving = animations_.MoveAnimationEnabled;
    animations_.Tick();
    // The flow waits for the end of a move's animation.
    if (moving && !animations_.MoveAnimationEnabled) game_.MoveShown();
}

void TReversiForm::FormMouseDown(QMouseEvent* e) {
    // Only the right button asks for the help marks; the left one is the
    // move click, handled on release.
    if (e->button() != Qt::RightButton) return;
    // Not while the computer thinks or the peer is to move.
    if (!game_.HelpAllowed()) return;
    animations_.StartHelpAnimation(game_.LegalMarks());
}

}  // namespace reversi
