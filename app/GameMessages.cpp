#include "GameMessages.h"

#include <QMessageBox>

#include "FinalUnit.h"

namespace reversi {

void TModalGameMessages::ShowFinal(QWidget* owner, int m, int white, int black) {
    TFinalDlg dialog(owner);
    dialog.SetOutMessage(m, white, black);
    dialog.exec();
}

bool TModalGameMessages::Confirm(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString HintPracticeQuestion() {
    return QStringLiteral(
        "Looks like you would like to use Hint.\n"
        "The game becomes practice (no statistics recording)!\n"
        "Do you really want Hint?");
}

}  // namespace reversi
