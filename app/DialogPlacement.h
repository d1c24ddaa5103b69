// Where the main window puts the windows it opens over itself, as arithmetic
// on rectangles: each rule says where a window's outer frame goes (centred on
// the main window, or the rules page over the board area), and the window
// manager's decoration turns that frame into the client geometry to ask for.
#pragma once

#include <QMargins>
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

// The client geometry (what a top-level window's setGeometry takes) of a
// window whose outer frame is `frame` when the window manager's decoration
// adds `decoration` around its client area (zero without a window manager).
QRect ClientInFrame(const QRect& frame, const QMargins& decoration);

// The client geometry of a window with client size `client` and decoration
// `decoration` whose outer frame is centred on the frame `over` (CentredOver
// with the outer size).
QRect CentredClientGeometry(const QRect& over, const QSize& client, const QMargins& decoration);

}  // namespace reversi
