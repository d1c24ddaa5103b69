// Drawing glyphs of the intro's strip into its front layer (both one byte per
// pixel, rows bottom-up, 0 transparent).
#pragma once

#include <cstdint>
#include <span>

#include "IntroAssets.h"

namespace reversi::intro {

// Draws glyph table entry `index` with its left edge at column x and its
// bottom at layer row `row`; returns the glyph's full width (0 for no glyph).
// The copy is opaque and clipped to the layer on every side.
int DrawIntroGlyph(std::span<std::uint8_t> front, std::span<const std::uint8_t> font,
                   const GlyphTable& glyphs, int x, int row, int index);

// Draws codes left to right from column x; each code c draws entry c - 1.
void DrawIntroText(std::span<std::uint8_t> front, std::span<const std::uint8_t> font,
                   const GlyphTable& glyphs, int x, int row, const GlyphCodes& codes);

}  // namespace reversi::intro
