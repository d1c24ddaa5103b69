// Settings the window reads at start and writes when it closes.
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
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
    auto& g = Game();
    NETPort = 8173;
    NETService.clear();
    g.VsComputer = true;
    // The level already comes from the store ("options/level": 0 the baby
    // level, 1 to 9 the search depth; anything else is clamped).
    bool isNumber = false;
    const int level = QSettings().value(QStringLiteral("options/level")).toString().toInt(&isNumber);
    g.BabyLevel = false;
    g.Depth = isNumber ? level : 0;
    if (g.Depth < 1) {
        g.Depth = 1;
        g.BabyLevel = true;
    }
    if (g.Depth > 9) g.Depth = 9;
    g.ComputerSide = 3;
    g.SoundEffectsOn = true;
    g.MusicOn = true;
    g.AnimationOn = true;
    Animation1->setChecked(g.AnimationOn);
    Sound1->setChecked(g.SoundEffectsOn);
    Music1->setChecked(g.MusicOn);
    g.FiguresStyle = 0;
    g.CursorStyle = 0;
    g.HelpStyle = 0;
    g.BoardBorderStyle = 0;
    g.BoardSize = 8;
    g.UseSysTray = true;
    g.CallAsWhite = true;
    g.CallSize8 = true;
    g.ShowPreviousMove = true;
    g.ShowAvailableMoves = true;
    g.AdvancedEngine = false;
    ShutDownServerListing = true;
    g.ShowMovesList = true;
    g.ShowTips = true;
    g.CurrentTip = 1000;
    SoundVolume = 225;
    MusicVolume = 120;
    MusicFolder = QDir(QCoreApplication::applicationDirPath())
                      .filePath(QStringLiteral("DATA/MUSIC"));
}

void TReversiForm::SaveSettingsOnClose() {
    const auto& g = Game();
    QSettings store;
    store.setValue(QStringLiteral("net/service"), NETService);
    store.setValue(QStringLiteral("net/port"), QString::number(NETPort));
    store.setValue(QStringLiteral("options/moves"), YesNo(MovesVisible));
    // The statistics value is written here once the statistics store exists.
    store.setValue(QStringLiteral("options/call8"), YesNo(g.CallSize8));
    store.setValue(QStringLiteral("options/callw"), YesNo(g.CallAsWhite));
    store.setValue(QStringLiteral("net/listn"), YesNo(RevServerSocket->isListening()));
    store.setValue(QStringLiteral("options/sound_volume"), QString::number(SoundVolume));
    store.setValue(QStringLiteral("options/music_volume"), QString::number(MusicVolume));
    store.setValue(QStringLiteral("options/music_folder"), MusicFolder);
    store.sync();
    if (store.status() != QSettings::NoError) {
        throw std::runtime_error("The settings could not be written to " +
                                 store.fileName().toStdString());
    }
}

}  // namespace reversi
