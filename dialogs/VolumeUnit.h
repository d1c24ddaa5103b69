// The "Setup sound and music volumes" window: two sliders 0..255. The music
// follows its slider while it moves; Cancel puts both back.
#pragma once

#include <QDialog>

class QSlider;

namespace reversi {

class TVolumeDlg : public QDialog {
    Q_OBJECT
public:
    explicit TVolumeDlg(QWidget* parent = nullptr);

    // Sets both sliders (clamped to 0..255) and remembers them as the values
    // that Cancel restores. Call before each showing.
    void SetVolumes(int soundVolume, int musicVolume);
    // The slider positions: after OK, the volumes to keep.
    int SoundVolume() const;
    int MusicVolume() const;

    // Closing by anything but OK (Cancel, Esc, the close box) sets both
    // sliders back to the values of SetVolumes.
    void done(int result) override;

signals:
    // Every change of the music slider, by the player or by SetVolumes and
    // Cancel: the music volume to apply at once.
    void MusicVolumeChanged(int volume);

private:
    int soundVolume_ = 0;
    int musicVolume_ = 0;
    QSlider* TrackBarSound = nullptr;
    QSlider* TrackBarMusic = nullptr;
};

}  // namespace reversi
