// The call dialog's layout and captions.
#include "CallDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>


namespace reversi {

TCallDlg::TCallDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    conditions_ = new QGroupBox(this);
    colourBox_ = new QGroupBox(conditions_);
    sizeBox_ = new QGroupBox(conditions_);
    white_ = new QRadioButton(colourBox_);
    black_ = new QRadioButton(colourBox_);
    size8_ = new QRadioButton(QStringLiteral("&8 x 8"), sizeBox_);
    size10_ = new QRadioButton(QStringLiteral("&10 x 10"), sizeBox_);
    addressBox_ = new QGroupBox(this);
    address_ = new QLineEdit(addressBox_);
    okBtn_ = new QPushButton(this);
    cancelBtn_ = new QPushButton(this);

    auto* colours = new QVBoxLayout(colourBox_);
    colours->addWidget(white_);
    colours->addWidget(black_);
    auto* sizes = new QVBoxLayout(sizeBox_);
    sizes->addWidget(size8_);
    sizes->addWidget(size10_);
    auto* choices = new QHBoxLayout(conditions_);
    choices->addWidget(colourBox_);
    choices->addWidget(sizeBox_);
    auto* addressLayout = new QVBoxLayout(addressBox_);
    addressLayout->addWidget(address_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    buttons->addStretch();
    auto* all = new QVBoxLayout(this);
    all->addWidget(conditions_);
    all->addWidget(addressBox_);
    all->addLayout(buttons);
    // Tight enough for the dialog's 300 x 232 with the platform's font.
    all->setContentsMargins(8, 6, 8, 8);
    all->setSpacing(4);
    for (QLayout* inner : {static_cast<QLayout*>(colours), static_cast<QLayout*>(sizes),
                           static_cast<QLayout*>(choices), static_cast<QLayout*>(addressLayout)}) {
        inner->setContentsMargins(8, 4, 8, 6);
        inner->setSpacing(2);
    }

    // Every typed letter becomes upper case, as computer names are shown.
    connect(address_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = address_->cursorPosition();
        address_->setText(text.toUpper());
        address_->setCursorPosition(cursor);
    });
    okBtn_->setDefault(true);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);

    white_->setChecked(true);
    size10_->setChecked(true);
    // A bordered dialog of one size: no resizing, no maximising.
    setFixedSize(300, 232);
}

void TCallDlg::SetChoices(bool asWhite, bool size8) {
    white_->setChecked(asWhite);
    black_->setChecked(!asWhite);
    size8_->setChecked(size8);
    size10_->setChecked(!size8);
}

bool TCallDlg::CallAsWhite() const { return white_->isChecked(); }
bool TCallDlg::CallSize8() const { return !size10_->isChecked(); }
void TCallDlg::SetAddress(const QString& address) { address_->setText(address); }
QString TCallDlg::Address() const { return address_->text(); }

void TCallDlg::showEvent(QShowEvent* e) {
    setWindowTitle(QStringLiteral("Call opponent"));
    conditions_->setTitle(QStringLiteral("Conditions"));
    colourBox_->setTitle(QStringLiteral("You play"));
    sizeBox_->setTitle(QStringLiteral("Field size"));
    addressBox_->setTitle(QStringLiteral("Computer name or IP address"));
    white_->setText(QStringLiteral("&") + names_.white);
    black_->setText(QStringLiteral("&") + names_.black);
    okBtn_->setText(QStringLiteral("Call"));
    cancelBtn_->setText(QStringLiteral("Cancel"));
    address_->setFocus();
    QDialog::showEvent(e);
}

}  // namespace reversi
