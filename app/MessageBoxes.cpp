#include "MessageBoxes.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "FramePlacement.h"
#include "ProgramTitle.h"

namespace reversi {

namespace {

QString Title() { return ProgramTitle(); }

constexpr QChar BreakHere(0x200B);  // zero-width space

bool EndsAPiece(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

QString BrokenWord(const QString& word, const QFontMetrics& metrics, int maxWidth) {
    QString out;
    QString piece;
    for (const QChar c : word) {
        if (c == BreakHere) {
            out += piece + c;
            piece.clear();
            continue;
        }
        // Never between the two halves of a character outside the basic plane.
        if (!piece.isEmpty() && !c.isLowSurrogate() &&
            metrics.horizontalAdvance(piece + c) > maxWidth) {
            out += piece + BreakHere;
            piece.clear();
        }
        piece += c;
        if (EndsAPiece(c)) {
            out += piece + BreakHere;
            piece.clear();
        }
    }
    return out + piece;
}

// Puts breaks into the box's text before it sizes itself.
void MakeBreakable(QMessageBox& box) {
    box.setText(BreakableText(box.text(), QFontMetrics(box.font()), MessageLineWidth(box)));
}

}  // namespace

QString BreakableText(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            out += text[i++];
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !text[end].isSpace()) ++end;
        const QString word = text.mid(i, end - i);
        out += metrics.horizontalAdvance(word) <= maxWidth ? word
                                                           : BrokenWord(word, metrics, maxWidth);
        i = end;
    }
    return out;
}

int MessageLineWidth(const QWidget& box) {
    // A box grows wider than half the screen (at most 500 pixels) only for a
    // word it cannot break; the icon and the margins take their share.
    const QScreen* screen =
        box.screen() != nullptr ? box.screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen != nullptr ? screen->availableGeometry().width() : 800;
    return std::max(100, std::min(screenWidth / 2, 500) - 80);
}

void TScreenCentredBox::showEvent(QShowEvent* e) {
    MakeBreakable(*this);
    // The box sizes itself to its text and buttons here; the window is not
    // mapped yet, so the placement is in time for its first appearance.
    QMessageBox::showEvent(e);
    PlaceCentredOnScreen(*this);
}

void ShowPlainMessage(const QString& text, QWidget* parent) {
    TScreenCentredBox box(QMessageBox::NoIcon, Title(), text, QMessageBox::Ok, parent);
    box.exec();
}

void ShowErrorMessage(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, parent);
    MakeBreakable(box);
    box.exec();
}

}  // namespace reversi
