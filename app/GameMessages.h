// The modal windows of the game flow: the result and pass window, the
// confirmation box, the plain message, the statistics window, the tip of the
// day, the rules page, the history choice, the file dialogs and the settings
// dialog. The window shows them through this small interface so that tests
// can answer them without a modal loop.
#pragma once

#include <functional>

#include <QDialog>
#include <QPointer>
#include <QRect>
#include <QString>

#include "ChoiceUnit.h"
#include "FileDialogs.h"
#include "TurnAccounting.h"

class QWidget;

namespace reversi {

class TSideDlg;
class TStatisticsTable;

// What the tip window hands back when it closes: its check box and the index
// of the tip shown last.
struct TipValues {
    bool showTips = true;
    int currentTip = 0;
};

class TGameMessages {
public:
    virtual ~TGameMessages() = default;
    // The "Information" window (TFinalDlg) with a pass or result text
    // (TFinalDlg::OutMessage), opened modally over owner without waiting for
    // it. closed runs once when the player has closed it.
    virtual void ShowFinal(QWidget* owner, const QString& text, std::function<void()> closed) = 0;
    // A confirmation box (question icon, caption "Confirm", Yes and No);
    // true only for Yes.
    virtual bool Confirm(QWidget* owner, const QString& text) = 0;
    // The statistics window over owner, opened on the block and level given;
    // it clears through the table.
    virtual void ShowStatistics(QWidget* owner, TStatisticsTable& table, int boardSize,
                                bool advancedEngine, int level) = 0;
    // The tip of the day over owner, opened after the tip currentTip with its
    // check box ticked as showTips; answers the values to keep.
    virtual TipValues ShowDayTip(QWidget* owner, bool showTips, int currentTip) = 0;
    // The rules page with its outer frame at frame (screen coordinates).
    virtual void ShowRules(QWidget* owner, const QRect& frame) = 0;
    // A plain box (no icon, the program's title, OK). Shows nothing unless
    // overridden, so a presenter that never meets it needs no window.
    virtual void Inform(QWidget* owner, const QString& text);
    // The "Choice" window offered by a board click while an earlier position
    // is shown, centred over owner. Keeps browsing unless overridden.
    virtual TChoiceAnswer AskHistoryChoice(QWidget* owner);
    // A plain question (no icon, the program's title, Yes and No); true only
    // for Yes.
    virtual bool AskPlain(QWidget* owner, const QString& text);
    // The "Save..." or "Open..." file dialog; the chosen file or empty.
    virtual QString ChooseMatchFile(QWidget* owner, const TFileDialogSetup& setup);
    // The settings dialog, already filled and placed, shown modally; true
    // when it was closed with OK.
    virtual bool EditSettings(TSideDlg& dialog);
};

// The real windows.
class TModalGameMessages : public TGameMessages {
public:
    void ShowFinal(QWidget* owner, const QString& text, std::function<void()> closed) override;
    bool Confirm(QWidget* owner, const QString& text) override;
    void ShowStatistics(QWidget* owner, TStatisticsTable& table, int boardSize, bool advancedEngine,
                        int level) override;
    TipValues ShowDayTip(QWidget* owner, bool showTips, int currentTip) override;
    void ShowRules(QWidget* owner, const QRect& frame) override;
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
