// Undo, redo and browsing the match record, wired to the browsing state:
// every step ends in the same refresh of the status bar and the board, and
// a board click while browsing asks how to play on.
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

#include "BoardView.h"
#include "EngineUnit.h"
#include "MainWindow.h"

namespace reversi {

void TReversiForm::RefreshPosition() { ShowPositionStatus(browsing_.Refresh()); }

void TReversiForm::ShowPositionStatus(const PositionStatus& status) {
    ShowScore(status.counts);
    if (status.gameOver) {
        StatusPanels[0]->setText(QStringLiteral("Game over"));
    } else {
        ShowMover(SideOf(Game().SideToMove));
    }
}

void TReversiForm::ShowStep(const PositionStatus& status) {
    // A restored position has no previous move to mark.
    animations_.HelpMoveNoMoves1st = true;
    boardWidget_->setCursor(Qt::ArrowCursor);
    ShowMoveCounter();
    ShowPositionStatus(status);
    DrawBoard();
    update();
}

void TReversiForm::ListMenuUndoMoveClick() {
    // A message still waiting for the last move comes over that move's
    // position, before the board steps away from it.
    FinishPendingTurn();
    if (const auto status = browsing_.Undo()) ShowStep(*status);
}

void TReversiForm::ListMenuRedoMoveClick() {
    FinishPendingTurn();
    if (const auto status = browsing_.Redo()) ShowStep(*status);
}

void TReversiForm::SpeedButtonFromEndClick() {
    FinishPendingTurn();
    if (const auto status = browsing_.ReturnToLast()) ShowStep(*status);
}

void TReversiForm::SpeedButtonFromThisClick() {
    using Outcome = TBrowsing::ContinueOutcome;
    const Outcome outcome = browsing_.ContinueFromShown(
        [this] { return GameMessages().Confirm(this, UndoPracticeQuestion()); });
    if (outcome == Outcome::NotBrowsing) return;
    if (outcome == Outcome::KeepLastPosition) {
        GameMessages().Inform(this, ContinuesFromLastPositionMessage());
        SpeedButtonFromEndClick();
        return;
    }
    // The later moves are gone: the counter shows the shortened record.
    ShowMoveCounter();
    if (Game().VsComputer) {
        // As after the player's move: no steps while the computer replies.
        DisableUndoRedo();
        ProcessTurn(true);
        UpdateUndoRedo();
    } else {
        ProcessTurn(true);
    }
}

void TReversiForm::AnswerHistoryChoice() {
    switch (GameMessages().AskHistoryChoice(this)) {
        case TChoiceAnswer::ContinueFromLastPosition:
            SpeedButtonFromEndClick();
            break;
        case TChoiceAnswer::ContinueFromThisPosition:
            SpeedButtonFromThisClick();
            break;
        case TChoiceAnswer::ReturnToHistory:
            break;
    }
}

void TReversiForm::SetUndoRedoControls(bool enabled) {
    // The four controls go together.
    ListMenuUndoMove->setEnabled(enabled);
    ListMenuRedoMove->setEnabled(enabled);
    SpeedButtonUndo->setEnabled(enabled);
    SpeedButtonRedo->setEnabled(enabled);
    // A held button whose control goes off stops repeating.
    if (!enabled) autoRepeat_.Cancel();
}

bool TReversiForm::StepsAllowed() const {
    return SpeedButtonUndo->isEnabled() && SpeedButtonRedo->isEnabled() && !Game().ThreadRunning;
}

}  // namespace reversi
