// Glyph copying with clipping.
#include "IntroText.h"

#include <algorithm>
#include <cstring>

namespace reversi::intro {

int DrawIntroGlyph(std::span<std::uint8_t> front, std::span<const std::uint8_t> font,
                   const GlyphTable& glyphs, int x, int row, int index) {
    if (index < 0 || index > 255) return 0;
    const Glyph& glyph = glyphs[static_cast<std::size_t>(index)];
    if (glyph.width <= 0) return 0;
    int w = glyph.width;
    int s = glyph.start;
    if (x < 0) {
        // Compare before adding, so a far-left pen cannot overflow.
        if (-x >= w) return glyph.width;
        w += x;
        s -= x;
        x = 0;
    }
    if (x >= FrameWidth) return glyph.width;
    w = std::min(w, FrameWidth - x);
    w = std::min(w, FontWidth - s);  // the strip's right edge
    if (w <= 0 || s < 0) return glyph.width;
    for (int r = 0; r < FontHeight; ++r) {
        const int target = row + r;
        if (target < 0 || target >= FrameHeight) continue;
        std::memcpy(front.data() + static_cast<std::size_t>(target * FrameWidth + x),
                    font.data() + static_cast<std::size_t>(r * FontWidth + s),
                    static_cast<std::size_t>(w));
    }
    return glyph.width;
}

void DrawIntroText(std::span<std::uint8_t> front, std::span<const std::uint8_t> font,
                   const GlyphTable& glyphs, int x, int row, const GlyphCodes& codes) {
    long long pen = 0;
    for (std::uint16_t code : codes) {
        const long long at = x + pen;
        if (at >= FrameWidth) break;  // nothing further can show
        pen +=
            DrawIntroGlyph(front, font, glyphs, static_cast<int>(std::max<long long>(at, -100000)),
                           row, static_cast<int>(code) - 1);
    }
}

}  // namespace reversi::intro
