#include "MenuIcons.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "ButtonIcons.h"
#include "Cursor.h"
#include "PictureSets.h"

namespace reversi {

namespace {

constexpr int ItemSize = 16;
constexpr int StyleSize = 32;
// The picture cells of the sheets: 61 pixels on the large field.
constexpr int SheetCell = 61;

QColor Colour(graphics::Pixel p) {
    return QColor(graphics::RedOf(p), graphics::GreenOf(p), graphics::BlueOf(p));
}

// Draws one item icon in a 16 x 16 box with the given ink.
void DrawItem(QPainter& p, MenuIcon kind, const QColor& ink, const QColor& fill) {
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    switch (kind) {
        case MenuIcon::NewGame:  // the four discs of the start
            p.drawEllipse(QRectF(1.5, 1.5, 6, 6));
            p.drawEllipse(QRectF(8.5, 8.5, 6, 6));
            p.setBrush(ink);
            p.drawEllipse(QRectF(8.5, 1.5, 6, 6));
            p.drawEllipse(QRectF(1.5, 8.5, 6, 6));
            break;
        case MenuIcon::Hint:  // a light bulb
            p.drawEllipse(QRectF(3.5, 1, 9, 9));
            p.drawRect(QRectF(5.5, 10.5, 5, 3));
            p.drawLine(QPointF(6, 15), QPointF(10, 15));
            break;
        case MenuIcon::Settings: {  // a cog
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(4, 4, 8, 8));
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(8, 8);
                p.rotate(45.0 * i);
                p.drawLine(QPointF(0, -4), QPointF(0, -7));
                p.restore();
            }
            p.drawEllipse(QRectF(6.5, 6.5, 3, 3));
            break;
        }
        case MenuIcon::Exit:  // a door with an arrow leaving it
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(1.5, 1.5, 7, 13));
            p.drawLine(QPointF(6, 8), QPointF(15, 8));
            p.drawLine(QPointF(12, 5), QPointF(15, 8));
            p.drawLine(QPointF(12, 11), QPointF(15, 8));
            break;
        case MenuIcon::Animation:  // a film strip
            p.drawRect(QRectF(2.5, 1.5, 11, 13));
            p.setBrush(Qt::white);
            for (int y = 3; y < 14; y += 4) {
                p.drawRect(QRectF(3.5, y, 1.5, 2));
                p.drawRect(QRectF(11, y, 1.5, 2));
            }
            break;
        case MenuIcon::Sound:
        case MenuIcon::Volume: {  // a loudspeaker
            QPainterPath speaker;
            speaker.moveTo(1.5, 5.5);
            speaker.lineTo(4.5, 5.5);
            speaker.lineTo(8.5, 2);
            speaker.lineTo(8.5, 14);
            speaker.lineTo(4.5, 10.5);
            speaker.lineTo(1.5, 10.5);
            speaker.closeSubpath();
            p.drawPath(speaker);
            p.setBrush(Qt::NoBrush);
            if (kind == MenuIcon::Sound) {
                p.drawArc(QRectF(7, 4, 6, 8), -60 * 16, 120 * 16);
                p.drawArc(QRectF(7, 1.5, 8.5, 13), -60 * 16, 120 * 16);
            } else {
                p.drawLine(QPointF(11, 13), QPointF(15, 13));
                p.drawLine(QPointF(15, 13), QPointF(15, 5));
                p.drawLine(QPointF(15, 5), QPointF(11, 13));
            }
            break;
        }
        case MenuIcon::Music:  // two eighth notes
            p.setBrush(ink);
            p.drawEllipse(QRectF(1.5, 10.5, 4, 3.5));
            p.drawEllipse(QRectF(9.5, 9, 4, 3.5));
            p.drawLine(QPointF(5.5, 12), QPointF(5.5, 3));
            p.drawLine(QPointF(13.5, 10.5), QPointF(13.5, 1.5));
            p.drawLine(QPointF(5.5, 3), QPointF(13.5, 1.5));
            break;
        case MenuIcon::MusicFolder:  // a folder with a note
            p.drawRect(QRectF(1.5, 4.5, 13, 9.5));
            p.drawRect(QRectF(1.5, 2.5, 5, 2));
            p.setBrush(ink);
            p.drawEllipse(QRectF(6, 10, 3, 2.5));
            p.drawLine(QPointF(9, 11), QPointF(9, 6));
            p.drawLine(QPointF(9, 6), QPointF(11.5, 7));
            break;
        case MenuIcon::Call:  // two linked computers
        case MenuIcon::Listen:
        case MenuIcon::Disconnect:
            p.drawRect(QRectF(1, 2, 5.5, 4.5));
            p.drawRect(QRectF(9.5, 9.5, 5.5, 4.5));
            p.setBrush(Qt::NoBrush);
            if (kind == MenuIcon::Disconnect) {
                p.drawLine(QPointF(4, 7), QPointF(4, 9));
                p.drawLine(QPointF(12, 9), QPointF(12, 7));
                p.setPen(QPen(QColor(190, 30, 30), 1.6));
                p.drawLine(QPointF(6, 6), QPointF(10, 10));
                p.drawLine(QPointF(10, 6), QPointF(6, 10));
            } else {
                p.drawLine(QPointF(4, 7), QPointF(4, 12));
                p.drawLine(QPointF(4, 12), QPointF(9, 12));
                if (kind == MenuIcon::Listen) {
                    p.drawArc(QRectF(9, 0, 6, 6), 0, 90 * 16);
                    p.drawArc(QRectF(7, -2, 10, 10), 0, 90 * 16);
                }
            }
            break;
        case MenuIcon::Message: {  // a speech bubble
            QPainterPath bubble;
            bubble.addRoundedRect(QRectF(1.5, 2.5, 13, 8.5), 2, 2);
            bubble.moveTo(4, 11);
            bubble.lineTo(3.5, 14.5);
            bubble.lineTo(8, 11);
            p.drawPath(bubble.simplified());
            p.drawLine(QPointF(4, 5.5), QPointF(12, 5.5));
            p.drawLine(QPointF(4, 8), QPointF(10, 8));
            break;
        }
        case MenuIcon::ShowIP:  // a globe
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(5, 1.5, 6, 13));
            p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
            break;
        case MenuIcon::Undo:  // the undo and redo buttons' arrows
            p.drawPath(ButtonShape(ButtonIcon::Undo));
            break;
        case MenuIcon::Redo:
            p.drawPath(ButtonShape(ButtonIcon::Redo));
            break;
        case MenuIcon::ShowMoves:  // a list
            p.drawRect(QRectF(2.5, 1.5, 11, 13));
            for (int y = 4; y < 14; y += 3)
                p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
            break;
        case MenuIcon::Save:  // a floppy disk
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.drawRect(QRectF(3.5, 9.5, 9, 5));
            break;
        case MenuIcon::Open:  // an open folder
            p.drawRect(QRectF(1.5, 3.5, 5, 2));
            p.drawRect(QRectF(1.5, 5.5, 11, 8.5));
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF(
                {QPointF(3.5, 8.5), QPointF(15, 8.5), QPointF(12.5, 14), QPointF(1.5, 14)}));
            break;
        case MenuIcon::Rules:  // a book
            p.drawRect(QRectF(1.5, 2.5, 6.5, 11));
            p.drawRect(QRectF(8, 2.5, 6.5, 11));
            break;
        case MenuIcon::DayTip:  // a sun
            p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(8, 8);
                p.rotate(45.0 * i);
                p.drawLine(QPointF(0, -5.5), QPointF(0, -7.5));
                p.restore();
            }
            break;
        case MenuIcon::Statistics:  // a bar chart
            p.drawRect(QRectF(2.5, 8.5, 3, 6));
            p.drawRect(QRectF(6.5, 3.5, 3, 11));
            p.drawRect(QRectF(10.5, 6.5, 3, 8));
            break;
        case MenuIcon::About:  // an "i" in a circle
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::white);
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(7, 7, 2, 5));
            p.drawEllipse(QRectF(7, 3.5, 2, 2));
            break;
    }
}

