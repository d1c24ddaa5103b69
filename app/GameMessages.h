// The modal messages of the game flow: the result and pass window and the
// confirmation box. The window shows them through this small interface so
// that tests can answer them without a modal loop.
#pragma once

#include <QString>

class QWidget;

namespace reversi {

class TGameMessages {
public:
    virtual ~TGameMessages() = default;
    // The "Information" window (TFinalDlg) with message kind m, shown
    // modally over owner.
    virtual void ShowFinal(QWidget* owner, int m, int white, int black) = 0;
    // A confirmation box (question icon, caption "Confirm", Yes and No);
    // true only for Yes.
    virtual bool Confirm(QWidget* owner, const QString& text) = 0;
};

// The real windows.
class TModalGameMessages : public TGameMessages {
public:
    void ShowFinal(QWidget* owner, int m, int white, int black) override;
    bool Confirm(QWidget* owner, const QString& text) override;
};

// The practice question of the hint, three lines.
QString HintPracticeQuestion();

}  // namespace reversi
