#include "MessageBoxes.h"

#include <QMessageBox>

#include "FramePlacement.h"
#include "ProgramTitle.h"

namespace reversi {

namespace {
QString Title() { return ProgramTitle(); }
}  // namespace

void TScreenCentredBox::showEvent(QShowEvent* e) {
    // The box sizes itself to its text and buttons here; the window is not
    // mapped yet, so the placement is in time for its first appearance.
    QMessageBox::showEvent(e);
    PlaceCentredOnScreen(*this);
}

void ShowPlainMessage(const QString& text, QWidget* parent) {
    TScreenCentredBox box(QMessageBox::NoIcon, Title(), text, QMessageBox::Ok, parent);
    box.exec();
}

void ShowErrorMessage(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace reversi
