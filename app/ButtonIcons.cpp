#include "ButtonIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace reversi {

namespace {

constexpr int IconSize = 16;

QPixmap Paint(ButtonIcon kind, const QColor& fill, const QColor& outline) {
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, 1.0));
    painter.setBrush(fill);
    painter.drawPath(ButtonShape(kind));
    return pixmap;
}

}  // namespace

// Undo and redo: a curved arrow; the continue buttons: a play triangle, the
// second one with a bar at its tip (play on to the end).
QPainterPath ButtonShape(ButtonIcon kind) {
    QPainterPath path;
    switch (kind) {
        case ButtonIcon::Undo:
            path.moveTo(2, 6);
            path.lineTo(7, 1.5);
            path.lineTo(7, 4.5);
            path.cubicTo(12, 4.5, 15, 7, 14, 14);
            path.cubicTo(12, 9.5, 10, 8, 7, 8);
            path.lineTo(7, 10.5);
            path.closeSubpath();
            break;
        case ButtonIcon::Redo:
            path.moveTo(14, 6);
            path.lineTo(9, 1.5);
            path.lineTo(9, 4.5);
            path.cubicTo(4, 4.5, 1, 7, 2, 14);
            path.cubicTo(4, 9.5, 6, 8, 9, 8);
            path.lineTo(9, 10.5);
            path.closeSubpath();
            break;
        case ButtonIcon::FromThis:
            path.moveTo(4, 2);
            path.lineTo(13, 8);
            path.lineTo(4, 14);
            path.closeSubpath();
            break;
        case ButtonIcon::FromEnd:
            path.moveTo(2, 2);
            path.lineTo(10, 8);
            path.lineTo(2, 14);
            path.closeSubpath();
            path.addRect(11, 2, 3, 12);
            break;
    }
    return path;
}

QIcon PaintButtonIcon(ButtonIcon kind) {
    QIcon icon;
    icon.addPixmap(Paint(kind, QColor(40, 120, 40), QColor(10, 50, 10)), QIcon::Normal);
    icon.addPixmap(Paint(kind, QColor(190, 190, 190), QColor(140, 140, 140)), QIcon::Disabled);
    return icon;
}

QIcon PaintProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 16.0;
        painter.setPen(QPen(QColor(20, 50, 20), unit * 0.6));
        painter.setBrush(QColor(50, 140, 60));
        painter.drawEllipse(QRectF(5 * unit, 5 * unit, 10.5 * unit, 10.5 * unit));
        painter.setPen(QPen(QColor(90, 70, 10), unit * 0.6));
        painter.setBrush(QColor(235, 195, 60));
        painter.drawEllipse(QRectF(0.5 * unit, 0.5 * unit, 10.5 * unit, 10.5 * unit));
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace reversi
