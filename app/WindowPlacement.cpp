// Recentring the main window after a size change.
#include "WindowPlacement.h"

namespace reversi {

QRect RecentredGeometry(const QRect& old, const QSize& newSize) {
    // C++ division truncates towards zero, as the placement rule asks.
    const int left = old.left() + (old.width() - newSize.width()) / 2;
    const int top = old.top() + (old.height() - newSize.height()) / 2;
    return QRect(QPoint(left, top), newSize);
}

}  // namespace reversi
