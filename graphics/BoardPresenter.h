// Putting the back buffer on screen. The board widget implements this for the
// program; tests use a recording fake.
#pragma once

#include "PixelBuffer.h"

namespace reversi::graphics {

// A rectangle of the back buffer in screen orientation: left and top count
// from the buffer's top-left corner (top = 0 is the last stored row).
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

class BoardPresenter {
public:
    virtual ~BoardPresenter() = default;
    // Shows the whole back buffer one to one (a new buffer size resizes the
    // picture on screen).
    virtual void PresentBuffer(const TMemBlock& back) = 0;
    // Shows one rectangle (inside the buffer) of the back buffer at the same
    // place on screen. When the buffer's size differs from the picture on
    // screen (none shown yet, or the field size changed), the presenter
    // starts a black picture of the buffer's size first.
    virtual void PresentRect(const TMemBlock& back, ScreenRect rect) = 0;
};

}  // namespace reversi::graphics
