// Puts a window opened over the main window where its rule wants its outer
// frame. The decoration that the window manager adds is only known once it has
// framed the window, after the window is shown; until then the main window's
// decoration (the same window manager's) stands in for it, and when the
// window's own turns out different it is placed again by that.
#pragma once

#include <functional>

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

namespace reversi {

// The decoration the window manager puts around the top-level window of
// widget: zero before it is framed and without a window manager.
[[nodiscard]] QMargins DecorationOf(const QWidget& widget);

// Places window (a top-level window not shown yet, or hidden) with its outer
// frame centred on the outer frame of mainWindow, at its own size.
void PlaceCentredOver(QWidget& window, const QWidget& mainWindow);

// Places window (not shown yet, or hidden, at its final size) with its outer
// frame centred on the screen of the active window (the primary screen when
// none is active).
void PlaceCentredOnScreen(QWidget& window);

// Places window (not shown yet, or hidden) with its outer frame at frame
// (screen coordinates, size included).
void PlaceFrameAt(QWidget& window, const QRect& frame, const QWidget& mainWindow);

// Keeps one window placed by its rule: places it now by an assumed decoration
// and once more, when it is first exposed, by its own if that differs.
class TFramePlacer : public QObject {
    Q_OBJECT
public:
    // The client geometry that puts the window's outer frame where it belongs
    // when the window manager's decoration is the one given.
    using Rule = std::function<QRect(const QMargins&)>;

    // Replaces any earlier placer of window.
    static void Place(QWidget& window, const QMargins& assumed, Rule rule);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFramePlacer(QWidget& window, Rule rule);
    // The window is the placer's parent.
    [[nodiscard]] QWidget& Window() const;
    void Apply(const QMargins& decoration);

    QMargins applied_;
    Rule rule_;
};

}  // namespace reversi
