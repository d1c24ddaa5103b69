#include "GameMessages.h"

#include <QMessageBox>

#include "FinalUnit.h"
#include "SideUnit.h"
#include "Statistics.h"

namespace reversi {

void TModalGameMessages::ShowFinal(QWidget* owner, GameMessageKind m, int first, int second) {
    TFinalDlg dialog(owner);
    dialog.SetOutMessage(static_cast<int>(m), first, second);
    dialog.exec();
}

void TModalGameMessages::ShowStatistics(QWidget* owner, TStatisticsTable& table, int boardSize,
                                        bool advancedEngine, int level) {
    TStatisticsForm form(table, boardSize, advancedEngine, level, owner);
    form.exec();
}

bool TGameMessages::EditSettings(TSideDlg& dialog) { return dialog.exec() == QDialog::Accepted; }

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
