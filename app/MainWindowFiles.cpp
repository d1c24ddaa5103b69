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
        const int oldSize = g.BoardSize;
        g.BoardSize = g.Tracker->boardsize();
        try {
            LoadPictureSets();
        } catch (const std::exception& failure) {
            // Without pictures for the match's field the match cannot be
            // shown: keep the field and the pictures as they were, on a new game.
            g.BoardSize = oldSize;
            NewGame();
            ShowErrorMessage(QString::fromLocal8Bit(failure.what()), this);
            return false;
        }
        painter_.NewPosX = painter_.NewPosY = 0;
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
    animations_.HelpMoveNoMoves1st = true;
    return true;
}

void TReversiForm::OpenCommandLineGame(const QString& file) {
    const bool loaded = LoadMatch(file);
    // A loaded match is shown at its last position, browsing off, and the
    // turn loop is not started. When nothing could be loaded the new game
    // starts as it would have without the file.
    SetBrowsing(false);
    ShowMoveCounter();
    ShowScoreAndTurn();
    DrawBoard();
    if (!loaded) ProcessTurn(true);
}

}  // namespace reversi
