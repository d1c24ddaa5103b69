// The board on screen: the picture sets, the back buffer, DrawBoard, and the
// 40 ms thread-driven timer that drives the move, cursor and help animations.
#include <QMouseEvent>

#include "AsyncTimer.h"
#include "BoardView.h"
#include "EngineUnit.h"
#include "JpegLoader.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "PictureSets.h"

namespace reversi {

void TReversiForm::LoadPictureSets() {
    const auto& g = Game();
    try {
        graphics::LoadAllPictures(Painter.Pictures(), g.BoardBorderStyle, g.FiguresStyle,
                                  g.HelpStyle, g.BoardSize);
    } catch (const graphics::PictureError& failure) {
        // The board stays dark; the game itself still works.
        ShowErrorMessage(QString::fromLocal8Bit(failure.what()), this);
    }
    Painter.TheCursor().SetCursorStyle(g.CursorStyle);
    Painter.CreateBackBuffer(g.BoardSize);
    const int n = Painter.Geometry().N;
    if (NewPosX >= n || NewPosY >= n) NewPosX = NewPosY = 0;
    if (OldPosX >= n || OldPosY >= n) OldPosX = OldPosY = 0;
}

void TReversiForm::DrawBoard() {
    Painter.DrawBoard();
    Painter.PresentBuffer();
}

void TReversiForm::StartAnimationTimer() {
    Animations.Browsing = [this] { return UndoRedoF; };
    Animations.MoveAnimationStarted = [this] { BoardWidget->setCursor(Qt::ArrowCursor); };
    AsyncTimerAnimation = new graphics::TAsyncTimer(this);
    AsyncTimerAnimation->SetInterval(40);
    AsyncTimerAnimation->SetThreadPriority(QThread::TimeCriticalPriority);
    AsyncTimerAnimation->SetOnTimer([this](graphics::TAsyncTimer&) { AsyncTimerAnimationTimer(); });
    AsyncTimerAnimation->SetEnabled(true);
}

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
