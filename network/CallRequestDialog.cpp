// The incoming-call request dialog and its countdown.
#include "CallRequestDialog.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "NetMessage.h"

namespace reversi {

namespace {
QString Quoted(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

QLabel* PlainLabel(QWidget* parent, int x, int y) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    return label;
}
}  // namespace

TCallReq::TCallReq(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(313, 160);
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 297, 113);
    label1_ = PlainLabel(this, 16, 16);
    reqLabel_ = PlainLabel(this, 154, 16);
    label3_ = PlainLabel(this, 16, 32);
    reqColour_ = PlainLabel(this, 154, 32);
    label4_ = PlainLabel(this, 16, 48);
    reqSize_ = PlainLabel(this, 154, 48);
    label2_ = PlainLabel(this, 16, 72);
    progress_ = new QProgressBar(this);
    progress_->setGeometry(20, 99, 273, 13);
    progress_->setRange(0, TicksToRefuse);
    progress_->setTextVisible(false);
    okBtn_ = new QPushButton(this);
    okBtn_->setGeometry(59, 127, 90, 25);
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(this);
    cancelBtn_->setGeometry(163, 127, 90, 25);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);

    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &TCallReq::Tick);
}

void TCallReq::SetRequest(const QString& callerName, const QString& colourText,
                          const QString& sizeText) {
    callerName_ = callerName;
    colourText_ = colourText;
    sizeText_ = sizeText;
}

void TCallReq::SetRequest(const QString& callerName, bool localBlack, bool field10,
                          const SideNames& names) {
    SetRequest(callerName, localBlack ? names.black : names.white,
               field10 ? QStringLiteral("10 x 10") : QStringLiteral("8 x 8"));
}

void TCallReq::SetTickInterval(int ms) { timer_->setInterval(ms); }

int TCallReq::Position() const { return progress_->value(); }
QString TCallReq::CallerText() const { return reqLabel_->text(); }
QString TCallReq::ColourText() const { return reqColour_->text(); }
QString TCallReq::SizeText() const { return reqSize_->text(); }

void TCallReq::showEvent(QShowEvent* e) {
    setWindowTitle(QStringLiteral("Call"));
    label1_->setText(QStringLiteral("Call from:"));
    label2_->setText(QStringLiteral("Do you want accept this call?"));
    label3_->setText(QStringLiteral("Yours figures is:"));
    label4_->setText(QStringLiteral("Field size is:"));
    okBtn_->setText(QStringLiteral("Yes"));
    cancelBtn_->setText(QStringLiteral("No=30"));
    // The caller chose the name: a line break in it must not spill over the
    // line below.
    reqLabel_->setText(Quoted(OneLineText(callerName_)));
    reqColour_->setText(Quoted(colourText_));
    reqSize_->setText(Quoted(sizeText_));
    // Each label as wide as its text.
    for (QLabel* l : {label1_, label2_, label3_, label4_, reqLabel_, reqColour_, reqSize_})
        l->adjustSize();
    progress_->setValue(0);
    // The window is reused: a "No" clicked at an earlier showing keeps the
    // focus and would answer the next Enter. Each showing starts on "Yes".
    okBtn_->setDefault(true);
    okBtn_->setFocus(Qt::OtherFocusReason);
    processing_ = true;
    // Every showing counts its 30 seconds afresh.
    timer_->start();
    QDialog::showEvent(e);
}

void TCallReq::Tick() {
    if (!processing_) return;
    progress_->setValue(progress_->value() + 1);
    const int s = progress_->value() / 10;
    cancelBtn_->setText(QStringLiteral("No=") + QString::number(30 - s));
    if (s > 29) reject();
}

void TCallReq::CloseForHangUp() {
    if (processing_) reject();
}

void TCallReq::done(int result) {
    processing_ = false;
    timer_->stop();
    QDialog::done(result);
}

}  // namespace reversi
