#include "Downscale.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace reversi::graphics {

namespace {

// Rounds to the nearest integer, ties to even.
int Nearest(double v) { return static_cast<int>(std::nearbyint(v)); }

struct Accumulator {
    std::uint32_t blue = 0, green = 0, red = 0, weight = 0;
    void Add(Pixel p, std::uint32_t w) {
        blue += static_cast<std::uint32_t>(BlueOf(p)) * w;
        green += static_cast<std::uint32_t>(GreenOf(p)) * w;
        red += static_cast<std::uint32_t>(RedOf(p)) * w;
        weight += w;
    }
};

}  // namespace

TMemBlock DownscaleImage(const TMemBlock& src, int dstWidth, int dstHeight) {
    TMemBlock dst(dstWidth, dstHeight);
    if (dst.Empty() || src.Empty()) return dst;
    const int srcW = src.Width();
    const int srcH = src.Height();
    // One extra row and column: a contribution at X = dstWidth lands on
    // column 0 of the next row (index Y * dstWidth + X), one at Y = dstHeight
    // beyond the last row, where it is never read. The row length of the
    // index stays dstWidth, which the sheets' pictures were made for.
    std::vector<Accumulator> acc(static_cast<std::size_t>(dstWidth + 1) * (dstHeight + 1));
    const std::size_t dstW = static_cast<std::size_t>(dstWidth);
    auto at = [&](int X, int Y) -> Accumulator& {
        return acc[static_cast<std::size_t>(Y) * dstW + static_cast<std::size_t>(X)];
    };

    const float stepX = static_cast<float>(static_cast<double>(dstWidth) / srcW);
    const float stepY = static_cast<float>(static_cast<double>(dstHeight) / srcH);
    const float halfX = stepX / 2;
    const float halfY = stepY / 2;
    float fx = 0;
    for (int x = 0; x < srcW; ++x) {
        const int X0 = Nearest(fx);
        const int X1 = Nearest(static_cast<double>(fx) + halfX);
        float fy = 0;
        for (int y = 0; y < srcH; ++y) {
            const int Y0 = Nearest(fy);
            const int Y1 = Nearest(static_cast<double>(fy) + halfY);
            const Pixel p = src.At(x, y);
            if (X1 <= dstWidth && Y1 <= dstHeight) {
                at(X0, Y0).Add(p, 4);
                at(X1, Y1).Add(p, 1);
                at(X0, Y1).Add(p, 1);
                at(X1, Y0).Add(p, 1);
            }
            fy += stepY;
        }
        fx += stepX;
    }

    auto out = dst.Pixels();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const Accumulator& a = acc[i];
        if (a.weight == 0) continue;
        out[i] = MakePixel(static_cast<int>(a.red / a.weight), static_cast<int>(a.green / a.weight),
                           static_cast<int>(a.blue / a.weight));
    }
    return dst;
}

}  // namespace reversi::graphics
