#pragma once
// The left button pressed on the tray icon while a modal dialog is open. The
// toolkit's own tray icon on an X11 tray is a window of the program, and a
// modal dialog blocks every other window's input, the icon's too: the window
// minimised into the tray with a dialog open could never come back. This
// filter sees the press in the X event stream before the toolkit drops it.
// Elsewhere (a tray reached over D-Bus, other window systems) the click
// reaches the icon anyway, and the filter never fires.

#include <QAbstractNativeEventFilter>

#include <functional>

namespace reversi {

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
