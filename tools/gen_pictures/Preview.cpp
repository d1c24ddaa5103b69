#include "Preview.h"

#include "Jpeg.h"
#include "Layout.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// The game's shrink of a sheet for the 10 x 10 field, done the same way (a
// tent of weights per source pixel over bottom-up rows, 16-bit sums, float
// positions) so that the preview shows exactly what the player will see.
Image downscale(const Image& src, int dstW, int dstH) {
    const int srcW = src.width(), srcH = src.height();
    std::vector<std::array<std::uint16_t, 4>> acc(std::size_t(dstW + 1) * (dstH + 1), {0, 0, 0, 0});
    const float stepX = float(double(dstW) / srcW), stepY = float(double(dstH) / srcH);
    const float halfX = stepX / 2, halfY = stepY / 2;
    auto add = [&](int X, int Y, const Rgb& p, int k) {
        auto& a = acc[std::size_t(Y) * dstW + X];
        a[0] = std::uint16_t(a[0] + std::lround(p.b) * k);
        a[1] = std::uint16_t(a[1] + std::lround(p.g) * k);
        a[2] = std::uint16_t(a[2] + std::lround(p.r) * k);
        a[3] = std::uint16_t(a[3] + k);
    };
    float fx = 0;
    for (int x = 0; x < srcW; ++x) {
        const int X0 = int(std::nearbyint(fx)), X1 = int(std::nearbyint(double(fx) + halfX));
        float fy = 0;
        for (int y = 0; y < srcH; ++y) {  // y counts bottom-up
            const int Y0 = int(std::nearbyint(fy)), Y1 = int(std::nearbyint(double(fy) + halfY));
            const Rgb& p = src.at(x, srcH - 1 - y);
            add(X0, Y0, p, 4);
            add(X1, Y1, p, 1);
            add(X0, Y1, p, 1);
            add(X1, Y0, p, 1);
            fy += stepY;
        }
        fx += stepX;
    }
    Image out(dstW, dstH);
    for (int i = 0; i < dstW * dstH; ++i) {
        const auto& a = acc[std::size_t(i)];
        out.at(i % dstW, dstH - 1 - i / dstW) = {double(a[2] / a[3]), double(a[1] / a[3]),
                                                 double(a[0] / a[3])};
    }
    return out;
}

// A preview position, rows top-down: 'w' yellow, 'b' green, '.' empty,
// 'h' an available-move mark (help frame `helpFrame`), 'f' a disc in the
// middle of turning from yellow to green, 'g' a green disc being placed.
using Position = std::vector<std::string>;

Image composeBoard(const Image& figs, const Image& help, const Image& lineH, const Image& lineV,
                   const Position& pos, int helpFrame) {
    const int n = int(pos.size());
    const int s = n == 8 ? kCell : kSmallCell;
    const int total = n * s + 2 * kBorder;
    Image bb(total, total);
    // Border strips, as the board painter copies them.
    if (n == 8) {
        bb.paste(lineH.crop(0, 0, total, kBorder), 0, 0);
        bb.paste(lineH.crop(0, kBorder, total, kBorder), 0, total - kBorder);
        bb.paste(lineV.crop(0, 0, kBorder, n * s), 0, kBorder);
        bb.paste(lineV.crop(kBorder, 0, kBorder, n * s), total - kBorder, kBorder);
    } else {
        bb.paste(lineH.crop(0, 2 * kBorder, total, kBorder), 0, 0);
        bb.paste(lineH.crop(0, 3 * kBorder, total, kBorder), 0, total - kBorder);
        bb.paste(lineV.crop(2 * kBorder, 0, kBorder, n * s), 0, kBorder);
        bb.paste(lineV.crop(3 * kBorder, 0, kBorder, n * s), total - kBorder, kBorder);
    }
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int odd = (x + y) % 2;
            const char c = pos[std::size_t(y)][std::size_t(x)];
            const Image* sheet = &figs;
            int row = 4 + odd, col = 0;
            switch (c) {
                case 'w':
                    row = 6 + odd;
                    col = kLastFrame;
                    break;
                case 'b':
                    row = 4 + odd;
                    col = kLastFrame;
                    break;
                case 'f':
                    row = 0 + odd;
                    col = 6;
                    break;
                case 'g':
                    row = 4 + odd;
                    col = 4;
                    break;
                case 'h':
                    sheet = &help;
                    row = odd;
                    col = helpFrame;
                    break;
                default:
                    break;
            }
            bb.paste(sheet->crop(col * s, row * s, s, s), kBorder + x * s, kBorder + y * s);
        }
    return bb;
}

}  // namespace

bool writePreviews(const std::string& dataDir, const std::string& previewDir) {
    auto load = [&](const char* name) { return readJpeg(dataDir + "/" + name); };
    const auto figs = load("Figs1.jpg"), help = load("Help1.jpg");
    const auto h1 = load("Lineh1.jpg"), v1 = load("Linev1.jpg"), h2 = load("Lineh2.jpg"),
               v2 = load("Linev2.jpg");
    if (!figs || !help || !h1 || !v1 || !h2 || !v2) return false;
    const Image smallFigs = downscale(*figs, kFigureColumns * kSmallCell, kFigureRows * kSmallCell);
    const Image smallHelp = downscale(*help, kHelpColumns * kSmallCell, kHelpRows * kSmallCell);

    const Position start8{"........", "........", "...h....", "..hwb...",
                          "...bwh..", "....h...", "........", "........"};
    const Position mid8{"........", "..h.....", "..bwwh..", ".hbbwwf.",
                        "..bwbbg.", "..wwwb..", "...h.w..", "........"};
    const Position start10{"..........", "..........", "..........", "....h.....", "...hwb....",
                           "....bwh...", ".....h....", "..........", "..........", ".........."};
    const Position mid10{"..........", "..........", "...h......", "...bwwh...", "..hbbwwf..",
                         "...bwbbg..", "...wwwb...", "....h.w...", "..........", ".........."};
    bool ok = true;
    ok &= writeJpeg(previewDir + "/start8_border1.jpg",
                    composeBoard(*figs, *help, *h1, *v1, start8, 10), 95);
    ok &= writeJpeg(previewDir + "/mid8_border2.jpg",
                    composeBoard(*figs, *help, *h2, *v2, mid8, 20), 95);
    ok &= writeJpeg(previewDir + "/start10_border2.jpg",
                    composeBoard(smallFigs, smallHelp, *h2, *v2, start10, 10), 95);
    ok &= writeJpeg(previewDir + "/mid10_border1.jpg",
                    composeBoard(smallFigs, smallHelp, *h1, *v1, mid10, 30), 95);
    return ok;
}
