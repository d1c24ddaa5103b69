#include "Blend.h"

#include <algorithm>

namespace reversi::graphics {

namespace {

BlendTableType MakeBlendTable() {
    BlendTableType table{};
    for (int i = 0; i < 256; ++i)
        for (int j = 0; j < 256; ++j) table[i][j] = static_cast<std::uint8_t>((i * j) >> 8);
    return table;
}

// The part of a w x h rectangle copy that lies inside both pictures: the
// rectangle is shrunk from whichever side leaves either picture.
struct ClippedCopy {
    int dx, dy, w, h, sx, sy;
    bool empty() const { return w <= 0 || h <= 0; }
};

ClippedCopy Clip(const TMemBlock& back, int dx, int dy, int w, int h, int sx, int sy,
                 const TMemBlock& src) {
    ClippedCopy c{dx, dy, w, h, sx, sy};
    auto clipStart = [](int& d, int& s, int& len) {
        const int shift = std::max({0, -d, -s});
        d += shift;
        s += shift;
        len -= shift;
    };
    clipStart(c.dx, c.sx, c.w);
    clipStart(c.dy, c.sy, c.h);
    c.w = std::min({c.w, back.Width() - c.dx, src.Width() - c.sx});
    c.h = std::min({c.h, back.Height() - c.dy, src.Height() - c.sy});
    return c;
}

}  // namespace

const BlendTableType& BlendTable() {
    static const BlendTableType table = MakeBlendTable();
    return table;
}

Pixel BlendPixel(Pixel dest, Pixel colour, int level) {
    return MakePixel(BlendChannel(RedOf(dest), RedOf(colour), level),
                     BlendChannel(GreenOf(dest), GreenOf(colour), level),
                     BlendChannel(BlueOf(dest), BlueOf(colour), level), PadOf(dest));
}

void BlitToBackBuffer(TMemBlock& back, int dx, int dy, int w, int h, int sx, int sy,
                      const TMemBlock& src) {
    const ClippedCopy c = Clip(back, dx, dy, w, h, sx, sy, src);
    if (c.empty()) return;
    for (int row = 0; row < c.h; ++row) {
        const auto from = src.Row(c.sy + row).subspan(c.sx, c.w);
        std::copy(from.begin(), from.end(), back.Row(c.dy + row).begin() + c.dx);
    }
}

void BlendToBackBuffer(TMemBlock& back, int dx, int dy, int w, int h, int sx, int sy, int level,
                       const TMemBlock& src) {
    level &= 0xFF;
    if (level == 0) {
        BlitToBackBuffer(back, dx, dy, w, h, sx, sy, src);
        return;
    }
    const ClippedCopy c = Clip(back, dx, dy, w, h, sx, sy, src);
    if (c.empty()) return;
    for (int row = 0; row < c.h; ++row) {
        const auto from = src.Row(c.sy + row).subspan(c.sx, c.w);
        const auto to = back.Row(c.dy + row).subspan(c.dx, c.w);
        for (int i = 0; i < c.w; ++i) to[i] = BlendPixel(to[i], from[i], level);
    }
}

void BlendHorzLine(TMemBlock& back, int x1, int x2, int row, Pixel colour, int level) {
    if (row < 0 || row >= back.Height()) return;
    const int a = std::max(std::min(x1, x2), 0);
    const int b = std::min(std::max(x1, x2), back.Width() - 1);
    level &= 0xFF;
    const auto line = back.Row(row);
    for (int x = a; x <= b; ++x) line[x] = BlendPixel(line[x], colour, level);
}

void BlendVertLine(TMemBlock& back, int column, int y1, int y2, Pixel colour, int level) {
    if (column < 0 || column >= back.Width()) return;
    const int a = std::max(std::min(y1, y2), 0);
    const int b = std::min(std::max(y1, y2), back.Height() - 1);
    level &= 0xFF;
    for (int y = a; y <= b; ++y) back.At(column, y) = BlendPixel(back.At(column, y), colour, level);
}

void BlendFrameRect(TMemBlock& back, int x1, int y1, int x2, int y2, Pixel colour, int level) {
    BlendHorzLine(back, x1, x2, y1, colour, level);
    BlendHorzLine(back, x1, x2, y2, colour, level);
    BlendVertLine(back, x1, y1 + 1, y2 - 1, colour, level);
    BlendVertLine(back, x2, y1 + 1, y2 - 1, colour, level);
}

}  // namespace reversi::graphics
