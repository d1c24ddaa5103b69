#include "BoardView.h"

#include <QPaintEvent>
#include <QPainter>

#include "BoardGeometry.h"
#include "BufferImage.h"

namespace reversi::platform {

using graphics::BoardOffset;

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted: no background erase before a paint (no flicker).
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Black inside the frames until the first buffer arrives.
    Resize(graphics::BackBufferSizeFor(8), graphics::BackBufferSizeFor(8));
}

QSize BoardView::sizeHint() const { return size(); }

void BoardView::Resize(int width, int height) {
    if (screen_.width() == width && screen_.height() == height) return;
    screen_ = QImage(width, height, QImage::Format_RGB32);
    screen_.fill(Qt::black);
    setFixedSize(width + 2 * BoardOffset, height + 2 * BoardOffset);
    update();
}

void BoardView::PresentBuffer(const graphics::TMemBlock& back) {
    Resize(back.Width(), back.Height());
    graphics::CopyToImage(back, {0, 0, back.Width(), back.Height()}, screen_);
    update();
}

void BoardView::PresentRect(const graphics::TMemBlock& back, graphics::ScreenRect rect) {
    Resize(back.Width(), back.Height());
    graphics::CopyToImage(back, rect, screen_);
    update(QRect(rect.left + BoardOffset, rect.top + BoardOffset, rect.width, rect.height));
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect board(BoardOffset, BoardOffset, screen_.width(), screen_.height());
    const QRect dirty = event->rect() & board;
    if (!dirty.isEmpty())
        painter.drawImage(dirty, screen_, dirty.translated(-BoardOffset, -BoardOffset));
    DrawFrames(painter);
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

// Two frames, each drawn as four strokes that meet without overlap: shadow on
// the left and top, light on the bottom and right.
void BoardView::DrawFrames(QPainter& painter) const {
    const int W = width(), H = height();
    const QPalette& pal = palette();
    auto stroke = [&](QColor colour, int x1, int y1, int x2, int y2) {
        painter.setPen(QPen(colour, 1));
        painter.drawLine(x1, y1, x2, y2);
    };
    // Outer frame.
    stroke(pal.color(QPalette::Dark), 0, 0, 0, H - 2);
    stroke(pal.color(QPalette::Light), 0, H - 1, W - 2, H - 1);
    stroke(pal.color(QPalette::Light), W - 1, H - 1, W - 1, 1);
    stroke(pal.color(QPalette::Dark), W - 1, 0, 1, 0);
    // Inner frame.
    stroke(pal.color(QPalette::Shadow), 1, 1, 1, H - 3);
    stroke(pal.color(QPalette::Midlight), 1, H - 2, W - 3, H - 2);
    stroke(pal.color(QPalette::Midlight), W - 2, H - 2, W - 2, 2);
    stroke(pal.color(QPalette::Shadow), W - 2, 1, 2, 1);
}

}  // namespace reversi::platform
