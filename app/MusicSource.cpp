// The "Music source" command: folder chooser and the default-folder question.
#include "MusicSource.h"

#include <QDir>
#include <QFileDialog>

#include "GameMessages.h"

namespace reversi {

std::optional<QString> TDialogFolderChooser::ChooseFolder(QWidget* owner, const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(
        owner, MusicSourceCaption(), start, QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

QString MusicSourceCaption() { return QStringLiteral("Music source"); }

QString DefaultMusicFolderQuestion() {
    return QStringLiteral("New music folder is not selected.\nSetup default music folder?");
}

QString DefaultMusicFolder(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("DATA/MUSIC"));
}

QString ChooseMusicSource(TFolderChooser& chooser, TGameMessages& messages, QWidget* owner,
                          const QString& current, const QString& defaultFolder) {
    if (std::optional<QString> chosen = chooser.ChooseFolder(owner, current)) return *chosen;
    if (messages.Confirm(owner, DefaultMusicFolderQuestion())) return defaultFolder;
    return current;
}

}  // namespace reversi
