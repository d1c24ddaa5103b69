// The settings value of the window: read at start, written when it closes,
// and what follows a change of it (menu check marks, the animations).
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTcpServer>

#include "EngineUnit.h"
#include "MainWindow.h"

namespace reversi {

namespace {
QString YesNo(bool value) { return value ? QStringLiteral("yes") : QStringLiteral("no"); }
}  // namespace

void TReversiForm::LoadSettings() {
    // The values a first start uses. Reading them from the settings store
    // replaces this with the stored values, parsed and clamped.
    Settings s;
    bool isNumber = false;
    const int level =
        QSettings().value(QStringLiteral("options/level")).toString().toInt(&isNumber);
    s.SetLevel(isNumber ? level : 0);
    s.MusicFolder =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DATA/MUSIC"));
    ChangeSettings(s);

    // The game starts with the settings' opponent, level, engine and field.
    auto& g = Game();
    g.VsComputer = s.VsComputer;
    g.Depth = s.Depth;
    g.BabyLevel = s.BabyLevel;
    g.ComputerSide = s.ComputerSide;
    g.AdvancedEngine = s.AdvancedEngine;
    g.BoardSize = s.BoardSize;
}

void TReversiForm::ChangeSettings(const Settings& settings) {
    settings_ = settings;
    Animation1->setChecked(settings_.AnimationOn);
    Sound1->setChecked(settings_.SoundEffectsOn);
    Music1->setChecked(settings_.MusicOn);
    ApplyLookToGraphics();
}

void TReversiForm::ApplyLookToGraphics() {
    animations_.SetOptions({.animationOn = settings_.AnimationOn,
                            .showAvailableMoves = settings_.ShowAvailableMoves,
                            .showPreviousMove = settings_.ShowPreviousMove});
    painter_.animfrms = graphics::RestFrame;
}

void TReversiForm::SaveSettingsOnClose() {
    const Settings& s = settings_;
    QSettings store;
    store.setValue(QStringLiteral("net/service"), s.NETService);
    store.setValue(QStringLiteral("net/port"), QString::number(s.NETPort));
    store.setValue(QStringLiteral("options/moves"), YesNo(MovesVisible));
    // The statistics value is written here once the statistics store exists.
    store.setValue(QStringLiteral("options/call8"), YesNo(s.CallSize8));
    store.setValue(QStringLiteral("options/callw"), YesNo(s.CallAsWhite));
    store.setValue(QStringLiteral("net/listn"), YesNo(RevServerSocket->isListening()));
    store.setValue(QStringLiteral("options/sound_volume"), QString::number(s.SoundVolume));
    store.setValue(QStringLiteral("options/music_volume"), QString::number(s.MusicVolume));
    store.setValue(QStringLiteral("options/music_folder"), s.MusicFolder);
    store.sync();
    if (store.status() != QSettings::NoError) {
        throw std::runtime_error("The settings could not be written to " +
                                 store.fileName().toStdString());
    }
}

}  // namespace reversi
