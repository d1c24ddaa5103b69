// Listing the computer's addresses and the window that shows them.
#include "OwnAddressDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QNetworkInterface>
#include <QPlainTextEdit>
#include <QPushButton>

namespace reversi {

QStringList ListLocalAddresses() {
    QStringList lines;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback()) {
                lines << ip.toString();
            }
        }
    }
    return lines;
}

TShowIPDlg::TShowIPDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(300, 136);
    setWindowTitle(QStringLiteral("Assigned IP address for this computer is ..."));
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 284, 84);
    memo_ = new QPlainTextEdit(this);
    memo_->setReadOnly(true);
    memo_->setGeometry(16, 16, 268, 68);
    copyBtn_ = new QPushButton(QStringLiteral("Copy and close"), this);
    copyBtn_->setGeometry(40, 102, 105, 25);
    copyBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelBtn_->setGeometry(155, 102, 105, 25);
    connect(copyBtn_, &QPushButton::clicked, this, &TShowIPDlg::CopyAndClose);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
}

void TShowIPDlg::SetAddresses(const QStringList& lines) {
    memo_->setPlainText(lines.join(QLatin1Char('\n')));
    filled_ = true;
}

QStringList TShowIPDlg::Addresses() const {
    const QString text = memo_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TShowIPDlg::showEvent(QShowEvent* e) {
    if (!filled_) SetAddresses(ListLocalAddresses());
    QDialog::showEvent(e);
}

void TShowIPDlg::CopyAndClose() {
    memo_->selectAll();
    QApplication::clipboard()->setText(memo_->toPlainText());
    accept();
}

}  // namespace reversi
