// The 40 ms tick of the move, cursor and help animations, and the right
// click that starts the help marks.
#include <QMouseEvent>

#include "AsyncTimer.h"
#include "BoardView.h"
#include "EngineUnit.h"
#include "MainWindow.h"

namespace reversi {

void TReversiForm::AsyncTimerAnimationTimer() {
    if (closed_) return;
    Animations.Tick();
}

void TReversiForm::FormMouseDown(QMouseEvent* e) {
    // Only the right button asks for the help marks; the left one is the
    // move click, handled on release.
    if (e->button() != Qt::RightButton) return;
    Animations.StartHelpAnimation();
}

}  // namespace reversi
