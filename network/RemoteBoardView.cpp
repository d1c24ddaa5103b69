// Painting the peer's board, and the small window with the peer's system.
#include "RemoteBoardView.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QLabel>
#include <QPainter>

namespace reversi {

TRemoteField::TRemoteField(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("R_BRD"));
    setFixedSize(128, 128);
    setCursor(Qt::PointingHandCursor);
}

void TRemoteField::SetBoard(const QByteArray& boardText, int fieldSize) {
    board_ = boardText;
    n_ = fieldSize == 10 ? 10 : 8;
    update();
}

void TRemoteField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width() / n_, h = height() / n_;
    for (int x = 0; x < n_; ++x) {
        for (int y = 0; y < n_; ++y) {
            const qsizetype i = qsizetype(x) * n_ + y;
            if (i >= board_.size()) return;
            const char c = board_[i];
            if (c == '+') continue;
            const QColor colour = c == 'b'   ? QColor(0, 0, 0)
                                  : c == 'w' ? QColor(255, 255, 255)
                                             : QColor(127, 127, 127);
            painter.fillRect(x * w, y * h, w - 1, h - 1, colour);
        }
    }
}

void TRemoteField::mousePressEvent(QMouseEvent*) { accept(); }

TIPConfForm::TIPConfForm(const QString& hostName, const QString& address, QWidget* parent)
    : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Remote system"));
    setFixedSize(213, 48);
    label1_ = new QLabel(this);
    label1_->setTextFormat(Qt::PlainText);
    label1_->setGeometry(8, 8, 200, 16);
    label1_->setText(hostName);
    label2_ = new QLabel(this);
    label2_->setTextFormat(Qt::PlainText);
    label2_->setGeometry(8, 24, 200, 16);
    label2_->setText(address);
    if (QHostAddress(address).isNull()) {
        lookedUp_ = true;
        return;
    }
    address_ = address;
    // Answered on the main thread; a window closed before the answer gets
    // none. (A slot by name: Qt 6.4 leaks the functor of a look-up whose
    // receiver goes before the answer.)
    QHostInfo::lookupHost(address, this, SLOT(TakeLookUp(QHostInfo)));
}

void TIPConfForm::TakeLookUp(const QHostInfo& info) {
    lookedUp_ = true;
    // A look-up that finds no name answers with the address itself.
    const QString name = info.hostName();
    if (info.error() == QHostInfo::NoError && !name.isEmpty() && name != address_)
        label1_->setText(name);
}

QString TIPConfForm::HostText() const { return label1_->text(); }
QString TIPConfForm::AddressText() const { return label2_->text(); }

}  // namespace reversi
