// The incoming-call request: who calls, the colour and field size offered,
// and Yes or No, with a 30-second countdown that answers No by itself.
#pragma once

#include "SideNames.h"

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace reversi {

class TCallReq : public QDialog {
    Q_OBJECT
public:
    static constexpr int TicksToRefuse = 300;  // steps of the countdown

    explicit TCallReq(QWidget* parent = nullptr);

    // The three texts shown, each within double quotes; the caller's name
    // is shown as plain text on one line.
    void SetRequest(const QString& callerName, const QString& colourText, const QString& sizeText);
    // The same for a call as the session reports it: the colour name the
    // local player gets and "8 x 8" or "10 x 10".
    void SetRequest(const QString& callerName, bool localBlack, bool field10,
                    const SideNames& names = {});
    // The time of one countdown step (100 ms; tests go faster).
    void SetTickInterval(int ms);
    // One step of the countdown, as the timer makes it.
    void Tick();
    // The link ended while the request was up: closes with No.
    void CloseForHangUp();

    // Shown and not yet closed.
    bool IsProcessing() const { return processing_; }
    int Position() const;
    QString CallerText() const;
    QString ColourText() const;
    QString SizeText() const;
    QPushButton* YesButton() const { return okBtn_; }
    QPushButton* NoButton() const { return cancelBtn_; }

protected:
    void showEvent(QShowEvent* e) override;
    void done(int result) override;

private:
    QString callerName_ = QStringLiteral("NO_NAME");
    QString colourText_ = QStringLiteral("???");
    QString sizeText_ = QStringLiteral("???");
    QLabel* label1_ = nullptr;
    QLabel* reqLabel_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* reqColour_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* reqSize_ = nullptr;
    QLabel* label2_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    QTimer* timer_ = nullptr;
    bool processing_ = false;
};

}  // namespace reversi
