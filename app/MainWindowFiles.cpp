// Opening a saved match: here the one named on the command line.
#include <QToolButton>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "MessageBoxes.h"

namespace reversi {

bool TReversiForm::LoadMatch(const QString& FileName) {
    auto& g = Game();
    if (!g.Tracker) return false;
    const FileResult result = g.Tracker->LoadFromFile(FileName.toStdString());
    if (result.status == FileStatus::NotAMatch) return false;
    if (result.status == FileStatus::Failed) {
        ShowErrorMessage(QString::fromStdString(result.message), this);
        return false;
    }
    if (g.Tracker->boardsize() != g.BoardSize) {
        NewPosX = NewPosY = 0;
        g.BoardSize = g.Tracker->boardsize();
        LoadPictureSets();
        SizeWindowToField();
    }
    g.GameOver = false;
    g.SideToMove = 2;
    SelectEngine();
    InitBoards();
    // The record is replayed from the start position to its last move.
    g.Tracker->GoToStart();
    while (g.Tracker->Redo(false)) {
    }
    HelpMoveNoMoves1st = true;
    return true;
}

void TReversiForm::OpenCommandLineGame() {
    const QString file = ForceLoadGameStr;
    ForceLoadGame = false;
    LoadMatch(file);
    // The match is shown at its last position, browsing off; the turn loop is
    // not started.
    UndoRedoF = false;
    SpeedButtonFromThis->setEnabled(false);
    SpeedButtonFromEnd->setEnabled(false);
    ShowMoveCounter();
    ShowScoreAndTurn();
    DrawBoard();
    update();
}

}  // namespace reversi
