// The busy panel: its frame, picture, blinking caption and animation timer.
#include "BusyPanel.h"

#include <utility>

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

BusyPanel::~BusyPanel() {
    if (running_) Stop();
}

namespace {
QPoint CentreOf(const QWidget* window) {
    return window == nullptr ? QPoint() : QPoint(window->width() / 2, window->height() / 2);
}
}  // namespace

void BusyPanel::Start(QPoint topLeft) {
    if (running_) Stop();
    CoverShownPanel();
    frame_ = 0;
    running_ = true;
    offsetFromCentre_ = topLeft - CentreOf(parentWidget());
    ShowAtPlace();
}

void BusyPanel::Stop() {
    running_ = false;
    timer_.stop();
    hide();
    const QPointer<BusyPanel> covered = std::exchange(covered_, nullptr);
    if (covered && covered->running_) covered->ShowAtPlace();
}

void BusyPanel::CoverShownPanel() {
    if (parentWidget() == nullptr) return;
    const auto panels = parentWidget()->findChildren<BusyPanel*>(Qt::FindDirectChildrenOnly);
    for (BusyPanel* other : panels) {
        if (other == this || !other->running_ || other->isHidden()) continue;
        // It keeps running (its work goes on) but no longer draws.
        other->timer_.stop();
        other->hide();
        covered_ = other;
    }
}

void BusyPanel::ShowAtPlace() {
    move(CentreOf(parentWidget()) + offsetFromCentre_);
    show();
    raise();
    repaint();
    timer_.start();
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
