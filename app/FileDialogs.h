// The match file dialogs. The window keeps what each dialog shows (title,
// filter, default extension) and opens a dialog only when the player asks
// for one, so a run that never opens one leaves no dialog state behind.
#pragma once

#include <QString>

class QWidget;

namespace reversi {

struct TFileDialogSetup {
    bool Save = false;  // a save dialog: asks before overwriting
    QString Title;
    QString Filter;  // Qt filter text, e.g. "Zorel Reversi games (*.kzv)"
    QString DefaultSuffix = QStringLiteral("kzv");
};

// Shows the dialog modally; the chosen file, or an empty string on cancel.
QString ExecuteFileDialog(const TFileDialogSetup& setup, QWidget* parent);

}  // namespace reversi
