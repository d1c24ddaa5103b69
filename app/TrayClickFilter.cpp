#include "TrayClickFilter.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <cstring>

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

// X protocol numbers: the core ButtonPress event, the generic event that
// carries an extension's events, and the input extension's ButtonPress.
constexpr std::uint8_t CoreButtonPress = 4;
constexpr std::uint8_t GenericEvent = 35;
constexpr std::uint16_t InputExtensionButtonPress = 4;

template <class T>
T ReadAt(const unsigned char* bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

}  // namespace

std::optional<TXButtonPress> XButtonPressIn(const void* event) {
    const auto* bytes = static_cast<const unsigned char*>(event);
    // The top bit of the type marks an event sent by another client.
    const std::uint8_t type = bytes[0] & 0x7f;
    if (type == CoreButtonPress) {
        // Button at byte 1, event window at 12.
        return TXButtonPress{bytes[1], ReadAt<std::uint32_t>(bytes, 12)};
    }
    // The input extension's events come as generic events with the event
    // type at byte 8; a ButtonPress has the button at 16, the event window
    // at 24. Events of other extensions never name the icon's window.
    if (type != GenericEvent || ReadAt<std::uint16_t>(bytes, 8) != InputExtensionButtonPress)
        return std::nullopt;
    return TXButtonPress{ReadAt<std::uint32_t>(bytes, 16), ReadAt<std::uint32_t>(bytes, 24)};
}

TTrayClickFilter::TTrayClickFilter(std::function<void()> pressed) : pressed_(std::move(pressed)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TTrayClickFilter::~TTrayClickFilter() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
}

bool TTrayClickFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef REVERSI_HAVE_XCB
    if (eventType != "xcb_generic_event_t" || message == nullptr) return false;
    const std::optional<TXButtonPress> press = XButtonPressIn(message);
    // Without a modal dialog the icon gets the press itself.
    if (!press || press->button != XCB_BUTTON_INDEX_1 ||
        QApplication::activeModalWidget() == nullptr)
        return false;
    if (!IsTrayIconWindow(press->window)) return false;
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
