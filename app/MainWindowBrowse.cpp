// Undo, redo and browsing the match record: the controller steps through the
// record; this file asks the player's questions of continuing from an
// earlier position.
#include "MainWindow.h"

namespace reversi {

void TReversiForm::ListMenuUndoMoveClick() { game_.Undo(); }

void TReversiForm::ListMenuRedoMoveClick() { game_.Redo(); }

void TReversiForm::SpeedButtonFromEndClick() { game_.ReturnToLast(); }

void TReversiForm::SpeedButtonFromThisClick() {
    if (!game_.Browsing() || game_.Thinking()) return;
    // Taking moves back against the computer is practice: such a game is
    // not counted in the statistics.
    if (game_.ContinueAsksPractice() &&
        !GameMessages().Confirm(this, UndoPracticeQuestion())) {
        GameMessages().Inform(this, ContinuesFromLastPositionMessage());
        game_.ReturnToLast();
        return;
    }
    // The later moves are gone; the computer replies when it is to move.
    game_.ContinueFromShown();
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

}  // namespace reversi
