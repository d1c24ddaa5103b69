// A presenter for tests: keeps a top-down copy of what is on screen, like the
// board widget, and the list of rectangles presented.
#pragma once

#include <vector>

#include "BoardPresenter.h"

namespace reversi::graphics::test {

class RecordingPresenter : public BoardPresenter {
public:
    void PresentBuffer(const TMemBlock& back) override {
        screen = TMemBlock(back.Width(), back.Height());
        for (int y = 0; y < back.Height(); ++y)
            for (int x = 0; x < back.Width(); ++x)
                screen.At(x, y) = back.At(x, back.Height() - 1 - y);
        ++wholeBuffers;
    }
    void PresentRect(const TMemBlock& back, ScreenRect rect) override {
        rects.push_back(rect);
        if (screen.Width() != back.Width() || screen.Height() != back.Height())
            screen = TMemBlock(back.Width(), back.Height());
        for (int y = rect.top; y < rect.top + rect.height; ++y)
            for (int x = rect.left; x < rect.left + rect.width; ++x)
                screen.At(x, y) = back.At(x, back.Height() - 1 - y);
    }

    // Screen pixel (x, y from the top).
    Pixel On(int x, int y) const { return screen.At(x, y); }

    TMemBlock screen;  // rows top-down
    std::vector<ScreenRect> rects;
    int wholeBuffers = 0;
};

}  // namespace reversi::graphics::test
