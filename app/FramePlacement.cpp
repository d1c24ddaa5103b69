#include "FramePlacement.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "DialogPlacement.h"

namespace reversi {

QMargins DecorationOf(const QWidget& widget) {
    // The platform window asks the window system (the window manager's frame
    // extents); the widget's own frame geometry can lag behind a reframing
    // that did not move the client area.
    const QWindow* handle = widget.window()->windowHandle();
    return handle != nullptr ? handle->frameMargins() : QMargins();
}

void PlaceCentredOver(QWidget& window, const QWidget& mainWindow) {
    // Before its first showing a window with a layout has no size of its own.
    if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize();
    const QMargins decoration = DecorationOf(mainWindow);
    const QRect over = mainWindow.window()->geometry() + decoration;
    const QSize client = window.size();
    TFramePlacer::Place(window, decoration, [over, client](const QMargins& m) {
        return CentredClientGeometry(over, client, m);
    });
}

void PlaceCentredOnScreen(QWidget& window) {
    const QWidget* active = QApplication::activeWindow();
    QScreen* screen = active != nullptr ? active->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // The window manager frames it as it framed the active window.
    const QMargins decoration = active != nullptr ? DecorationOf(*active) : QMargins();
    const QRect over = screen->geometry();
    const QSize client = window.size();
    TFramePlacer::Place(window, decoration, [over, client](const QMargins& m) {
        return CentredClientGeometry(over, client, m);
    });
}

void PlaceFrameAt(QWidget& window, const QRect& frame, const QWidget& mainWindow) {
    TFramePlacer::Place(window, DecorationOf(mainWindow),
                        [frame](const QMargins& m) { return ClientInFrame(frame, m); });
}

void TFramePlacer::Place(QWidget& window, const QMargins& assumed, Rule rule) {
    delete window.findChild<TFramePlacer*>(QString(), Qt::FindDirectChildrenOnly);
    auto* placer = new TFramePlacer(window, std::move(rule));
    placer->Apply(assumed);
}

TFramePlacer::TFramePlacer(QWidget& window, Rule rule) : QObject(&window), rule_(std::move(rule)) {
    window.installEventFilter(this);
    if (QWindow* handle = window.windowHandle()) handle->installEventFilter(this);
}

QWidget& TFramePlacer::Window() const { return *static_cast<QWidget*>(parent()); }

void TFramePlacer::Apply(const QMargins& decoration) {
    applied_ = decoration;
    // The client geometry, not the frame position: a window that has not been
    // framed yet cannot be moved by its frame, and this asks the window
    // manager to frame the client where it is.
    Window().setGeometry(rule_(decoration));
}

bool TFramePlacer::eventFilter(QObject* watched, QEvent* event) {
    QWidget& window = Window();
    if (watched == &window && event->type() == QEvent::Show) {
        // The platform window exists from the first showing on.
        if (QWindow* handle = window.windowHandle()) handle->installEventFilter(this);
    } else if (watched == window.windowHandle() && event->type() == QEvent::Expose &&
               window.windowHandle()->isExposed()) {
        // Framed by now. A window manager that frames this window otherwise
        // than the main window gets it placed once more; no decoration at all
        // means none is known, and the assumed one stays.
        const QMargins own = DecorationOf(window);
        window.removeEventFilter(this);
        window.windowHandle()->removeEventFilter(this);
        if (!own.isNull() && own != applied_) Apply(own);
        deleteLater();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace reversi
