#pragma once
// Where the main window goes: keeping its centre when its size changes, and
// whether minimising hides it into the tray.

#include <QRect>
#include <QSize>

namespace reversi {

// The window's new frame after a size change from `old` (its frame before the
// change) to `newSize`, moved so that its centre stays where it was: left moves
// by (old width - new width) / 2 and top by (old height - new height) / 2, both
// truncated towards zero. Not clamped to the screen. Always measured from `old`,
// so asking twice gives the same place.
[[nodiscard]] QRect RecentredGeometry(const QRect& old, const QSize& newSize);

// Minimising hides the window into the tray only when the tray option is on
// and the desktop has a tray; otherwise the window stays on the taskbar, so it
// can always be brought back.
[[nodiscard]] constexpr bool ShouldHideToTray(bool useSysTray, bool trayAvailable) {
    return useSysTray && trayAvailable;
}

}  // namespace reversi
