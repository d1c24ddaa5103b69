// The settings value of the window: read at start, written when it closes,
// and what follows a change of it (menu check marks, the animations).
#include <QAction>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "SettingsGameValues.h"
#include "SideUnit.h"
#include "NetworkSession.h"
#include "StatisticsTable.h"

namespace reversi {

void TReversiForm::LoadSettings() {
    // An outgrown file that a writer puts aside is named to the player once.
    store_.SetSetAsideNotice([this](const QString& message) { ShowPlainMessage(message, this); });
    const Settings s = store_.Load();
    ChangeSettings(s);

    // The game starts with the settings' opponent, level, engine and field.
    game_.SetValues(GameValuesOf(s));
}

void TReversiForm::LoadStatistics() {
    const StoredStatistics stored = store_.LoadStatistics();
    bool refused = stored.wrongType;
    if (refused) {
        statistics_ = TStatisticsTable();
    } else {
        refused = statistics_.FromBytes(stored.bytes);
    }
    // Said once; the counting starts again from zero.
    if (refused) ShowStatusNotice(StatisticsRefusedMessage());
}

void TReversiForm::ChangeSettings(const Settings& settings) {
    settings_ = settings;
    Animation1->setChecked(settings_.AnimationOn);
    Sound1->setChecked(settings_.SoundEffectsOn);
    Music1->setChecked(settings_.MusicOn);
    // The settings dialog's controls follow too.
    if (SideDlg != nullptr) SideDlg->SetValues(settings_);
    ApplyLookToGraphics();
    ApplyMediaSettings();
}

void TReversiForm::ApplyLookToGraphics() {
    animations_.SetOptions({.animationOn = settings_.AnimationOn,
                            .showAvailableMoves = settings_.ShowAvailableMoves,
                            .showPreviousMove = settings_.ShowPreviousMove});
    painter_.animfrms = graphics::RestFrame;
}

void TReversiForm::SaveSettingsOnClose() {
    // The close writer, then the settings dialog's values (which it writes
    // when it goes at the program's end).
    settings_.ShowMovesList = MovesVisible;
    store_.SaveOnClose(settings_, Session->IsListening(), statistics_.ToBytes());
    store_.SaveDialogValues(settings_);
}

}  // namespace reversi
