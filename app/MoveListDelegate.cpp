#include "MoveListDelegate.h"

#include <QFontMetrics>
#include <QPainter>

#include "MoveList.h"
#include "MovesListAdapter.h"

namespace reversi {

MoveListDelegate::MoveListDelegate(std::function<int()> highlighted, QObject* parent)
    : QStyledItemDelegate(parent), highlighted_(std::move(highlighted)) {}

void MoveListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool highlighted = highlighted_ && index.row() == highlighted_();
    PaintLine(*painter, option.rect, option.font, index.data(MovesListAdapter::LineRole).toString(),
              highlighted);
}

QSize MoveListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), ItemHeight};
}

void MoveListDelegate::PaintLine(QPainter& painter, const QRect& rect, const QFont& font,
                                 const QString& text, bool highlighted) {
    painter.save();
    painter.fillRect(rect, highlighted ? HighlightBackground : Background);
    if (text == QLatin1String(MoveListEndLine)) {
        // The end of the list: a light line with a dark one just above it.
        painter.setPen(DotColour);
        painter.drawLine(rect.left(), rect.top() + 8, rect.right(), rect.top() + 8);
        painter.setPen(EndShadow);
        painter.drawLine(rect.left(), rect.top() + 7, rect.right(), rect.top() + 7);
    } else {
        // Character by character, so the dots can take their own colour.
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const int baseline = rect.top() + metrics.ascent();
        int x = rect.left() + 3;
        for (const QChar c : text) {
            painter.setPen(c == QLatin1Char('.') ? DotColour : TextColour);
            painter.drawText(QPoint(x, baseline), QString(c));
            x += metrics.horizontalAdvance(c);
        }
    }
    painter.restore();
}

}  // namespace reversi
