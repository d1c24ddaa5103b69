// The program's two kinds of message box that need no game state.
#pragma once

#include <QString>

class QWidget;

namespace reversi {

// A plain box: no icon, the program's title as caption, one OK button,
// centred on the screen. Used for information and "NETWORK: " messages.
void ShowPlainMessage(const QString& text, QWidget* parent = nullptr);

// The standard error box for a failure that reached an event handler.
void ShowErrorMessage(const QString& text, QWidget* parent = nullptr);

}  // namespace reversi
