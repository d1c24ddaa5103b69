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
    animations_.Tick();
}

void TReversiForm::FormMouseDown(QMouseEvent* e) {
    // Only the right button asks for the help marks; the left one is the
    // move click, handled on release.
    if (e->button() != Qt::RightButton) return;
    const auto& g = Game();
    // Not while the computer thinks or the peer is to move.
    if (g.ThreadRunning || (g.NetworkGame && !IsPlayersTurn())) return;
    animations_.StartHelpAnimation(
        LegalSquareMarks(g.Boards[0], g.BoardSize, SideOf(g.SideToMove)));
}

}  // namespace reversi
