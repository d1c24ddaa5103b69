#include "TrayClickFilter.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define REVERSI_HAVE_XCB 1
#endif

namespace reversi {

namespace {

#ifdef REVERSI_HAVE_XCB
// The toolkit's tray icon window on an X11 tray: a top-level widget of its
// own class, embedded into the tray.
bool IsTrayIconWindow(xcb_window_t window) {
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget* w : windows) {
        if (w->inherits("QSystemTrayIconSys") && w->internalWinId() == window) return true;
    }
    return false;
}
#endif

}  // namespace

TTrayClickFilter::TTrayClickFilter(std::function<void()> pressed) : pressed_(std::move(pressed)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TTrayClickFilter::~TTrayClickFilter() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
}

bool TTrayClickFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef REVERSI_HAVE_XCB
    if (eventType != "xcb_generic_event_t" || message == nullptr) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_BUTTON_PRESS) return false;
    const auto* press = static_cast<const xcb_button_press_event_t*>(message);
    // Without a modal dialog the icon gets the press itself.
    if (press->detail != XCB_BUTTON_INDEX_1 || QApplication::activeModalWidget() == nullptr)
        return false;
    if (!IsTrayIconWindow(press->event)) return false;
    // Out of the native event's delivery before windows are shown and raised.
    QTimer::singleShot(0, QCoreApplication::instance(), pressed_);
    return true;
#else
    (void)eventType;
    (void)message;
    return false;
#endif
}

}  // namespace reversi
