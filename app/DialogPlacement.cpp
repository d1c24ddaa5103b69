#include "DialogPlacement.h"

namespace reversi {

QPoint CentredOver(const QRect& frame, const QSize& dialog) {
    return {frame.left() + (frame.width() - dialog.width()) / 2,
            frame.top() + (frame.height() - dialog.height()) / 2};
}

QRect RulesWindowRect(const QPoint& clientOrigin, const QSize& client, int movesListWidth,
                      int statusBarHeight) {
    return {clientOrigin + QPoint(2, 2),
            QSize(client.width() - movesListWidth - 4, client.height() - statusBarHeight - 4)};
}

QRect ClientInFrame(const QRect& frame, const QMargins& decoration) { return frame - decoration; }

QRect CentredClientGeometry(const QRect& over, const QSize& client, const QMargins& decoration) {
    const QSize outer = client.grownBy(decoration);
    return ClientInFrame(QRect(CentredOver(over, outer), outer), decoration);
}

}  // namespace reversi
