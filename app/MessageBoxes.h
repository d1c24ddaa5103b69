// The program's two kinds of message box that need no game state.
#pragma once

#include <QMessageBox>
#include <QString>

class QShowEvent;
class QWidget;

namespace reversi {

// A message box whose outer frame stands centred on the screen, whoever owns
// it: it places itself as it is shown, once it has its final size.
class TScreenCentredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* e) override;
};

// A plain box: no icon, the program's title as caption, one OK button,
// centred on the screen. Used for information and "NETWORK: " messages.
void ShowPlainMessage(const QString& text, QWidget* parent = nullptr);

// The standard error box for a failure that reached an event handler.
void ShowErrorMessage(const QString& text, QWidget* parent = nullptr);

}  // namespace reversi
