// The small "Information" window that tells the result of a game or that a
// colour must pass.
#pragma once

#include "InformationDialog.h"
#include "SideNames.h"
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace reversi {

class TFinalDlg : public TInformationDialog {
    Q_OBJECT
public:
    explicit TFinalDlg(QWidget* parent = nullptr);

    // Sets the message by kind m: 0 white won, 1 black won (white and black
    // carry the winner's count first, then the loser's), 2 a tie, 3 white
    // must pass, 4 black must pass.
    void SetOutMessage(int m, int white, int black, const SideNames& names);
    // The text SetOutMessage produces, without a window.
    static QString OutMessage(int m, int white, int black, const SideNames& names);
    // Shows a message made before.
    void SetText(const QString& text);

    QFrame* Bevel1 = nullptr;
    QLabel* FinalMessage = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace reversi
