// Copy and blend primitives that compose the board in the back buffer.
// Coordinates are buffer coordinates: x the column, y the row counted from
// the bottom. Every primitive clips to the pictures it touches, so a bad
// rectangle never reads or writes outside a block.
#pragma once

#include <array>
#include <cstdint>

#include "PixelBuffer.h"

namespace reversi::graphics {

// BlendTable[i][j] = (i * j) >> 8: blending through look-ups, no per-pixel
// multiplication.
using BlendTableType = std::array<std::array<std::uint8_t, 256>, 256>;
const BlendTableType& BlendTable();

// Blends one channel: `level` (0..255) is the weight out of 256 that the old
// value d keeps; the new value s gets the rest. The two rounded-down terms
// never sum above 255.
inline int BlendChannel(int d, int s, int level) {
    const auto& t = BlendTable();
    return t[d][level] + t[s][(256 - level) & 0xFF];
}
// Blends red, green and blue of `colour` into `dest`; the pad byte of dest stays.
Pixel BlendPixel(Pixel dest, Pixel colour, int level);

// Copies the w x h rectangle whose lower-left pixel is (sx, sy) in src to
// the rectangle whose lower-left pixel is (dx, dy) in back; whole pixels,
// pad byte included.
void BlitToBackBuffer(TMemBlock& back, int dx, int dy, int w, int h, int sx, int sy,
                      const TMemBlock& src);
// The same rectangle, blended: level 0 copies like BlitToBackBuffer, levels
// 1..255 blend each channel with d from back and s from src.
void BlendToBackBuffer(TMemBlock& back, int dx, int dy, int w, int h, int sx, int sy, int level,
                       const TMemBlock& src);

// Blends colour (0x00RRGGBB) into buffer row `row`, columns min(x1, x2) to
// max(x1, x2) inclusive, clipped to the buffer.
void BlendHorzLine(TMemBlock& back, int x1, int x2, int row, Pixel colour, int level);
// Blends colour into buffer column `column`, rows min(y1, y2) to max(y1, y2).
void BlendVertLine(TMemBlock& back, int column, int y1, int y2, Pixel colour, int level);
// Four lines: both horizontal edges over x1..x2, the vertical edges between
// them (y1 + 1 .. y2 - 1), so no corner is blended twice.
void BlendFrameRect(TMemBlock& back, int x1, int y1, int x2, int y2, Pixel colour, int level);

}  // namespace reversi::graphics
