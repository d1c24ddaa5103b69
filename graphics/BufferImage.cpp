#include "BufferImage.h"

#include <algorithm>

namespace reversi::graphics {

QImage BufferToImage(const TMemBlock& block) {
    QImage image(block.Width(), block.Height(), QImage::Format_RGB32);
    CopyToImage(block, ScreenRect{0, 0, block.Width(), block.Height()}, image);
    return image;
}

void CopyToImage(const TMemBlock& block, ScreenRect rect, QImage& image) {
    if (image.format() != QImage::Format_RGB32) return;
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min({rect.left + rect.width, block.Width(), image.width()});
    const int bottom = std::min({rect.top + rect.height, block.Height(), image.height()});
    for (int y = top; y < bottom; ++y) {
        const auto src = block.Row(block.Height() - 1 - y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = left; x < right; ++x) dst[x] = src[x] | 0xFF000000u;
    }
}

}  // namespace reversi::graphics
