#include "FileDialogs.h"

#include <system_error>

#include <QFileDialog>
#include <QFileInfo>

#include "FileNames.h"

namespace reversi {

namespace {

// Qt's own dialog lists and checks only names that are UTF-8. A name typed
// as it reads in the program's messages ("café.kzv" for the Latin-1 bytes
// "caf\xe9.kzv") is taken when it means an existing file; the caller finds
// that file again with ExistingFileNamed.
class MatchFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QStringList files = selectedFiles();
        if (acceptMode() == AcceptOpen && files.size() == 1 && !QFileInfo::exists(files[0])) {
            std::error_code ec;
            if (std::filesystem::is_regular_file(ExistingFileNamed(files[0]), ec)) {
                QDialog::accept();
                return;
            }
        }
        QFileDialog::accept();
    }
};

}  // namespace

QString ExecuteFileDialog(const TFileDialogSetup& setup, QWidget* parent) {
    MatchFileDialog dialog(parent, setup.Title);
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
