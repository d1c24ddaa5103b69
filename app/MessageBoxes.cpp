#include "MessageBoxes.h"

#include <QMessageBox>

#include "GameState.h"

namespace reversi {

namespace {
QString Title() { return QString::fromStdString(Game().GameTitle); }
}  // namespace

void ShowPlainMessage(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, Title(), text, QMessageBox::Ok, parent);
    box.exec();
}

void ShowErrorMessage(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace reversi
