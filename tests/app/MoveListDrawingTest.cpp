// The move list's own drawing and its mouse rules: the colours of a line,
// the dim dots, the two-line end marker, the line under the pointer, what a
// press does and the cursor over the list.
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>

#include "MoveList.h"
#include "MoveListDelegate.h"
#include "MoveListPointer.h"

namespace reversi {
namespace {

QImage PaintedLine(const QString& text, bool highlighted) {
    QImage image(180, MoveListDelegate::ItemHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(13);
    // Without smoothing every pixel of a glyph carries its pen colour exactly.
    font.setStyleStrategy(QFont::NoAntialias);
    MoveListDelegate::PaintLine(painter, image.rect(), font, text, highlighted);
    return image;
}

int CountColour(const QImage& image, const QColor& colour, int x0 = 0, int x1 = -1) {
    if (x1 < 0) x1 = image.width();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

TEST(MoveListDrawing, TheEndLineIsTwoRulesAcrossTheItem) {
    const QImage image = PaintedLine(QString::fromLatin1(MoveListEndLine), false);
    for (int x = 0; x < image.width(); ++x) {
        EXPECT_EQ(image.pixelColor(x, 7), MoveListDelegate::EndShadow) << x;
        EXPECT_EQ(image.pixelColor(x, 8), MoveListDelegate::DotColour) << x;
    }
    // Nothing written: the rest is the plain background.
    EXPECT_EQ(CountColour(image, MoveListDelegate::Background),
              image.width() * (image.height() - 2));
}

TEST(MoveListDrawing, TheHighlightFillsTheLineAndTheDotsAreDimmer) {
    const QImage plain = PaintedLine(QStringLiteral(" 1.Yellow ..... E:6"), false);
    const QImage lit = PaintedLine(QStringLiteral(" 1.Yellow ..... E:6"), true);
    EXPECT_EQ(plain.pixelColor(0, 0), MoveListDelegate::Background);
    EXPECT_EQ(lit.pixelColor(0, 0), MoveListDelegate::HighlightBackground);
    EXPECT_EQ(lit.pixelColor(lit.width() - 1, lit.height() - 1),
              MoveListDelegate::HighlightBackground);
    // Text starts 3 pixels in.
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(plain.pixelColor(x, y), MoveListDelegate::Background);
    // Letters and digits carry the text colour, the dots the dim colour:
    // a line without dots has no dim pixel, one of dots only no bright one.
    const QImage letters = PaintedLine(QStringLiteral("ABC"), false);
    const QImage dots = PaintedLine(QStringLiteral("....."), false);
    EXPECT_GT(CountColour(letters, MoveListDelegate::TextColour), 0);
    EXPECT_EQ(CountColour(letters, MoveListDelegate::DotColour), 0);
    EXPECT_GT(CountColour(dots, MoveListDelegate::DotColour), 0);
    EXPECT_EQ(CountColour(dots, MoveListDelegate::TextColour), 0);
    EXPECT_GT(CountColour(plain, MoveListDelegate::DotColour), 0);
    EXPECT_GT(CountColour(plain, MoveListDelegate::TextColour), 0);
}

TEST(MoveListPointer, TheLineUnderThePointerCountsFromTheTopLine) {
    EXPECT_EQ(MoveListLineAt(0, 16, 0), 0);
    EXPECT_EQ(MoveListLineAt(15, 16, 0), 0);
    EXPECT_EQ(MoveListLineAt(16, 16, 0), 1);
    EXPECT_EQ(MoveListLineAt(40, 16, 7), 9);
    EXPECT_EQ(MoveListLineAt(-1, 16, 3), 2);
}

struct PressCase {
    const char* name;
    int y, top, lines, highlighted, height;
    bool allowed;
    MoveListPress::Action action;
    int line;
    bool up, down;
};

TEST(MoveListPointer, WhatAPressDoes) {
    using A = MoveListPress::Action;
    // A 13-line list (12 moves and the end line), 160 pixels high (10 lines).
    const PressCase cases[] = {
        {"MoveLine", 70, 0, 13, 12, 160, true, A::JumpTo, 4, false, false},
        {"HighlightedLine", 70, 0, 13, 4, 160, true, A::None, -1, false, false},
        {"EndLine", 8, 12, 13, 4, 160, true, A::ReturnToLast, 12, false, false},
        {"BelowTheEnd", 150, 0, 5, 4, 160, true, A::None, -1, false, false},
        {"StepsOff", 70, 0, 13, 12, 160, false, A::None, -1, false, false},
        {"FirstVisibleLineScrollsUp", 10, 2, 13, 12, 160, true, A::JumpTo, 2, true, false},
        {"LastTwoLinesScrollDown", 130, 0, 13, 12, 160, true, A::JumpTo, 8, false, true},
        {"JustAboveTheLastTwo", 127, 0, 13, 12, 160, true, A::JumpTo, 7, false, false},
    };
    for (const PressCase& c : cases) {
        const MoveListPress p =
            PressOnMoveList(c.y, 16, c.top, c.lines, c.highlighted, c.height, c.allowed);
        EXPECT_EQ(p.action, c.action) << c.name;
        if (c.action != A::None) {
            EXPECT_EQ(p.line, c.line) << c.name;
        }
        EXPECT_EQ(p.scrollUp, c.up) << c.name;
        EXPECT_EQ(p.scrollDown, c.down) << c.name;
    }
}

TEST(MoveListPointer, CursorAndDrag) {
    EXPECT_EQ(MoveListCursor(20, 16, 0, 3, true), Qt::PointingHandCursor);
    EXPECT_EQ(MoveListCursor(20, 16, 0, 3, false), Qt::ForbiddenCursor);
    EXPECT_EQ(MoveListCursor(60, 16, 0, 3, true), Qt::ArrowCursor);
    EXPECT_TRUE(DragsThroughMoves(Qt::LeftButton, Qt::NoModifier));
    EXPECT_FALSE(DragsThroughMoves(Qt::LeftButton | Qt::RightButton, Qt::NoModifier));
    EXPECT_FALSE(DragsThroughMoves(Qt::LeftButton, Qt::ShiftModifier));
    EXPECT_FALSE(DragsThroughMoves(Qt::NoButton, Qt::NoModifier));
}

}  // namespace
}  // namespace reversi
