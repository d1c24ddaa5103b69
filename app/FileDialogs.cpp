#include "FileDialogs.h"

#include <QFileDialog>

namespace reversi {

QString ExecuteFileDialog(const TFileDialogSetup& setup, QWidget* parent) {
    QFileDialog dialog(parent, setup.Title);
    dialog.setNameFilter(setup.Filter);
    dialog.setDefaultSuffix(setup.DefaultSuffix);
    if (setup.Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace reversi
