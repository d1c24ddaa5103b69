// The move list's widget, kept a whole number of lines high.
#include "MoveListBox.h"

#include <QPalette>

#include "MoveListDelegate.h"

namespace reversi {

TMoveListBox::TMoveListBox(QWidget* parent) : QListWidget(parent) {
    // The space below the viewport shows the widget's own background.
    setAutoFillBackground(true);
}

void TMoveListBox::SetColours(const QColor& background, const QColor& text) {
    QPalette colours = palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::Text, text);
    setPalette(colours);
}

void TMoveListBox::resizeEvent(QResizeEvent* e) {
    // The horizontal scroll bar is never shown: the viewport is the inside of
    // the frame less the margin.
    const int inside = height() - 2 * frameWidth();
    setViewportMargins(0, 0, 0, inside > 0 ? inside % MoveListDelegate::ItemHeight : 0);
    QListWidget::resizeEvent(e);
}

}  // namespace reversi
