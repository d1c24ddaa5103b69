#include "GameMessages.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "DayTipUnit.h"
#include "FinalUnit.h"
#include "FramePlacement.h"
#include "MessageBoxes.h"
#include "RulersUnit.h"
#include "SideUnit.h"
#include "Statistics.h"

namespace reversi {

void TModalGameMessages::ShowFinal(QWidget* owner, const QString& text,
                                   std::function<void()> closed) {
    auto* dialog = new TFinalDlg(owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetText(text);
    if (owner != nullptr) PlaceCentredOver(*dialog, *owner);
    QObject::connect(dialog, &QDialog::finished, dialog, [closed = std::move(closed)](int) {
        if (closed) closed();
    });
    dialog->open();
}

void TModalGameMessages::ShowStatistics(QWidget* owner, TStatisticsTable& table, int boardSize,
                                        bool advancedEngine, int level) {
    TStatisticsForm form(table, boardSize, advancedEngine, level, owner);
    if (owner != nullptr) PlaceCentredOver(form, *owner);
    form.exec();
}

TipValues TModalGameMessages::ShowDayTip(QWidget* owner, bool showTips, int currentTip) {
    TDayTipForm form(showTips, currentTip, owner);
    if (owner != nullptr) PlaceCentredOver(form, *owner);
    form.exec();
    return {.showTips = form.ShowTips(), .currentTip = form.CurrentTip()};
}

void TModalGameMessages::ShowRules(QWidget* owner, const QRect& frame) {
    TRulersForm form(TRulersForm::DefaultPagePath(), owner);
    // The rectangle is the outer frame; the client area gives up what the
    // window manager's decoration takes.
    if (owner != nullptr) PlaceFrameAt(form, frame, *owner);
    form.exec();
}
bool TGameMessages::EditSettings(TSideDlg& dialog) { return dialog.exec() == QDialog::Accepted; }

bool TModalGameMessages::Confirm(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    // Without an owner it stands in the middle of the screen, by its frame.
    if (owner == nullptr) {
        box.adjustSize();
        PlaceCentredOnScreen(box);
    }
    return box.exec() == QMessageBox::Yes;
}

void TGameMessages::Inform(QWidget*, const QString&) {}

TChoiceAnswer TGameMessages::AskHistoryChoice(QWidget*) { return TChoiceAnswer::ReturnToHistory; }

void TModalGameMessages::Inform(QWidget* owner, const QString& text) {
    ShowPlainMessage(text, owner);
}

TChoiceAnswer TModalGameMessages::AskHistoryChoice(QWidget* owner) {
    TChoiceDlg dialog(owner);
    if (owner != nullptr) PlaceCentredOver(dialog, *owner);
    return dialog.Ask();
}

QString UndoPracticeQuestion() {
    return QStringLiteral(
        "Looks like you would like to Undo some moves.\n"
        "The game becomes practice (no statistics recording)!\n"
        "Do you really want Undo?");
}

QString ContinuesFromLastPositionMessage() {
    return QStringLiteral("Ok. The game now continues from last position.");
}

bool TGameMessages::AskPlain(QWidget* owner, const QString& text) {
    TScreenCentredBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text,
                          QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
}

QString TGameMessages::ChooseMatchFile(QWidget* owner, const TFileDialogSetup& setup) {
    return ExecuteFileDialog(setup, owner);
}

QString HintPracticeQuestion() {
    return QStringLiteral(
        "Looks like you would like to use Hint.\n"
        "The game becomes practice (no statistics recording)!\n"
        "Do you really want Hint?");
}

}  // namespace reversi
