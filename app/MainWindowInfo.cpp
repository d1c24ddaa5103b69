// The Info menu: the statistics window on the current game's level, the tip
// of the day (from the menu and once at start-up) and the rules page.
#include <QAction>
#include <QMenuBar>
#include <QStatusBar>

#include "DialogPlacement.h"
#include "EngineUnit.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "StatisticsTable.h"

namespace reversi {

void TReversiForm::BindInfoItems() {
    connect(RulersItem, &QAction::triggered, this, &TReversiForm::RulersItemClick);
    connect(DayTipMenuItem, &QAction::triggered, this, &TReversiForm::DayTipMenuItemClick);
    connect(Statistics1, &QAction::triggered, this, &TReversiForm::Statistics1Click);
}

void TReversiForm::Statistics1Click() {
    const StatisticsEntry entry = game_.CurrentStatisticsEntry();
    GameMessages().ShowStatistics(this, statistics_, entry.boardSize, entry.advancedEngine,
                                  entry.level);
}

void TReversiForm::DayTipMenuItemClick() { ShowDayTip(); }

void TReversiForm::ShowDayTip() {
    const TipValues values =
        GameMessages().ShowDayTip(this, settings_.ShowTips, settings_.CurrentTip);
    // Kept for this run and stored each time the window closes, so the next
    // opening, in this run or the next, goes on with the following tip.
    settings_.ShowTips = values.showTips;
    settings_.CurrentTip = values.currentTip;
    try {
        store_.SaveTipValues(values.showTips, values.currentTip);
    } catch (const SettingsWriteError& failure) {
        ShowErrorMessage(QString::fromLocal8Bit(failure.what()), this);
    }
}

void TReversiForm::RulersItemClick() {
    // Laid over the board: the client area without the move list and the
    // status bar.
    const int menuHeight = menuBar()->isVisible() ? menuBar()->height() : 0;
    const QPoint clientOrigin = mapToGlobal(QPoint(0, menuHeight));
    const QSize client(width(), height() - menuHeight);
    GameMessages().ShowRules(
        this, RulesWindowRect(clientOrigin, client, movesListWidth_, ReversiStatusBar->height()));
}

}  // namespace reversi
