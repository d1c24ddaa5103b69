#include "DialogIcons.h"

#include <array>
#include <climits>
#include <cstdlib>

#include <QAbstractButton>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include "ButtonIcons.h"

namespace reversi {

namespace {

// The 16 colours every strip is drawn in.
enum Ink : int {
    Transparent,
    Black,
    Grey,   // the disabled picture
    White,  // the disabled picture's light edge
    Silver,
    DarkGreen,
    Green,
    LightGreen,
    DarkRed,
    Red,
    Navy,
    Blue,
    DarkBrown,
    Brown,
    Gold,
    DarkGrey,
    InkCount,
};

constexpr std::array<QRgb, InkCount> Palette = {
    qRgba(0, 0, 0, 0),   qRgb(0, 0, 0),      qRgb(128, 128, 128), qRgb(255, 255, 255),
    qRgb(200, 200, 200), qRgb(10, 50, 10),   qRgb(60, 150, 50),   qRgb(110, 200, 90),
    qRgb(110, 10, 10),   qRgb(215, 45, 35),  qRgb(20, 40, 120),   qRgb(70, 120, 215),
    qRgb(80, 50, 20),    qRgb(165, 105, 45), qRgb(235, 195, 60),  qRgb(64, 64, 64),
};

QColor Colour(Ink ink) { return QColor::fromRgba(Palette[ink]); }

QPen Pen(Ink ink, qreal width) {
    return QPen(Colour(ink), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A line drawn wide in a dark ink with a thin light core.
void DrawStroke(QPainter& p, const QPolygonF& line, Ink outline, Ink core) {
    p.setPen(Pen(outline, 3));
    p.drawPolyline(line);
    p.setPen(Pen(core, 1));
    p.drawPolyline(line);
}

void DrawShape(QPainter& p, const QPainterPath& shape, Ink outline, Ink fill) {
    p.setPen(Pen(outline, 1));
    p.setBrush(Colour(fill));
    p.drawPath(shape);
}

void DrawNormal(QPainter& p, DialogGlyph glyph) {
    switch (glyph) {
        case DialogGlyph::Ok:
            DrawStroke(p, QPolygonF({{3, 8}, {6, 11}, {12, 4}}), DarkGreen, LightGreen);
            break;
        case DialogGlyph::Cancel:
            DrawStroke(p, QPolygonF({{4, 4}, {11, 11}}), DarkRed, Red);
            DrawStroke(p, QPolygonF({{11, 4}, {4, 11}}), DarkRed, Red);
            break;
        case DialogGlyph::Close:  // a door in its frame, with a gold knob
            p.setPen(Pen(Black, 1));
            p.setBrush(Colour(Brown));
            p.drawRect(3, 1, 9, 13);
            p.setPen(Pen(DarkBrown, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(5, 3, 5, 4);
            p.drawRect(5, 9, 5, 3);
            p.setPen(Qt::NoPen);
            p.setBrush(Colour(Gold));
            p.drawRect(10, 8, 1, 1);
            break;
        case DialogGlyph::NextTip: {
            QPainterPath arrow;
            arrow.addPolygon(
                QPolygonF({{1, 6}, {8, 6}, {8, 2}, {14, 8}, {8, 14}, {8, 10}, {1, 10}, {1, 6}}));
            DrawShape(p, arrow, Navy, Blue);
            break;
        }
        case DialogGlyph::Clear: {  // a waste bin with its lid
            p.setPen(Pen(Navy, 1));
            p.setBrush(Colour(Blue));
            p.drawRect(6, 1, 3, 1);
            p.drawRect(2, 3, 11, 2);
            QPainterPath body;
            body.addPolygon(QPolygonF({{3, 6}, {12, 6}, {11, 14}, {4, 14}, {3, 6}}));
            p.drawPath(body);
            p.drawLine(6, 8, 6, 12);
            p.drawLine(9, 8, 9, 12);
            break;
        }
        case DialogGlyph::ReturnToHistory:
            DrawShape(p, ButtonShape(ButtonIcon::Undo), DarkGreen, Green);
            break;
        case DialogGlyph::ContinueFromThis:
            DrawShape(p, ButtonShape(ButtonIcon::FromThis), DarkGreen, Green);
            break;
        case DialogGlyph::ContinueFromLast:
            DrawShape(p, ButtonShape(ButtonIcon::FromEnd), DarkGreen, Green);
            break;
    }
}

// The disabled picture: the normal one's dark lines (outlines and details)
// in grey over a white copy one pixel down and right, as if pressed into the
// button; the lighter fills are left out.
void DrawDisabled(QImage& strip, const QImage& normal) {
    constexpr int DarkLimit = 80;
    const auto dark = [&normal](int x, int y) {
        const QRgb c = normal.pixel(x, y);
        return qAlpha(c) != 0 && qGray(c) < DarkLimit;
    };
    for (int y = 0; y + 1 < GlyphSize; ++y)
        for (int x = 0; x + 1 < GlyphSize; ++x)
            if (dark(x, y)) strip.setPixel(GlyphSize + x + 1, y + 1, White);
    for (int y = 0; y < GlyphSize; ++y)
        for (int x = 0; x < GlyphSize; ++x)
            if (dark(x, y)) strip.setPixel(GlyphSize + x, y, Grey);
}

// The palette entry nearest to a painted colour (painting without smoothing
// gives the entries themselves).
int InkOf(QRgb colour) {
    if (qAlpha(colour) == 0) return Transparent;
    int best = Black;
    int bestDistance = INT_MAX;
    for (int ink = Black; ink < InkCount; ++ink) {
        const QRgb entry = Palette[ink];
        const int distance = std::abs(qRed(entry) - qRed(colour)) +
                             std::abs(qGreen(entry) - qGreen(colour)) +
                             std::abs(qBlue(entry) - qBlue(colour));
        if (distance < bestDistance) {
            best = ink;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

QImage GlyphStrip(DialogGlyph glyph) {
    QImage normal(GlyphSize, GlyphSize, QImage::Format_ARGB32);
    normal.fill(Qt::transparent);
    {
        QPainter painter(&normal);
        painter.setRenderHint(QPainter::Antialiasing, false);
        DrawNormal(painter, glyph);
    }
    QImage strip(2 * GlyphSize, GlyphSize, QImage::Format_Indexed8);
    strip.setColorTable(QList<QRgb>(Palette.begin(), Palette.end()));
    strip.fill(Transparent);
    for (int y = 0; y < GlyphSize; ++y)
        for (int x = 0; x < GlyphSize; ++x) strip.setPixel(x, y, InkOf(normal.pixel(x, y)));
    DrawDisabled(strip, normal);
    return strip;
}

QIcon GlyphIcon(DialogGlyph glyph) {
    const QImage strip = GlyphStrip(glyph);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(strip.copy(0, 0, GlyphSize, GlyphSize)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(strip.copy(GlyphSize, 0, GlyphSize, GlyphSize)),
                   QIcon::Disabled);
    return icon;
}

void SetGlyph(QAbstractButton& button, DialogGlyph glyph) {
    button.setIcon(GlyphIcon(glyph));
    button.setIconSize(QSize(GlyphSize, GlyphSize));
    button.setCursor(Qt::PointingHandCursor);
}

}  // namespace reversi
