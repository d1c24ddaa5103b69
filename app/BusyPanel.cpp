// The busy panel: its frame, picture, blinking caption and animation timer.
#include "BusyPanel.h"

#include <QApplication>
#include <QPainter>

// The pictures live in a resource file of a static library; make sure they are
// registered before the first panel needs them (outside any namespace, as Qt asks).
static void InitBusyResources() { Q_INIT_RESOURCE(busy); }

namespace reversi {

namespace {

constexpr int kLastFrame = 240;
const QPoint kPictureAt(12, 12);
const QRect kCaptionBox(50, 20, 120, 20);

}  // namespace

BusyPanel::BusyPanel(BusyKind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    InitBusyResources();
    picture_.load(kind == BusyKind::Connecting ? QStringLiteral(":/busy/connect.png")
                                               : QStringLiteral(":/busy/pack.png"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, &BusyPanel::NextFrame);
    hide();
}

QPoint BusyPanel::PlaceIn(QSize clientSize, int statusBarHeight) {
    return QPoint((clientSize.width() - kWidth) / 2,
                  (clientSize.height() - kHeight) / 2 - statusBarHeight / 2);
}

QString BusyPanel::CaptionFor(BusyKind kind) {
    return kind == BusyKind::Connecting ? QStringLiteral("Connecting...")
                                        : QStringLiteral("Loading...");
}

void BusyPanel::Start(QPoint topLeft) {
    frame_ = 0;
    move(topLeft);
    show();
    raise();
    repaint();
    timer_.start();
}

void BusyPanel::Stop() {
    timer_.stop();
    hide();
}

void BusyPanel::NextFrame() {
    frame_ = frame_ >= kLastFrame ? 0 : frame_ + 1;
    // Only the caption changes; repaint just when it appears or goes.
    if (CaptionShownAt(frame_) != CaptionShownAt(frame_ == 0 ? kLastFrame : frame_ - 1))
        update(kCaptionBox);
}

void BusyPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The system's button colours, whatever the window under the panel uses.
    const QPalette pal = QApplication::palette();
    p.fillRect(rect(), pal.color(QPalette::Button));
    // A raised 3D frame: outer ring shadow/dark shadow, inner ring light/shadow.
    const int r = kWidth - 1, b = kHeight - 1;
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(0, 0, 0, b - 1);
    p.drawLine(1, 0, r - 1, 0);
    p.setPen(pal.color(QPalette::Shadow));
    p.drawLine(0, b, r, b);
    p.drawLine(r, 0, r, b - 1);
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(1, 1, 1, b - 2);
    p.drawLine(2, 1, r - 2, 1);
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(1, b - 1, r - 1, b - 1);
    p.drawLine(r - 1, 1, r - 1, b - 2);

    p.drawPixmap(kPictureAt, picture_);
    if (IsCaptionShown()) {
        p.setPen(pal.color(QPalette::ButtonText));
        p.drawText(kCaptionBox, Qt::AlignCenter, CaptionFor(kind_));
    }
}

}  // namespace reversi
