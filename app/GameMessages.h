// The modal windows of the game flow: the result and pass window, the
// confirmation box, the statistics window and the settings dialog. The window shows them through this small interface so
// that tests can answer them without a modal loop.
#pragma once

#include <QString>

#include "TurnAccounting.h"

class QWidget;

namespace reversi {

class TSideDlg;
class TStatisticsTable;

class TGameMessages {
public:
    virtual ~TGameMessages() = default;
    // The "Information" window (TFinalDlg) with message kind m, shown
    // modally over owner; for a win the winner's count comes first.
    virtual void ShowFinal(QWidget* owner, GameMessageKind m, int first, int second) = 0;
    // A confirmation box (question icon, caption "Confirm", Yes and No);
    // true only for Yes.
    virtual bool Confirm(QWidget* owner, const QString& text) = 0;
    // The statistics window over owner, opened on the block and level given;
    // it clears through the table.
    virtual void ShowStatistics(QWidget* owner, TStatisticsTable& table, int boardSize,
                                bool advancedEngine, int level) = 0;
    // The settings dialog, already filled and placed, shown modally; true
    // when it was closed with OK.
    virtual bool EditSettings(TSideDlg& dialog);
};

// The real windows.
class TModalGameMessages : public TGameMessages {
public:
    void ShowFinal(QWidget* owner, GameMessageKind m, int first, int second) override;
    bool Confirm(QWidget* owner, const QString& text) override;
    void ShowStatistics(QWidget* owner, TStatisticsTable& table, int boardSize, bool advancedEngine,
                        int level) override;
};

// The practice question of the hint, three lines.
QString HintPracticeQuestion();

}  // namespace reversi
