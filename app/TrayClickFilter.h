#pragma once
// The left button pressed on the tray icon while a modal dialog is open. The
// toolkit's own tray icon on an X11 tray is a window of the program, and a
// modal dialog blocks every other window's input, the icon's too: the window
// minimised into the tray with a dialog open could never come back. This
// filter sees the press in the X event stream before the toolkit drops it.
// Elsewhere (a tray reached over D-Bus, other window systems) the click
// reaches the icon anyway, and the filter never fires.

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>
#include <optional>

namespace reversi {

// A mouse button pressed, as the X window system reports it: the button's
// number (1 the left one) and the window the press was reported to.
struct TXButtonPress {
    std::uint32_t button = 0;
    std::uint32_t window = 0;
    bool operator==(const TXButtonPress&) const = default;
};

// The press an X event (at least 32 bytes) reports: a core ButtonPress, or
// the input extension's ButtonPress, which is what the toolkit asks for where
// the X server has that extension; nothing for any other event.
[[nodiscard]] std::optional<TXButtonPress> XButtonPressIn(const void* event);

class TTrayClickFilter : public QAbstractNativeEventFilter {
public:
    // `pressed` runs (queued, on the main thread) for each left press on the
    // icon that a modal dialog would swallow. The filter is installed while it
    // lives.
    explicit TTrayClickFilter(std::function<void()> pressed);
    ~TTrayClickFilter() override;
    TTrayClickFilter(const TTrayClickFilter&) = delete;
    TTrayClickFilter& operator=(const TTrayClickFilter&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<void()> pressed_;
};

}  // namespace reversi
