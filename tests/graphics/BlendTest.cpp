#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "Blend.h"

using namespace reversi::graphics;

namespace {

// A small back buffer whose every pixel differs, pad bytes included.
TMemBlock Patterned(int w, int h, int seed) {
    TMemBlock b(w, h);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            b.At(c, r) =
                MakePixel(c * 7 + seed, r * 11 + seed, (c + r) * 3 + seed, (c * r + seed) & 0xFF);
    return b;
}

// The set of pixels that differ between two buffers of the same size.
std::set<std::pair<int, int>> Changed(const TMemBlock& a, const TMemBlock& b) {
    std::set<std::pair<int, int>> out;
    for (int r = 0; r < a.Height(); ++r)
        for (int c = 0; c < a.Width(); ++c)
            if (a.At(c, r) != b.At(c, r)) out.insert({c, r});
    return out;
}

}  // namespace

TEST(BlendTable, HoldsRoundedDownProducts) {
    const auto& t = BlendTable();
    EXPECT_EQ(t[0][0], 0);
    EXPECT_EQ(t[255][255], 254);  // 65025 >> 8
    EXPECT_EQ(t[240][255], 239);
    EXPECT_EQ(t[128][2], 1);
    EXPECT_EQ(t[100][200], 78);  // 20000 >> 8
    for (int d = 0; d < 256; ++d) EXPECT_EQ(t[d][1], 0);
}

TEST(BlendChannel, Level255KeepsAlmostAllOfTheOldValue) {
    for (int d = 0; d < 256; ++d)
        for (int s : {0, 77, 255})
            EXPECT_EQ(BlendChannel(d, s, 255), d == 0 ? 0 : d - 1) << d << " " << s;
}

TEST(BlendToBackBuffer, LevelZeroIsAPlainCopyAndOtherLevelsKeepThePadByte) {
    const TMemBlock src = Patterned(20, 20, 50);
    TMemBlock copied = Patterned(16, 16, 3);
    TMemBlock blendedZero = copied;
    BlitToBackBuffer(copied, 2, 3, 5, 4, 6, 7, src);
    BlendToBackBuffer(blendedZero, 2, 3, 5, 4, 6, 7, 0, src);
    EXPECT_EQ(copied, blendedZero);
    EXPECT_EQ(copied.At(2, 3), src.At(6, 7));
    EXPECT_EQ(copied.At(6, 6), src.At(10, 10));

    const TMemBlock before = Patterned(16, 16, 3);
    TMemBlock blended = before;
    BlendToBackBuffer(blended, 2, 3, 5, 4, 6, 7, 100, src);
    const Pixel d = before.At(4, 5), s = src.At(8, 9), got = blended.At(4, 5);
    EXPECT_EQ(PadOf(got), PadOf(d));
    EXPECT_EQ(RedOf(got), BlendChannel(RedOf(d), RedOf(s), 100));
    EXPECT_EQ(GreenOf(got), BlendChannel(GreenOf(d), GreenOf(s), 100));
    EXPECT_EQ(BlueOf(got), BlendChannel(BlueOf(d), BlueOf(s), 100));
    EXPECT_EQ(Changed(before, blended).size(), 20u);
}

TEST(BlitToBackBuffer, ClipsToBothPictures) {
    const TMemBlock src = Patterned(10, 10, 90);
    struct Case {
        int dx, dy, w, h, sx, sy;
        int changed;  // pixels written
    };
    const Case cases[] = {
        {-3, 0, 5, 2, 0, 0, 4},   // starts left of the back buffer: 2 columns x 2 rows
        {14, 14, 5, 5, 0, 0, 4},  // runs past the top right: 2 x 2
        {0, 0, 5, 5, 8, 8, 4},    // runs past the source's top right: 2 x 2
        {0, 0, 3, 3, -2, -1, 2},  // starts outside the source: 1 x 2
        {20, 0, 3, 3, 0, 0, 0},   // wholly outside
        {0, 0, 0, 3, 0, 0, 0},    // empty
        {0, 0, 100, 100, 0, 0, 100},
    };
    for (const Case& c : cases) {
        const TMemBlock before = Patterned(16, 16, 1);
        TMemBlock back = before;
        BlitToBackBuffer(back, c.dx, c.dy, c.w, c.h, c.sx, c.sy, src);
        const auto changed = Changed(before, back);
        EXPECT_EQ(static_cast<int>(changed.size()), c.changed)
            << c.dx << "," << c.dy << " from " << c.sx << "," << c.sy;
        for (auto [col, row] : changed)
            EXPECT_EQ(back.At(col, row), src.At(col - c.dx + c.sx, row - c.dy + c.sy));
        TMemBlock blended = before;
        BlendToBackBuffer(blended, c.dx, c.dy, c.w, c.h, c.sx, c.sy, 9, src);
        for (auto [col, row] : Changed(before, blended)) EXPECT_TRUE(changed.count({col, row}));
    }
}

TEST(BlendLines, DrawTheOrderedClippedRange) {
    struct Case {
        int a, b, line;
        int first, last;  // expected range, first > last for nothing
    };
    const Case cases[] = {
        {3, 9, 5, 3, 9},   {9, 3, 5, 3, 9},   {-5, 3, 5, 0, 3}, {10, 40, 5, 10, 15},
        {-9, -1, 5, 1, 0}, {16, 30, 5, 1, 0}, {2, 4, -1, 1, 0}, {2, 4, 16, 1, 0},
    };
    const Pixel colour = 0x00F0C459;
    for (const Case& c : cases) {
        for (bool vertical : {false, true}) {
            const TMemBlock before = Patterned(16, 16, 20);
            TMemBlock back = before;
            if (vertical)
                BlendVertLine(back, c.line, c.a, c.b, colour, 1);
            else
                BlendHorzLine(back, c.a, c.b, c.line, colour, 1);
            std::set<std::pair<int, int>> expected;
            for (int i = c.first; i <= c.last; ++i)
                expected.insert(vertical ? std::pair{c.line, i} : std::pair{i, c.line});
            EXPECT_EQ(Changed(before, back), expected) << c.a << ".." << c.b << " at " << c.line;
            for (auto [col, row] : expected)
                EXPECT_EQ(back.At(col, row), BlendPixel(before.At(col, row), colour, 1));
        }
    }
}

TEST(BlendFrameRect, BlendsEachBorderPixelOnce) {
    TMemBlock back(40, 40);
    back.Fill(MakePixel(100, 100, 100));
    BlendFrameRect(back, 10, 10, 20, 20, MakePixel(200, 0, 0), 128);
    const Pixel once = BlendPixel(MakePixel(100, 100, 100), MakePixel(200, 0, 0), 128);
    int border = 0;
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 40; ++c) {
            const bool onBorder = c >= 10 && c <= 20 && r >= 10 && r <= 20 &&
                                  (c == 10 || c == 20 || r == 10 || r == 20);
            border += onBorder;
            EXPECT_EQ(back.At(c, r), onBorder ? once : MakePixel(100, 100, 100)) << c << "," << r;
        }
    EXPECT_EQ(border, 40);
}
