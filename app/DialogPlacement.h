// Where the main window puts the windows it opens over itself: the settings
// dialog centred on the window, the rules page laid over the board area.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace reversi {

// Top-left corner that centres a dialog of size dialog on the window frame
// (halves rounded toward zero, so a larger dialog sticks out evenly).
QPoint CentredOver(const QRect& frame, const QSize& dialog);

// The rules page over the board area: 2 pixels inside the client area's
// top-left corner (clientOrigin, in screen coordinates), as wide as the
// client area without the move list and as high as it without the status
// bar, 4 pixels less each way.
QRect RulesWindowRect(const QPoint& clientOrigin, const QSize& client, int movesListWidth,
                      int statusBarHeight);

}  // namespace reversi
