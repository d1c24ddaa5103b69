// The chat window's log, history and layout.
#include "ChatDialog.h"

#include <algorithm>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace reversi {

TSendDlg::TSendDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumSize(240, 220);
    logBox_ = new QGroupBox(this);
    log_ = new QPlainTextEdit(this);
    log_->setReadOnly(true);
    log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sendBox_ = new QGroupBox(this);
    edit_ = new QComboBox(sendBox_);
    edit_->setEditable(true);
    // Sending puts the text into the history itself, newest first.
    edit_->setInsertPolicy(QComboBox::NoInsert);
    edit_->setDuplicatesEnabled(true);
    edit_->setEditText(QStringLiteral("Hi!"));
    okBtn_ = new QPushButton(this);
    cancelBtn_ = new QPushButton(this);
    okBtn_->setDefault(true);
    okBtn_->resize(75, 25);
    cancelBtn_->resize(75, 25);
    sendBox_->resize(342, 52);
    edit_->move(10, 20);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    resize(352, 314);
}

QString TSendDlg::EditText() const { return edit_->currentText(); }
void TSendDlg::SetEditText(const QString& text) { edit_->setEditText(text); }

QStringList TSendDlg::LogLines() const {
    const QString text = log_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QStringList TSendDlg::History() const {
    QStringList items;
    for (int i = 0; i < edit_->count(); ++i) items << edit_->itemText(i);
    return items;
}

void TSendDlg::AddReceived(const QString& text) { AddLine(QStringLiteral(">>") + text); }

QString TSendDlg::CommitSent() {
    const QString text = edit_->currentText();
    edit_->insertItem(0, text);
    edit_->setEditText(text);
    AddLine(QStringLiteral("<<") + text);
    return text;
}

void TSendDlg::AddLine(const QString& line) {
    // appendPlainText never reads markup: the peer's text shows as typed.
    log_->appendPlainText(line);
    ScrollDown();
}

void TSendDlg::ScrollDown() {
    QScrollBar* bar = log_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TSendDlg::showEvent(QShowEvent* e) {
    setWindowTitle(QStringLiteral("Send message"));
    okBtn_->setText(QStringLiteral("Send"));
    cancelBtn_->setText(QStringLiteral("Cancel"));
    logBox_->setTitle(QStringLiteral("Messages history"));
    sendBox_->setTitle(QStringLiteral("Send"));
    edit_->setFocus();
    QDialog::showEvent(e);
    ScrollDown();
}

void TSendDlg::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    const int w = width(), h = height();
    const int ow = okBtn_->width(), cw = cancelBtn_->width(), bh = okBtn_->height();
    okBtn_->move((w - ow - cw - 10) / 2, h - bh - 10);
    cancelBtn_->move((w - cw + ow + 10) / 2, h - cancelBtn_->height() - 10);
    const int logHeight = std::max(40, h - sendBox_->height() - bh - 30);
    logBox_->setGeometry(5, 5, w - 10, logHeight);
    sendBox_->setGeometry(5, logHeight + 10, w - 10, sendBox_->height());
    edit_->setGeometry(10, edit_->y(), sendBox_->width() - 20, edit_->height());
    log_->setGeometry(logBox_->x() + 8, logBox_->y() + 20, logBox_->width() - 16, logHeight - 28);
}

}  // namespace reversi
