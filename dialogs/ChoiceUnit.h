// The "Choice" window offered when the player clicks the board while looking
// at an earlier position of the match: go on browsing or continue playing.
#pragma once

#include <QDialog>

class QPushButton;

namespace reversi {

// The player's answer; closing the window in any other way is ReturnToHistory.
enum class TChoiceAnswer {
    ReturnToHistory,           // keep browsing, nothing changes
    ContinueFromThisPosition,  // play on from the position being viewed
    ContinueFromLastPosition,  // play on from the last position of the match
};

class TChoiceDlg : public QDialog {
    Q_OBJECT
public:
    explicit TChoiceDlg(QWidget* parent = nullptr);

    // Shows the window modally and returns the answer.
    TChoiceAnswer Ask();
    // The answer of the last showing (ReturnToHistory until a button chose otherwise).
    TChoiceAnswer Answer() const { return answer_; }

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Choose(TChoiceAnswer answer);

    TChoiceAnswer answer_ = TChoiceAnswer::ReturnToHistory;
    QPushButton* BitBtn1 = nullptr;  // return to history watching
    QPushButton* BitBtn2 = nullptr;  // continue from this position
    QPushButton* BitBtn3 = nullptr;  // continue from last position
};

}  // namespace reversi