QPixmap PaintItem(MenuIcon kind, const QColor& ink, const QColor& fill) {
    QPixmap pixmap(ItemSize, ItemSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawItem(painter, kind, ink, fill);
    return pixmap;
}

// A 32 x 32 icon from a part of a picture file, scaled smoothly; a plain
// tile when the file cannot be read.
QIcon CutIcon(const QString& file, const QRect& part) {
    const QImage picture(file);
    QPixmap pixmap(StyleSize, StyleSize);
    if (picture.isNull()) {
        pixmap.fill(QColor(85, 74, 67));
    } else {
        pixmap = QPixmap::fromImage(picture.copy(part).scaled(
            StyleSize, StyleSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon PaintMenuIcon(MenuIcon kind) {
    QIcon icon;
    icon.addPixmap(PaintItem(kind, QColor(58, 25, 0), QColor(214, 170, 60)), QIcon::Normal);
    icon.addPixmap(PaintItem(kind, QColor(140, 140, 140), QColor(200, 200, 200)), QIcon::Disabled);
    return icon;
}

namespace {

// The picture with a check mark drawn over it: a light outline under the
// mark keeps it clear on any icon and any highlight.
QPixmap Marked(const QPixmap& picture, bool disabled) {
    QPixmap marked = picture;
    QPainter p(&marked);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(picture.width() / double(ItemSize), picture.height() / double(ItemSize));
    // The mark sits in the lower left corner, so most of the icon stays seen.
    const QPointF tick[] = {{1.8, 10.2}, {4.6, 13.6}, {10.6, 6.4}};
    p.setPen(QPen(QColor(255, 255, 255, 235), 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(tick, 3);
    const QColor ink = disabled ? QColor(120, 120, 120) : QColor(CheckMarkInk);
    p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(tick, 3);
    return marked;
}

}  // namespace

QIcon WithCheckMark(const QIcon& icon) {
    QIcon checkable;
    const QSize size(ItemSize, ItemSize);
    for (const QIcon::Mode mode :
         {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
        const QPixmap off = icon.pixmap(size, mode, QIcon::Off);
        if (off.isNull()) continue;
        checkable.addPixmap(off, mode, QIcon::Off);
        checkable.addPixmap(Marked(off, mode == QIcon::Disabled), mode, QIcon::On);
    }
    return checkable;
}

QIcon FigureStyleIcon(const QString& dataFolder) {
    // The first cell of the sheet: a disc at rest.
    return CutIcon(QDir(dataFolder).filePath(QStringLiteral("Figs1.jpg")),
                   QRect(0, 0, SheetCell, SheetCell));
}

QIcon HelpStyleIcon(const QString& dataFolder) {
    // A frame of the mark's pulse at its brightest (the first frames fade in
    // from nothing).
    constexpr int brightest = 10;
    return CutIcon(QDir(dataFolder).filePath(QStringLiteral("Help1.jpg")),
                   QRect(brightest * SheetCell, 0, SheetCell, SheetCell));
}

QIcon BorderStyleIcon(const QString& dataFolder, int style) {
    // The left end of the horizontal strip: its corner ornament.
    const QString file = style == 1 ? QStringLiteral("Lineh2.jpg") : QStringLiteral("Lineh1.jpg");
    return CutIcon(QDir(dataFolder).filePath(file),
                   QRect(0, 0, graphics::LineHHeight, graphics::LineHHeight));
}

QIcon CursorStyleIcon(int style) {
    // The cursor in its own colours on a dark square: the classic one as two
    // nested frames, the flaming one as one frame with flames burning inward.
    graphics::Cursor cursor([] { return 0; });
    cursor.SetCursorStyle(style == 1 ? 1 : 0);
    QImage image(StyleSize, StyleSize, QImage::Format_RGB32);
    image.fill(QColor(40, 34, 30));
    QPainter p(&image);
    if (style == 1) {
        const auto& ramp = cursor.FlameRamp1();
        for (int depth = 0; depth < 10; ++depth) {
            const int heat = 255 - depth * 25;
            p.setPen(Colour(ramp[static_cast<std::size_t>(heat)]));
            p.drawRect(depth + 1, depth + 1, StyleSize - 3 - 2 * depth, StyleSize - 3 - 2 * depth);
        }
        p.setPen(Colour(cursor.GetCursorColour()));
        p.drawRect(0, 0, StyleSize - 1, StyleSize - 1);
    } else {
        p.setPen(Colour(cursor.GetCursorColour()));
        p.drawRect(1, 1, StyleSize - 3, StyleSize - 3);
        p.setPen(Colour(cursor.CursorColour2()));
        p.drawRect(3, 3, StyleSize - 7, StyleSize - 7);
    }
    p.end();
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace reversi
