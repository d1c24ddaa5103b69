// Saving, opening and dropping matches, and the match named on the command
// line. A match opens at its last position with browsing off.
#include <utility>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "MessageBoxes.h"

namespace reversi {

void TReversiForm::BindFileItems() {
    connect(ListMenuSave, &QAction::triggered, this, &TReversiForm::ListMenuSaveClick);
    connect(ListMenuLoad, &QAction::triggered, this, &TReversiForm::ListMenuLoadClick);
}

void TReversiForm::ListMenuSaveClick() {
    if (!Game().Tracker) return;
    const QString file = GameMessages().ChooseMatchFile(this, SaveListDialog);
    if (file.isEmpty()) return;
    // The file layer writes a temporary file and renames it over the target,
    // so a failed save leaves an existing match intact.
    const FileResult result = Game().Tracker->SaveToFile(file.toStdString());
    if (!result.Ok()) ShowErrorMessage(QString::fromStdString(result.message), this);
}

void TReversiForm::ListMenuLoadClick() {
    // The match record and the position belong to a running search.
    if (Game().ThreadRunning || !MayAbortNetworkGame()) return;
    // A message of the game on the board still waiting for its last move
    // comes before the file dialog.
    FinishPendingTurn();
    const QString file = GameMessages().ChooseMatchFile(this, OpenListDialog);
    if (file.isEmpty()) return;
    // Only a regular file is looked into; a pipe, a device or a folder is
    // named in a message without waiting on it.
    const FileResult check = CheckMatchFile(file.toStdString());
    if (check.status == FileStatus::Failed) {
        ShowErrorMessage(QString::fromStdString(check.message), this);
        return;
    }
    if (check.status == FileStatus::NotAMatch) {
        ShowErrorMessage(NotAMatchMessage(file), this);
        return;
    }
    OpenMatch(file);
}

QString TReversiForm::NotAMatchMessage(const QString& file) {
    return QStringLiteral("The file %1 is not a Zorel Reversi game.").arg(file);
}

bool TReversiForm::OpenMatch(const QString& file) {
    if (!LoadMatch(file)) return false;
    // The match ends up at its last position with browsing off.
    SpeedButtonFromEndClick();
    ShowMoveCounter();
    // A match saved at the computer's turn: the computer moves now, as no
    // click may play its colour.
    const auto& g = Game();
    if (!g.GameOver && g.VsComputer && g.SideToMove == g.ComputerSide) {
        DisableUndoRedo();
        ProcessTurn(true);
        UpdateUndoRedo();
    }
    return true;
}

void TReversiForm::dragEnterEvent(QDragEnterEvent* e) {
    if (DroppedMatchFile(e->mimeData()).has_value()) e->acceptProposedAction();
}

void TReversiForm::dropEvent(QDropEvent* e) {
    const auto file = DroppedMatchFile(e->mimeData());
    if (!file || Game().ThreadRunning) return;
    e->acceptProposedAction();
    // Loaded after the drop has finished, outside the drag's own event.
    const QString name = *file;
    QTimer::singleShot(0, this, [this, name] {
        if (!Game().ThreadRunning && MayAbortNetworkGame()) OpenMatch(name);
    });
}

std::optional<QString> TReversiForm::DroppedMatchFile(const QMimeData* data) {
    // Only the first dropped file counts, and only when it is a local regular
    // file that begins with a match signature (the check never waits on a
    // pipe or a device passed over the window).
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return std::nullopt;
    const QUrl first = data->urls().first();
    if (!first.isLocalFile()) return std::nullopt;
    const QString file = first.toLocalFile();
    if (!FileHasMatchSignature(file.toStdString())) return std::nullopt;
    return file;
}

bool TReversiForm::LoadMatch(const QString& FileName) {
    auto& g = Game();
    if (!g.Tracker) return false;
    // Shown over the game it is about, before the record changes.
    FinishPendingTurn();
    // The file is read and checked whole before anything changes.
    SavedMatch match;
    const FileResult result = ReadMatchFile(FileName.toStdString(), match);
    if (result.status == FileStatus::NotAMatch) return false;
    if (result.status == FileStatus::Failed) {
        ShowErrorMessage(QString::fromStdString(result.message), this);
        return false;
    }
    // The window shows itself again where the file dialog was before the
    // slow work below begins.
    repaint();
    // A match of the other field needs that field's pictures, loaded behind
    // the "Loading..." panel. When they cannot be loaded (the message names
    // the picture) the match, the field and the pictures shown stay.
    const bool newField = match.boardsize != g.BoardSize;
    graphics::PictureSets pictures;
    if (newField && !LoadPicturesBehindPanel(settings_, match.boardsize, pictures)) return false;

    LeaveShownGame();
    g.Tracker->TakeMatch(std::move(match));
    if (newField) {
        g.BoardSize = g.Tracker->boardsize();
        painter_.NewPosX = painter_.NewPosY = 0;
        TakePictures(std::move(pictures));
    }
    g.GameOver = false;
    g.SideToMove = CellWhite;
    SelectEngine();
    InitBoards();
    // The match's game values become the settings' (the settings dialog
    // shows them, and they are kept at the end).
    Settings s = settings_;
    s.BoardSize = g.BoardSize;
    s.ComputerSide = g.ComputerSide;
    s.VsComputer = g.VsComputer;
    s.AdvancedEngine = g.AdvancedEngine;
    s.BabyLevel = g.BabyLevel;
    s.Depth = g.Depth;
    ChangeSettings(s);
    UpdateUndoRedo();
    g.Tracker->GoToStart();
    ShowMoveCounter();
    RefreshPosition();
    DrawBoard();
    update();
    SetBrowsing(true);
    animations_.HelpMoveNoMoves1st = true;
    return true;
}

void TReversiForm::OpenCommandLineGame(const QString& file) {
    // Opened as through Match > Open...: at the computer's turn it answers.
    if (OpenMatch(file)) return;
    // When nothing could be loaded the new game starts as it would have
    // without the file.
    SetBrowsing(false);
    ShowMoveCounter();
    ShowScoreAndTurn();
    DrawBoard();
    ProcessTurn(true);
}

}  // namespace reversi
