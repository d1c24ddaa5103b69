// The drawing of the move list's lines: fixed colours, the dots dimmer than
// the move text, and the end of the list as a two-line marker.
#pragma once

#include <functional>

#include <QColor>
#include <QStyledItemDelegate>

class QFont;
class QPainter;

namespace reversi {

// Draws every line of the move list itself; the platform's selection and
// focus looks play no part. The highlighted line (the position shown) comes
// from `highlighted`, which the match record keeps.
class MoveListDelegate : public QStyledItemDelegate {
public:
    static constexpr int ItemHeight = 16;
    static inline const QColor Background{85, 74, 67};
    static inline const QColor HighlightBackground{131, 109, 97};
    static inline const QColor TextColour{217, 204, 197};
    // The dots of the padded names and the point after the move number, and
    // the light half of the end marker.
    static inline const QColor DotColour{179, 157, 145};
    static inline const QColor EndShadow{60, 53, 48};

    explicit MoveListDelegate(std::function<int()> highlighted, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // One line in rect: the record's text (the end line as the marker).
    static void PaintLine(QPainter& painter, const QRect& rect, const QFont& font,
                          const QString& text, bool highlighted);

private:
    std::function<int()> highlighted_;
};

}  // namespace reversi
