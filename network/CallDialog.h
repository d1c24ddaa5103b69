// The call dialog: the colour and field size the caller offers and the
// address of the computer to call.
#pragma once

#include "SideNames.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace reversi {

class TCallDlg : public QDialog {
    Q_OBJECT
public:
    explicit TCallDlg(QWidget* parent = nullptr);

    // The choices shown: the caller plays white, the field is 8 x 8.
    void SetChoices(bool asWhite, bool size8);
    bool CallAsWhite() const;
    bool CallSize8() const;
    void SetAddress(const QString& address);
    // The colour names the colour buttons show from the next showing on.
    void SetSideNames(const SideNames& names) { names_ = names; }
    QString Address() const;

    QPushButton* CallButton() const { return okBtn_; }
    QPushButton* CancelButton() const { return cancelBtn_; }
    QLineEdit* AddressLine() const { return address_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    QGroupBox* conditions_ = nullptr;
    QGroupBox* colourBox_ = nullptr;
    QGroupBox* sizeBox_ = nullptr;
    QGroupBox* addressBox_ = nullptr;
    QRadioButton* white_ = nullptr;
    QRadioButton* black_ = nullptr;
    QRadioButton* size8_ = nullptr;
    QRadioButton* size10_ = nullptr;
    QLineEdit* address_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    SideNames names_;
};

}  // namespace reversi
