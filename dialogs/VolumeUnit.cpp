#include "VolumeUnit.h"

#include <algorithm>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "DialogIcons.h"

namespace reversi {

namespace {

constexpr int MaxVolume = 255;

QSlider* MakeTrackBar(QWidget* parent, const char* name, int top) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(56, top, 265, 25);
    bar->setRange(0, MaxVolume);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(15);
    bar->setPageStep(15);
    bar->setCursor(Qt::PointingHandCursor);
    return bar;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, int left,
                        DialogGlyph picture) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 115, 87, 26);
    SetGlyph(*button, picture);
    return button;
}

}  // namespace

TVolumeDlg::TVolumeDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(353, 149);
    setWindowTitle(QStringLiteral("Setup sound and music volumes"));

    auto* group = new QGroupBox(QStringLiteral("Sound and music volumes"), this);
    group->setObjectName(QStringLiteral("SoundMusicGroupBox"));
    group->setGeometry(8, 8, 337, 97);
    auto* soundLabel = new QLabel(QStringLiteral("Sound"), group);
    soundLabel->setObjectName(QStringLiteral("SoundLabel"));
    soundLabel->setGeometry(12, 28, 44, 20);
    auto* musicLabel = new QLabel(QStringLiteral("Music"), group);
    musicLabel->setObjectName(QStringLiteral("MusicLabel"));
    musicLabel->setGeometry(12, 60, 44, 20);
    TrackBarSound = MakeTrackBar(group, "TrackBarSound", 24);
    TrackBarMusic = MakeTrackBar(group, "TrackBarMusic", 56);

    auto* ok = MakeButton(this, "OkBitBtn", "Ok", 81, DialogGlyph::Ok);
    ok->setDefault(true);
    auto* cancel = MakeButton(this, "CancelBitBtn", "Cancel", 185, DialogGlyph::Cancel);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(TrackBarMusic, &QSlider::valueChanged, this, &TVolumeDlg::MusicVolumeChanged);
}

void TVolumeDlg::SetVolumes(int soundVolume, int musicVolume) {
    soundVolume_ = std::clamp(soundVolume, 0, MaxVolume);
    musicVolume_ = std::clamp(musicVolume, 0, MaxVolume);
    TrackBarSound->setValue(soundVolume_);
    TrackBarMusic->setValue(musicVolume_);
}

int TVolumeDlg::SoundVolume() const { return TrackBarSound->value(); }

int TVolumeDlg::MusicVolume() const { return TrackBarMusic->value(); }

void TVolumeDlg::done(int result) {
    if (result != Accepted) {
        TrackBarSound->setValue(soundVolume_);
        TrackBarMusic->setValue(musicVolume_);
    }
    QDialog::done(result);
}

}  // namespace reversi
