// A dialog that only informs: Enter and Esc both close it with OK, from the
// dialog itself and from any of its controls that pass the keys on.
#pragma once

#include <QDialog>
#include <QKeyEvent>

namespace reversi {

class TInformationDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
            case Qt::Key_Escape:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                accept();
                return;
            default:
                QDialog::keyPressEvent(e);
        }
    }
};

}  // namespace reversi
