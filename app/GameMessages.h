// The modal windows of the game flow: the result and pass window, the
// confirmation box, the plain message, the statistics window and the history
// choice. The window shows them through this small interface so that tests
// can answer them without a modal loop.
#pragma once

#include <QString>

#include "ChoiceUnit.h"
#include "TurnAccounting.h"

class QWidget;

namespace reversi {

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
    // A plain box (no icon, the program's title, OK). Shows nothing unless
    // overridden, so a presenter that never meets it needs no window.
    virtual void Inform(QWidget* owner, const QString& text);
    // The "Choice" window offered by a board click while an earlier position
    // is shown, centred over owner. Keeps browsing unless overridden.
    virtual TChoiceAnswer AskHistoryChoice(QWidget* owner);
};

// The real windows.
class TModalGameMessages : public TGameMessages {
public:
    void ShowFinal(QWidget* owner, GameMessageKind m, int first, int second) override;
    bool Confirm(QWidget* owner, const QString& text) override;
    void ShowStatistics(QWidget* owner, TStatisticsTable& table, int boardSize, bool advancedEngine,
                        int level) override;
    void Inform(QWidget* owner, const QString& text) override;
    TChoiceAnswer AskHistoryChoice(QWidget* owner) override;
};

// The practice question of the hint, three lines.
QString HintPracticeQuestion();
// The practice question of continuing from an earlier position, three lines.
QString UndoPracticeQuestion();
// Said when that question is declined.
QString ContinuesFromLastPositionMessage();

}  // namespace reversi
