// The about box: starts the intro when created, renders on a 2 ms timer when
// the animation has stepped, paints the frame 1:1 inside a sunken border, and
// stops and joins the animation when it goes away.
#include "AboutUnit.h"

#include <random>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "AsyncTimer.h"
#include "FramePlacement.h"
#include "IntroRenderer.h"
#include "IntroResources.h"
#include "IntroThread.h"
#include "MessageBoxes.h"
#include "PackedResource.h"

namespace reversi::intro {

void ShowAboutBox(QWidget* owner) {
    TAboutBox box(owner);
    if (!box.StartError().isEmpty()) ShowErrorMessage(box.StartError(), owner);
    if (owner != nullptr) PlaceCentredOver(box, *owner);
    box.exec();
}

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("About..."));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(FrameWidth + 2, FrameHeight + 2);
    setCursor(Qt::PointingHandCursor);
    // The frame covers the client area: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_ = new graphics::TAsyncTimer(this);
    timer_->SetInterval(2);
    timer_->SetThreadPriority(QThread::HighPriority);
    timer_->SetOnTimer([this](graphics::TAsyncTimer&) {
        if (isVisible() && RenderIntroFrame(false)) update(1, 1, FrameWidth, FrameHeight);
    });
    StartIntro();
    timer_->SetEnabled(true);
}

TAboutBox::~TAboutBox() {
    // No tick may render once the intro is gone.
    timer_->SetEnabled(false);
    StopIntro();
}

void TAboutBox::done(int result) {
    timer_->SetEnabled(false);
    StopIntro();
    QDialog::done(result);
}

void TAboutBox::StartIntro() {
    try {
        assets_ = std::make_unique<IntroAssets>(LoadIntroAssets());
    } catch (const graphics::ResourceError& e) {
        startError_ = QString::fromStdString(e.what());
        return;
    }
    renderer_ = std::make_unique<IntroRenderer>(*assets_);
    thread_ = std::make_unique<IntroThread>(assets_->ScrollPeriod(), std::random_device{}());
    // A frame exists before the first paint.
    RenderIntroFrame(true);
}

void TAboutBox::StopIntro() {
    thread_.reset();  // stops and joins
    renderer_.reset();
    assets_.reset();
}

bool TAboutBox::RenderIntroFrame(bool force) {
    if (!renderer_ || !thread_) return false;
    const bool changed = renderer_->Render(thread_->Snapshot());
    if (!changed && !force && !image_.isNull()) return false;
    // Rows are stored bottom-up; the screen wants them top-down, pad byte 0xFF.
    if (image_.isNull()) image_ = QImage(FrameWidth, FrameHeight, QImage::Format_RGB32);
    const auto frame = renderer_->Frame();
    for (int row = 0; row < FrameHeight; ++row) {
        auto* line = reinterpret_cast<std::uint32_t*>(image_.scanLine(FrameHeight - 1 - row));
        const std::uint32_t* source = frame.data() + static_cast<std::size_t>(row * FrameWidth);
        for (int column = 0; column < FrameWidth; ++column)
            line[column] = source[column] | 0xFF000000u;
    }
    return true;
}

void TAboutBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    p.setPen(shadow);
    p.drawLine(0, 0, 0, h - 2);  // left
    p.drawLine(1, 0, w - 2, 0);  // top
    p.setPen(light);
    p.drawLine(0, h - 1, w - 1, h - 1);  // bottom
    p.drawLine(w - 1, 0, w - 1, h - 2);  // right
    if (image_.isNull()) {
        p.fillRect(1, 1, FrameWidth, FrameHeight, palette().color(QPalette::Window));
    } else {
        p.drawImage(1, 1, image_);
    }
}

void TAboutBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    close();
}

void TAboutBox::keyPressEvent(QKeyEvent* event) { QWidget::keyPressEvent(event); }

}  // namespace reversi::intro
