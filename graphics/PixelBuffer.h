// A picture in the board's pixel layout: 32 bits per pixel, read as a
// little-endian value 0x00RRGGBB (bytes blue, green, red, pad), rows stored
// bottom-up (row 0 is the bottom row of the picture). Every sheet, strip and
// the back buffer use it, so the drawing code copies and blends between them
// row by row without conversion.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace reversi::graphics {

using Pixel = std::uint32_t;

constexpr int BlueOf(Pixel p) { return static_cast<int>(p & 0xFF); }
constexpr int GreenOf(Pixel p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int RedOf(Pixel p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int PadOf(Pixel p) { return static_cast<int>(p >> 24); }
constexpr Pixel MakePixel(int red, int green, int blue, int pad = 0) {
    return (static_cast<Pixel>(pad & 0xFF) << 24) | (static_cast<Pixel>(red & 0xFF) << 16) |
           (static_cast<Pixel>(green & 0xFF) << 8) | static_cast<Pixel>(blue & 0xFF);
}

// One zero-filled picture block. An empty block (0 x 0) stands for a picture
// that was never loaded; every drawing operation skips what it cannot reach.
class TMemBlock {
public:
    TMemBlock() = default;
    TMemBlock(int width, int height)
        : width_(width > 0 && height > 0 ? width : 0),
          height_(width > 0 && height > 0 ? height : 0),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }
    bool Contains(int column, int row) const {
        return column >= 0 && row >= 0 && column < width_ && row < height_;
    }

    // Stored row `row` (0 = bottom of the picture).
    std::span<Pixel> Row(int row) {
        return {pixels_.data() + static_cast<std::size_t>(row) * width_,
                static_cast<std::size_t>(width_)};
    }
    std::span<const Pixel> Row(int row) const {
        return {pixels_.data() + static_cast<std::size_t>(row) * width_,
                static_cast<std::size_t>(width_)};
    }
    Pixel At(int column, int row) const {
        return pixels_[static_cast<std::size_t>(row) * width_ + column];
    }
    Pixel& At(int column, int row) {
        return pixels_[static_cast<std::size_t>(row) * width_ + column];
    }

    std::span<Pixel> Pixels() { return pixels_; }
    std::span<const Pixel> Pixels() const { return pixels_; }

    void Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

    friend bool operator==(const TMemBlock&, const TMemBlock&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace reversi::graphics
