// The player's input on the board: the pointer tracking with its hand cursor,
// the move click, the keys, the hint, a new game, and the peer's move.
#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include "AsyncTimer.h"
#include "BoardGeometry.h"
#include "BoardView.h"
#include "EngineUnit.h"
#include "MainWindow.h"
#include "NetworkSession.h"

namespace reversi {

namespace {
using platform::TSoundEffect;
// Board-widget pixel where the field starts: the frames, then the border.
constexpr int FieldOrigin = graphics::BoardOffset + graphics::BorderWidth;

// The column or row under a coordinate, or -1 outside the field.
int SquareAt(int coordinate, int squareSize, int n) {
    if (coordinate < FieldOrigin) return -1;
    const int i = (coordinate - FieldOrigin) / squareSize;
    return i < n ? i : -1;
}
}  // namespace

void TReversiForm::BindGameFlowItems() {
    connect(NewGameItem, &QAction::triggered, this, &TReversiForm::NewGameItemClick);
    connect(HintItem, &QAction::triggered, this, &TReversiForm::HintItemClick);
}

std::optional<QPoint> TReversiForm::SquareUnder(QPoint point) const {
    if (!boardWidget_->rect().contains(point)) return std::nullopt;
    // As the tracking sees it: over the border the last square is kept,
    // each coordinate on its own.
    const int n = game_.BoardSize();
    const int x = SquareAt(point.x(), SqSize, n);
    const int y = SquareAt(point.y(), SqSize, n);
    return QPoint(x >= 0 ? x : painter_.NewPosX, y >= 0 ? y : painter_.NewPosY);
}

QPoint TReversiForm::SquareCentre(int x, int y) const {
    return {FieldOrigin + SqSize * x + SqSize / 2, FieldOrigin + SqSize * y + SqSize / 2};
}

void TReversiForm::FormMouseMove(QMouseEvent* e) { MouseMoveAt(e->position().toPoint()); }

void TReversiForm::MouseMoveAt(QPoint point) {
    const int n = game_.BoardSize();
    int& posX = painter_.NewPosX;
    int& posY = painter_.NewPosY;
    const int oldX = posX, oldY = posY;
    // Over the border or the move list the last square is kept, each
    // coordinate on its own.
    const int x = SquareAt(point.x(), SqSize, n);
    const int y = SquareAt(point.y(), SqSize, n);
    if (x >= 0) posX = x;
    if (y >= 0) posY = y;
    const bool changed = posX != oldX || posY != oldY;

    if (!game_.PointerTracked()) return;
    // The hand shows only where a click would play.
    if (game_.PlayerMayPlay(SquareIndex(posX, posY, n))) {
        boardWidget_->setCursor(Qt::PointingHandCursor);
        if (changed) PlaySoundAt(SoundEvent::PointerOnLegalSquare);
    } else {
        boardWidget_->setCursor(Qt::ArrowCursor);
    }
}

void TReversiForm::FormClick() {
    // Browsing: the click asks whether to play on, whoever is to move in
    // the position shown.
    if (game_.HistoryChoiceOnClick()) {
        AnswerHistoryChoice();
        return;
    }
    game_.PlayerMove(SquareIndex(painter_.NewPosX, painter_.NewPosY, game_.BoardSize()));
}

void TReversiForm::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_Escape:
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            FormKeyDown(e->key());
            e->accept();
            return;
        default:
            FormKeyPress(e->text());
            QMainWindow::keyPressEvent(e);
    }
}

void TReversiForm::FormKeyDown(int key) {
    const int n = game_.BoardSize();
    int x = painter_.NewPosX, y = painter_.NewPosY;
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            FormClick();
            break;
        case Qt::Key_Escape:
            showMinimized();
            break;
        case Qt::Key_Left:
            if (x > 0) --x;
            break;
        case Qt::Key_Up:
            if (y > 0) --y;
            break;
        case Qt::Key_Right:
            if (x < n - 1) ++x;
            break;
        case Qt::Key_Down:
            if (y < n - 1) ++y;
            break;
        default:
            return;
    }
    // The pointer follows the cursor square, and its tracking moves the
    // cursor there (with the sound on a legal square).
    PointAtSquare(x, y);
}

void TReversiForm::PointAtSquare(int x, int y) {
    const QPoint centre = SquareCentre(x, y);
    QCursor::setPos(boardWidget_->mapToGlobal(centre));
    // Warping is not reported everywhere: run the tracking directly too.
    MouseMoveAt(centre);
}

void TReversiForm::HintItemClick() {
    if (!game_.HintAllowed()) return;
    if (game_.HintAsksPractice()) {
        if (!GameMessages().Confirm(this, HintPracticeQuestion())) return;
        game_.MakePractice();
    }
    // The answer comes later: the pointer goes to its square (hintFound).
    game_.Hint();
}

void TReversiForm::NewGameItemClick() {
    // Never while the computer thinks: its answer belongs to this game. A
    // box of the old game still due shows first; the new game follows it.
    if (game_.Thinking()) return;
    game_.WhenNoMessage([this] {
        if (game_.Thinking()) return;
        if (game_.NetworkGame()) {
            // Both sides restart: the peer on "R", this side at once.
            Session->SendRestart();
            StartNetGame();
            return;
        }
        game_.NewGame();
    });
}

void TReversiForm::ApplyRemoteMove(int x, int y) { game_.PeerMove(x, y); }

}  // namespace reversi
