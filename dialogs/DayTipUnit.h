// The "Tip of the Day" window: one of five tips, the next one each time it
// opens or "Next Tip" is pressed, and whether tips show at start-up.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace reversi {

class TDayTipForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int TipCount = 5;

    // Opens at the tip after currentTip (the stored "currenttip" value, any
    // number), with the check box ticked as showTips.
    TDayTipForm(bool showTips, int currentTip, QWidget* parent = nullptr);

    // The values to store when the window has closed (however it closed):
    // the check box, and the index of the tip shown last (0..4).
    bool ShowTips() const;
    int CurrentTip() const { return tipIndex_; }

    // Tip 0..4, exactly as shown; empty outside.
    static QString TipText(int index);
    // The tip that follows a stored index: negative counts as 0, and the
    // index rolls over to 0 after the last tip, whatever number is stored.
    static int NextTipIndex(int index);

private:
    void NextTipBitBtnClick();

    int tipIndex_ = 0;
    QLabel* ShowDayTipLabel = nullptr;
    QPlainTextEdit* TipsMemo = nullptr;
    QCheckBox* ShowCheckBox = nullptr;
    QPushButton* NextTipBitBtn = nullptr;
    QPushButton* OkBitBtn = nullptr;
};

}  // namespace reversi
