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
#include "FileNames.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "SettingsGameValues.h"

namespace reversi {

void TReversiForm::BindFileItems() {
    connect(ListMenuSave, &QAction::triggered, this, &TReversiForm::ListMenuSaveClick);
    connect(ListMenuLoad, &QAction::triggered, this, &TReversiForm::ListMenuLoadClick);
}

void TReversiForm::ListMenuSaveClick() {
    const QString chosen = GameMessages().ChooseMatchFile(this, SaveListDialog);
    if (chosen.isEmpty()) return;
    // Only a regular file is written (through a link, the file it points to),
    // or a new one created; anything else is named in a message and left as
    // it was. A failed save leaves an existing match whole.
    const FileResult result = game_.SaveMatch(FileNamed(chosen).native());
    if (!result.Ok()) ShowErrorMessage(QString::fromStdString(result.message), this);
}

void TReversiForm::ListMenuLoadClick() {
    // The match record and the position belong to a running search.
    if (game_.Thinking() || !MayAbortNetworkGame()) return;
    // A box of the game on the board still due comes before the file dialog.
    game_.WhenNoMessage([this] { ChooseAndOpenMatch(); });
}

void TReversiForm::ChooseAndOpenMatch() {
    if (game_.Thinking()) return;
    const QString chosen = GameMessages().ChooseMatchFile(this, OpenListDialog);
    if (chosen.isEmpty()) return;
    const std::filesystem::path file = ExistingFileNamed(chosen);
    // Only a regular file is looked into; a pipe, a device or a folder is
    // named in a message without waiting on it.
    const FileResult check = CheckMatchFile(file.native());
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

QString TReversiForm::NotAMatchMessage(const std::filesystem::path& file) {
    return QStringLiteral("The file %1 is not a Zorel Reversi game.").arg(ShownFileName(file));
}

bool TReversiForm::OpenMatch(const std::filesystem::path& file) {
    if (!LoadMatch(file)) return false;
    // The match ends up at its last position with browsing off.
    game_.ReturnToLast();
    // A match saved at the computer's turn: the computer moves now, as no
    // click may play its colour.
    game_.ResumeMatch();
    return true;
}

void TReversiForm::dragEnterEvent(QDragEnterEvent* e) {
    if (DroppedMatchFile(e->mimeData()).has_value()) e->acceptProposedAction();
}

void TReversiForm::dropEvent(QDropEvent* e) {
    const auto file = DroppedMatchFile(e->mimeData());
    if (!file || game_.Thinking()) return;
    e->acceptProposedAction();
    // Loaded after the drop has finished, outside the drag's own event.
    const std::filesystem::path name = *file;
    QTimer::singleShot(0, this, [this, name] {
        if (game_.Thinking() || !MayAbortNetworkGame()) return;
        game_.WhenNoMessage([this, name] {
            if (!game_.Thinking()) OpenMatch(name);
        });
    });
}

std::optional<std::filesystem::path> TReversiForm::DroppedMatchFile(const QMimeData* data) {
    // Only the first dropped file counts, and only when it is a local regular
    // file that begins with a match signature (the check never waits on a
    // pipe or a device passed over the window).
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return std::nullopt;
    // The name's bytes as the URL carries them, also where they are no UTF-8.
    const auto file = LocalFileOfUrl(data->urls().first());
    if (!file || !FileHasMatchSignature(file->native())) return std::nullopt;
    return file;
}

bool TReversiForm::LoadMatch(const std::filesystem::path& FileName) {
    // The file is read and checked whole before anything changes.
    SavedMatch match;
    const FileResult result = ReadMatchFile(FileName.native(), match);
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
    const int field = match.boardsize;
    const bool newField = field != game_.BoardSize();
    graphics::PictureSets pictures;
    if (newField && !LoadPicturesBehindPanel(settings_, field, pictures)) return false;
    if (newField) {
        painter_.NewPosX = painter_.NewPosY = 0;
        TakePictures(std::move(pictures), field);
    }
    game_.TakeMatch(std::move(match));
    // The match's game values become the settings' (the settings dialog
    // shows them, and they are kept at the end).
    ChangeSettings(WithGameValues(settings_, game_.Values()));
    return true;
}

void TReversiForm::OpenCommandLineGame(const std::filesystem::path& file) {
    // Opened as through Match > Open...: at the computer's turn it answers.
    if (OpenMatch(file)) return;
    // When nothing could be loaded the new game starts as it would have
    // without the file.
    game_.SetBrowsing(false);
    ShowStatus();
    DrawBoard();
    game_.ProcessTurn(true);
}

}  // namespace reversi
