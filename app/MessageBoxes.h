// The program's two kinds of message box that need no game state.
#pragma once

#include <QMessageBox>
#include <QString>

class QFontMetrics;
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

// The text with places to break a word too wide for a line of `maxWidth`
// pixels (a long file name): a zero-width space after each '/' or '\\' of
// such a word, and where a piece is still too wide, where it fills a line.
// Words that fit are left as they are.
QString BreakableText(const QString& text, const QFontMetrics& metrics, int maxWidth);

// The widest line of text a box on `box`'s screen is given.
int MessageLineWidth(const QWidget& box);

// A plain box: no icon, the program's title as caption, one OK button,
// centred on the screen. Used for information and "NETWORK: " messages.
void ShowPlainMessage(const QString& text, QWidget* parent = nullptr);

// The standard error box for a failure that reached an event handler.
void ShowErrorMessage(const QString& text, QWidget* parent = nullptr);

}  // namespace reversi
