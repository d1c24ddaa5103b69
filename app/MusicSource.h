#pragma once
// The "Music source" command: the player picks a music folder in a folder
// chooser; cancelling offers the default folder beside the program instead.
// The chooser sits behind a small interface so that tests need no modal dialog.

#include <QString>

#include <optional>

class QWidget;

namespace reversi {

class TGameMessages;

class TFolderChooser {
public:
    virtual ~TFolderChooser() = default;
    // Shows a modal chooser of folders only, opened on `start`; the chosen
    // folder, or nothing when the player cancels.
    virtual std::optional<QString> ChooseFolder(QWidget* owner, const QString& start) = 0;
};

// The real chooser: a directory-only file dialog that creates no folders.
class TDialogFolderChooser : public TFolderChooser {
public:
    std::optional<QString> ChooseFolder(QWidget* owner, const QString& start) override;
};

// The caption of the chooser.
QString MusicSourceCaption();
// The question asked after a cancelled chooser, two lines.
QString DefaultMusicFolderQuestion();
// The default music folder: DATA/MUSIC inside `programFolder`.
QString DefaultMusicFolder(const QString& programFolder);

// Runs the command and answers the music folder to use from now on: the chosen
// folder; after a cancel, the default folder when the player answers Yes, else
// `current` unchanged. The caller hands the answer to the music player, which
// ignores a folder that did not change.
QString ChooseMusicSource(TFolderChooser& chooser, TGameMessages& messages, QWidget* owner,
                          const QString& current, const QString& defaultFolder);

}  // namespace reversi
