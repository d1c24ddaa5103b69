// The game controller's signals in the window: a move on the board with its
// sound and animation, a replaced position, the status texts, the commands'
// menu items and buttons, the pass and result box, the hint and the count
// of a finished game. The window shows; the controller decides.
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

#include "AsyncTimer.h"
#include "BoardView.h"
#include "FinalUnit.h"
#include "EngineUnit.h"
#include "MainWindow.h"
#include "NetworkSession.h"
#include "SideUnit.h"

namespace reversi {

void TReversiForm::BindGame() {
    connect(&game_, &GameController::moveStarting, this, [this] { animations_.SaveOldBoard(); });
    connect(&game_, &GameController::moveMade, this, &TReversiForm::ShowMove);
    connect(&game_, &GameController::positionReplaced, this, &TReversiForm::ShowReplacedPosition);
    connect(&game_, &GameController::statusChanged, this, &TReversiForm::ShowStatus);
    connect(&game_, &GameController::commandsChanged, this, &TReversiForm::ApplyGameCommands);
    connect(&game_, &GameController::animationCut, this, [this] {
        // A box shows now: the last move stands on the board whole under it.
        animations_.StopMoveAnimation();
        DrawBoard();
    });
    connect(&game_, &GameController::turnMessageDue, this, [this] {
        // The peer's moves, restarts and hang-up wait for the player's box.
        if (game_.NetworkGame()) netHold_ = Session->HoldInput();
    });
    connect(&game_, &GameController::showTurnMessage, this, &TReversiForm::ShowTurnMessage);
    connect(&game_, &GameController::turnMessageDone, this, [this] { netHold_ = NetInputHold{}; });
    connect(&game_, &GameController::resultCounted, this, &TReversiForm::CountGameResult);
    connect(&game_, &GameController::statisticsDue, this, [this](const StatisticsEntry& entry) {
        GameMessages().ShowStatistics(this, statistics_, entry.boardSize, entry.advancedEngine,
                                      entry.level);
    });
    connect(&game_, &GameController::thinkingChanged, this, [this](bool thinking) {
        boardWidget_->setCursor(thinking ? Qt::WaitCursor : Qt::ArrowCursor);
    });
    connect(&game_, &GameController::hintFound, this, [this](int square) {
        const int n = game_.BoardSize();
        PointAtSquare(SquareColumn(square, n), SquareRow(square, n));
        PlaySoundAt(SoundEvent::HintShown);
    });
    connect(&game_, &GameController::moveToSend, Session, &NetworkSession::SendMove);
}

void TReversiForm::ShowMove(int /*square*/, Side /*mover*/) {
    ShowMoveCounter();
    // The move sounds as its animation starts, or once the board shows it.
    if (settings_.AnimationOn) PlaySoundAt(SoundEvent::MovePlaced);
    // Without a running tick nothing would ever end an animation.
    const bool animated = !closed_ && AsyncTimerAnimation != nullptr &&
                          AsyncTimerAnimation->Enabled() && animations_.StartMoveAnimation();
    if (!settings_.AnimationOn) PlaySoundAt(SoundEvent::MovePlaced);
    if (animated) return;
    // Without animation the board is redrawn at once.
    DrawBoard();
    update();
    game_.MoveShown();
}

void TReversiForm::ShowReplacedPosition() {
    animations_.ClearHelpMarks();
    animations_.StopMoveAnimation();
    // A restored position has no previous move to mark.
    animations_.HelpMoveNoMoves1st = true;
    boardWidget_->setCursor(Qt::ArrowCursor);
    ShowStatus();
    DrawBoard();
    update();
}

void TReversiForm::ShowStatus() {
    const GameStatus status = game_.Status();
    const QString& white = sideNames_.white;
    const QString& black = sideNames_.black;
    StatusPanels[0]->setText(status.gameOver ? QStringLiteral("Game over")
                                             : sideNames_.Of(status.toMove) +
                                                   QStringLiteral(" is moving"));
    StatusPanels[1]->setText(QStringLiteral("%1 %2 : %3 %4")
                                 .arg(white)
                                 .arg(status.counts.white)
                                 .arg(black)
                                 .arg(status.counts.black));
    ShowMoveCounter();
    // In a network game the hourglass shows while the peer is to move.
    if (game_.NetworkGame())
        boardWidget_->setCursor(game_.WaitingForPeer() ? Qt::WaitCursor : Qt::ArrowCursor);
}

void TReversiForm::ShowMoveCounter() {
    const GameStatus status = game_.Status();
    StatusPanels[2]->setText(
        QStringLiteral("Move %1/%2").arg(status.movesApplied).arg(status.movesStored));
}

void TReversiForm::ApplyGameCommands() {
    const GameCommands c = game_.Commands();
    NewGameItem->setEnabled(c.newGame);
    OptionsItem->setEnabled(c.newGame);
    HintItem->setEnabled(c.hint);
    ListMenuUndoMove->setEnabled(c.stepMenu);
    ListMenuRedoMove->setEnabled(c.stepMenu);
    SpeedButtonUndo->setEnabled(c.stepButtons);
    SpeedButtonRedo->setEnabled(c.stepButtons);
    // A held button whose control goes off stops repeating.
    if (!c.stepButtons) autoRepeat_.Cancel();
    SpeedButtonFromThis->setEnabled(c.continueButtons);
    SpeedButtonFromEnd->setEnabled(c.continueButtons);
    ListMenuSave->setEnabled(c.matchFiles);
    ListMenuLoad->setEnabled(c.matchFiles);
    SetGameSettingsLocked(game_.NetworkGame());
}

void TReversiForm::ShowTurnMessage(const TurnOutcome& outcome) {
    PlaySoundAt(outcome.event == TurnEvent::GameOver ? SoundEvent::GameOverShown
                                                     : SoundEvent::PassShown);
    GameMessages().ShowFinal(this,
                             TFinalDlg::OutMessage(static_cast<int>(outcome.message),
                                                   outcome.first, outcome.second, sideNames_),
                             [this] { game_.MessageClosed(); });
}

void TReversiForm::CountGameResult(PlayerResult result, const StatisticsEntry& entry) {
    statistics_.Count(entry.boardSize, entry.advancedEngine, entry.level, result);
    emit gameResultRecorded(result);
}

void TReversiForm::SetGameMessages(std::unique_ptr<TGameMessages> messages) {
    if (messages) gameMessages_ = std::move(messages);
}

}  // namespace reversi
