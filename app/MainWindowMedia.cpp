// The window's media: the music player driven by the 250 ms timer, the
// Animation, Sound and Music toggles, the volume dialog, the music source,
// and the tray icon that takes the window while it is minimised.
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include "FramePlacement.h"
#include "MainWindow.h"
#include "MusicOutput.h"
#include "TrayController.h"
#include "VolumeUnit.h"

namespace reversi {

void TReversiForm::CreateMediaComponents() {
    trayAvailable_ = &QSystemTrayIcon::isSystemTrayAvailable;
    tray_ = new TrayController(windowIcon(), this, [this] { return trayAvailable_(); });
    connect(tray_, &TrayController::RestoreRequested, this, &TReversiForm::RestoreFromTray);

    // The volume dialog lives as long as the window and is shown on demand.
    VolumeForm = new TVolumeDlg(this);
    VolumeForm->setObjectName(QStringLiteral("VolumeForm"));
    connect(VolumeForm, &TVolumeDlg::MusicVolumeChanged, this, [this](int volume) {
        if (musicPlayer_) musicPlayer_->SetVolume(volume);
    });
    folderChooser_ = std::make_unique<TDialogFolderChooser>();

    connect(Animation1, &QAction::triggered, this, &TReversiForm::Animation1Click);
    connect(Sound1, &QAction::triggered, this, &TReversiForm::Sound1Click);
    connect(Music1, &QAction::triggered, this, &TReversiForm::Music1Click);
    connect(Soundvolume1, &QAction::triggered, this, &TReversiForm::Soundvolume1Click);
    connect(Musicsource1, &QAction::triggered, this, &TReversiForm::Musicsource1Click);
}

void TReversiForm::StartMusicPlayer(std::unique_ptr<platform::MusicOutput> output) {
    musicPlayer_ = std::make_unique<MusicPlayer>(std::move(output));
    ApplyMediaSettings();
    musicPlayer_->SetPaused(isMinimized());
}

void TReversiForm::SetMusicOutput(std::unique_ptr<platform::MusicOutput> output) {
    if (output) StartMusicPlayer(std::move(output));
}

void TReversiForm::SetTrayAvailableQuery(std::function<bool()> query) {
    if (query) trayAvailable_ = std::move(query);
}

void TReversiForm::ApplyMediaSettings() {
    if (musicPlayer_) musicPlayer_->Configure(settings_);
}

void TReversiForm::MusicPingTimerTimer() {
    // Without sound output there is no player, and nothing to do.
    if (musicPlayer_) musicPlayer_->Tick();
}

void TReversiForm::StopMedia() {
    musicPlayer_.reset();
    if (tray_ != nullptr) tray_->RemoveIcon();
}

// The three toggles change their flag through the settings value, which sets
// the check marks from the flags: a mark shows what holds.
void TReversiForm::Animation1Click() {
    Settings s = settings_;
    s.AnimationOn = !s.AnimationOn;
    ChangeSettings(s);
    if (!s.AnimationOn && animations_.MoveAnimationEnabled) {
        // A move half turned over ends at once: its frames must not be drawn
        // over the moves that now follow without animation.
        animations_.StopMoveAnimation();
        DrawBoard();
        game_.MoveShown();
    }
}

void TReversiForm::Sound1Click() {
    Settings s = settings_;
    s.SoundEffectsOn = !s.SoundEffectsOn;
    ChangeSettings(s);
}

void TReversiForm::Music1Click() {
    Settings s = settings_;
    s.MusicOn = !s.MusicOn;
    ChangeSettings(s);  // the player pauses or resumes with it
}

void TReversiForm::Soundvolume1Click() {
    PlaceCentredOver(*VolumeForm, *this);
    VolumeForm->SetVolumes(settings_.SoundVolume, settings_.MusicVolume);
    // The music follows the slider while the dialog is open; Cancel puts the
    // sliders back, and the music with them.
    if (VolumeForm->exec() == QDialog::Accepted) {
        Settings s = settings_;
        s.SoundVolume = VolumeForm->SoundVolume();
        s.MusicVolume = VolumeForm->MusicVolume();
        ChangeSettings(s);  // the effects take their volume when they next play
    }
    ApplyMediaSettings();
}

void TReversiForm::Musicsource1Click() {
    const QString folder =
        ChooseMusicSource(*folderChooser_, GameMessages(), this, settings_.MusicFolder,
                          SettingsStore::DefaultMusicFolder());
    if (folder == settings_.MusicFolder) return;
    Settings s = settings_;
    s.MusicFolder = folder;
    ChangeSettings(s);  // a new folder starts from its first entry; the same one keeps playing
}

void TReversiForm::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange) return;
    const bool wasMinimised =
        static_cast<QWindowStateChangeEvent*>(e)->oldState().testFlag(Qt::WindowMinimized);
    if (isMinimized() && !wasMinimised) {
        AppOnMin();
    } else if (!isMinimized() && wasMinimised) {
        AppOnRest();
    }
}

void TReversiForm::AppOnMin() {
    if (musicPlayer_) musicPlayer_->SetPaused(true);
    // Hidden only when the icon is in the tray: without a tray the taskbar
    // button stays, so the window can always be brought back. The hiding
    // waits until the minimising has finished (it shows the window last).
    if (closed_ || !tray_->HideOnMinimise(settings_.UseSysTray)) return;
    QTimer::singleShot(0, this, [this] {
        if (isMinimized() && tray_->IsIconShown()) hide();
    });
}

void TReversiForm::AppOnRest() {
    if (musicPlayer_) musicPlayer_->SetPaused(false);
    // Back on screen, however it came back: the icon has done its job.
    tray_->RemoveIcon();
}

void TReversiForm::RestoreFromTray() {
    showNormal();
    raise();
    activateWindow();
    // A dialog that was open when the window went into the tray comes back
    // with it, over it, and keeps the input it had.
    if (QWidget* dialog = QApplication::activeModalWidget(); dialog != nullptr && dialog != this) {
        if (dialog->isMinimized()) {
            dialog->showNormal();
        } else {
            dialog->show();
        }
        dialog->raise();
        dialog->activateWindow();
    }
}

}  // namespace reversi
