// The player's input on the board: the pointer tracking with its hand cursor,
// the move click, the keys, the hint, a new game, and the peer's move.
#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
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
    const int n = Game().BoardSize;
    const int x = SquareAt(point.x(), SqSize, n);
    const int y = SquareAt(point.y(), SqSize, n);
    return QPoint(x >= 0 ? x : painter_.NewPosX, y >= 0 ? y : painter_.NewPosY);
}

QPoint TReversiForm::SquareCentre(int x, int y) const {
    return {FieldOrigin + SqSize * x + SqSize / 2, FieldOrigin + SqSize * y + SqSize / 2};
}

void TReversiForm::FormMouseMove(QMouseEvent* e) { MouseMoveAt(e->position().toPoint()); }

void TReversiForm::MouseMoveAt(QPoint point) {
    auto& g = Game();
    const int n = g.BoardSize;
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

    if (Browsing() || g.ThreadRunning || (g.NetworkGame && !IsPlayersTurn())) return;
    // The hand shows only where a click would play.
    if (PlayerMayMove() &&
        CanMove(g.Boards[0], SquareIndex(posX, posY, n), g.SideToMove, OtherSide())) {
        boardWidget_->setCursor(Qt::PointingHandCursor);
        if (changed) PlaySoundAt(SoundEvent::PointerOnLegalSquare);
    } else {
        boardWidget_->setCursor(Qt::ArrowCursor);
    }
}

void TReversiForm::FormClick() {
    auto& g = Game();
    if (g.GameOver || g.ThreadRunning || (g.NetworkGame && !IsPlayersTurn())) return;
    // Browsing: the click asks whether to play on, whoever is to move in
    // the position shown.
    if (Browsing()) {
        AnswerHistoryChoice();
        return;
    }
    if (!PlayerMayMove()) return;
    if (settings_.AnimationOn && animations_.MoveAnimationEnabled) return;
    const int s = SquareIndex(painter_.NewPosX, painter_.NewPosY, g.BoardSize);
    if (!CanMove(g.Boards[0], s, g.SideToMove, OtherSide())) return;
    if (g.VsComputer) DisableUndoRedo();
    PlaceMove(s);
    if (g.NetworkGame) Session->SendMove(painter_.NewPosX, painter_.NewPosY);
    ProcessTurn(false);
    UpdateUndoRedo();
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
    const int n = Game().BoardSize;
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
    auto& g = Game();
    if (g.GameOver || g.NetworkGame || animations_.MoveAnimationEnabled || Browsing() ||
        g.ThreadRunning)
        return;
    if (g.VsComputer && !g.PracticeGame) {
        if (!GameMessages().Confirm(this, HintPracticeQuestion())) return;
        g.PracticeGame = true;
    }
    boardWidget_->setCursor(Qt::WaitCursor);
    const tBoard asked = g.Boards[0];
    const int answer = RunEngine();
    boardWidget_->setCursor(Qt::ArrowCursor);
    if (answer == PassMove || g.Boards[0] != asked || !IsPlayingSquare(answer, g.BoardSize)) return;
    PointAtSquare(SquareColumn(answer, g.BoardSize), SquareRow(answer, g.BoardSize));
    PlaySoundAt(SoundEvent::HintShown);
}

void TReversiForm::NewGameItemClick() {
    auto& g = Game();
    // Never while the computer thinks: its answer belongs to this game.
    if (g.ThreadRunning) return;
    // A message of the old game still waiting for its last move comes first.
    FinishPendingTurn();
    if (g.NetworkGame) {
        // Both sides restart: the peer on "R", this side at once.
        Session->SendRestart();
        StartNetGame();
        return;
    }
    ResetForNewGame();
    DrawBoard();
    update();
    ProcessTurn(true);
}

void TReversiForm::ResetForNewGame() {
    LeaveShownGame();
    NewGame();
    animations_.HelpMoveNoMoves1st = true;
    SetBrowsing(false);
    DisableUndoRedo();
    ShowNewGameStatus();
}

void TReversiForm::ApplyRemoteMove(int x, int y) {
    auto& g = Game();
    if (g.ThreadRunning || g.GameOver) return;
    const int n = g.BoardSize;
    if (x < 0 || x >= n || y < 0 || y >= n) return;
    const int s = SquareIndex(x, y, n);
    if (!CanMove(g.Boards[0], s, g.SideToMove, OtherSide())) return;
    // Let the previous move finish its animation first.
    if (!WaitForMoveAnimation() || g.GameOver) return;
    PlaceMove(s);
    ProcessTurn(false);
}

}  // namespace reversi
