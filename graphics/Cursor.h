// The board cursor: drawn into the back buffer over one square, presented,
// and removed again at once, so the back buffer never keeps it.
//
// Classic style: two nested one-pixel frames in two warm colours. Flaming
// style: one frame plus flames that burn inward from the square's four
// edges, fed by a small fire simulation advanced on every animation tick.
// The square's parity (x + y even or odd) swaps the colours and picks the
// flame ramp.
//
// The cursor cell is s x s back-buffer pixels with its lower-left pixel at
// (x, y): x the square's left column, y one buffer row below the square's
// lowest row (see BoardPainter::CursorOrigin).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "PixelBuffer.h"

namespace reversi::graphics {

class Cursor {
public:
    static constexpr int FlameRows = 28;
    static constexpr int FlameColumns = 58;
    static constexpr int FlameSeedMax = 319;
    using FlameBufferType = std::array<std::uint16_t, FlameRows * FlameColumns>;
    using RampType = std::array<Pixel, 256>;
    // Returns a uniformly distributed integer from 0 to FlameSeedMax.
    using RandomSource = std::function<int()>;

    Cursor();
    explicit Cursor(RandomSource random);

    // 0: classic; 1: flaming (and builds both flame ramps). Any other value
    // only switches the flaming flag on and keeps the ramps as they are.
    void SetCursorStyle(int style);
    bool FlamingCursor() const { return flaming_; }
    // Colour of the outer frame on even squares (also the previous-move frame).
    Pixel GetCursorColour() const { return colour1_; }
    Pixel CursorColour2() const { return colour2_; }

    // Advances the fire by one step: new seeds in the bottom row, and every
    // other cell about the mean of itself and the three cells below, less 10.
    void StepFlame();

    // Saves the s x s cell at (x, y) and draws the cursor into it. Does
    // nothing when the cell does not lie wholly inside the back buffer.
    void DrawCursorCell(TMemBlock& back, int x, int y, int s, bool even);
    // Puts the saved cell back at (x, y), which must be the origin of the
    // last draw; any other origin, or a second restore, does nothing.
    void RestoreCursorCell(TMemBlock& back, int x, int y);

    const FlameBufferType& FlameBuffer() const { return flame_; }
    FlameBufferType& FlameBuffer() { return flame_; }
    const RampType& FlameRamp1() const { return ramp1_; }
    const RampType& FlameRamp2() const { return ramp2_; }

private:
    void BuildRamps();
    void DrawFlames(TMemBlock& back, int x, int y, int s, bool even) const;

    RandomSource random_;
    bool flaming_ = false;
    Pixel colour1_ = 0;
    Pixel colour2_ = 0;
    FlameBufferType flame_{};
    RampType ramp1_{};
    RampType ramp2_{};
    // The pixels under the last drawn cursor cell, row by row.
    std::vector<Pixel> save_;
    int saveSize_ = 0;
    int saveX_ = 0;
    int saveY_ = 0;
};

}  // namespace reversi::graphics
