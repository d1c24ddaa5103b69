#include <gtest/gtest.h>

#include "Blend.h"
#include "BoardGeometry.h"
#include "Cursor.h"

using namespace reversi::graphics;

namespace {

TMemBlock Noise(int size) {
    TMemBlock b(size, size);
    std::uint32_t x = 12345;
    for (Pixel& p : b.Pixels()) {
        x = x * 1103515245u + 12345u;
        p = x;  // pad bytes too, so a restore must put back whole pixels
    }
    return b;
}

Cursor::RandomSource Constant(int v) {
    return [v] { return v; };
}

}  // namespace

TEST(Cursor, ClassicFramesHaveTheirColoursWhateverTheSquare) {
    Cursor cursor(Constant(0));
    for (bool even : {true, false}) {
        TMemBlock back = Noise(BackBufferSizeFor(8));
        const int x = 81, y = 385, s = 61;
        cursor.DrawCursorCell(back, x, y, s, even);
        const Pixel first = even ? MakePixel(239, 195, 88) : MakePixel(207, 147, 72);
        const Pixel second = even ? MakePixel(207, 147, 72) : MakePixel(239, 195, 88);
        for (int i = 1; i <= s - 1; ++i) {  // outer frame: cell columns and rows 1 and s - 1
            for (auto [c, r] :
                 {std::pair{i, 1}, std::pair{i, s - 1}, std::pair{1, i}, std::pair{s - 1, i}})
                EXPECT_EQ(back.At(x + c, y + r) & 0xFFFFFF, first) << c << "," << r;
        }
        for (int i = 2; i <= s - 2; ++i) {  // inner frame
            for (auto [c, r] :
                 {std::pair{i, 2}, std::pair{i, s - 2}, std::pair{2, i}, std::pair{s - 2, i}})
                EXPECT_EQ(back.At(x + c, y + r) & 0xFFFFFF, second) << c << "," << r;
        }
        EXPECT_EQ(cursor.GetCursorColour(), 0x00F0C459u);
    }
}

TEST(Cursor, FlameRampsMatchTheirCheckRows) {
    Cursor cursor(Constant(0));
    EXPECT_EQ(cursor.FlameRamp1()[200], 0u);  // not built before style 1
    cursor.SetCursorStyle(1);
    EXPECT_TRUE(cursor.FlamingCursor());
    const auto& r1 = cursor.FlameRamp1();
    const auto& r2 = cursor.FlameRamp2();
    EXPECT_EQ(r1[100], MakePixel(80, 40, 24));
    EXPECT_EQ(r2[100], MakePixel(100, 50, 33));
    EXPECT_EQ(r1[200], MakePixel(160, 103, 48));
    EXPECT_EQ(r2[200], MakePixel(200, 170, 66));
    EXPECT_EQ(r1[255], MakePixel(204, 138, 61));
    EXPECT_EQ(r2[255], MakePixel(255, 252, 85));
    EXPECT_EQ(GreenOf(r2[131]), 66);
    EXPECT_EQ(r1[0], 0u);

    cursor.SetCursorStyle(0);
    EXPECT_FALSE(cursor.FlamingCursor());
    EXPECT_EQ(r1[200], MakePixel(160, 103, 48));  // kept
    cursor.SetCursorStyle(5);
    EXPECT_TRUE(cursor.FlamingCursor());
}

TEST(Cursor, StepFlameCoolsTheFireAsItRises) {
    Cursor cursor(Constant(300));
    cursor.StepFlame();
    const auto& f = cursor.FlameBuffer();
    auto F = [&](int r, int c) { return static_cast<int>(f[r * 58 + c]); };
    for (int c = 0; c < 58; ++c) EXPECT_EQ(F(27, c), 300);
    EXPECT_EQ(F(26, 5), (0 + 900 - 40) >> 2);      // 215
    EXPECT_EQ(F(25, 5), (0 + 3 * 215 - 40) >> 2);  // 151: the row below already updated
    EXPECT_EQ(F(26, 1), 215);
    for (int r = 0; r < 27; ++r) {
        EXPECT_EQ(F(r, 0), 0);
        EXPECT_EQ(F(r, 57), 0);
    }
    // Edge cells next to the never-written columns get less heat.
    EXPECT_LT(F(20, 1), F(20, 20));
}

TEST(Cursor, FlamesAddSaturatedRampColoursInsideTheFrames) {
    Cursor cursor(Constant(0));
    cursor.SetCursorStyle(1);
    const int s = 61, x = 20, y = 19;
    TMemBlock back(BackBufferSizeFor(8), BackBufferSizeFor(8));
    back.Fill(MakePixel(100, 250, 10));
    // Fire all zero: only the outer frame changes.
    TMemBlock plain = back;
    cursor.DrawCursorCell(back, x, y, s, true);
    BlendFrameRect(plain, x + 1, y + 1, x + s - 1, y + s - 1, cursor.GetCursorColour(), 1);
    EXPECT_EQ(back, plain);
    cursor.RestoreCursorCell(back, x, y);

    // One hot cell: row 0, column 3 is shown by the top band at cell (5, s - 26).
    cursor.FlameBuffer()[3] = 300;  // above 255: ramp entry 255
    const Pixel before = back.At(x + 5, y + s - 26);
    cursor.DrawCursorCell(back, x, y, s, true);
    const Pixel ramp = cursor.FlameRamp1()[255];
    const Pixel got = back.At(x + 5, y + s - 26);
    EXPECT_EQ(RedOf(got), std::min(255, RedOf(before) + std::max(0, RedOf(ramp) - 75)));
    EXPECT_EQ(GreenOf(got), 255);            // saturated
    EXPECT_EQ(BlueOf(got), BlueOf(before));  // 61 - 75 < 0 adds nothing
    EXPECT_EQ(RedOf(got), 229);
}

TEST(Cursor, DrawThenRestoreLeavesTheBufferUnchanged) {
    for (int n : {8, 10}) {
        const BoardGeometry g = BoardGeometry::For(n);
        for (int style : {0, 1}) {
            Cursor cursor(Constant(319));
            cursor.SetCursorStyle(style);
            for (int i = 0; i < 30; ++i) cursor.StepFlame();
            for (auto [sx, sy] : {std::pair{0, 0}, std::pair{n - 1, n - 1}, std::pair{3, 4}}) {
                const TMemBlock before = Noise(g.BufferSize());
                TMemBlock back = before;
                const int x = g.SquareLeft(sx), y = g.SquareBottom(sy) - 1;
                cursor.DrawCursorCell(back, x, y, g.S, (sx + sy) % 2 == 0);
                EXPECT_NE(back, before);
                cursor.RestoreCursorCell(back, x, y);
                EXPECT_EQ(back, before) << n << " style " << style << " square " << sx << "," << sy;
            }
        }
    }
}

TEST(Cursor, CellsOutsideTheBufferAndStrayRestoresDoNothing) {
    Cursor cursor(Constant(0));
    const TMemBlock before = Noise(100);
    TMemBlock back = before;
    cursor.DrawCursorCell(back, 60, 10, 61, true);  // runs past the right edge
    cursor.DrawCursorCell(back, -1, 10, 49, true);
    EXPECT_EQ(back, before);
    cursor.RestoreCursorCell(back, 60, 10);
    EXPECT_EQ(back, before);
    TMemBlock empty;
    cursor.DrawCursorCell(empty, 0, 0, 49, true);
    cursor.RestoreCursorCell(empty, 0, 0);

    // A restore at another origin than the draw's, or a second one after the
    // square was redrawn, leaves the buffer alone.
    cursor.DrawCursorCell(back, 10, 10, 49, true);
    const TMemBlock withCursor = back;
    cursor.RestoreCursorCell(back, 11, 10);
    EXPECT_EQ(back, withCursor);
    cursor.RestoreCursorCell(back, 10, 10);
    EXPECT_EQ(back, before);
    back.At(20, 20) = 7;
    cursor.RestoreCursorCell(back, 10, 10);
    EXPECT_EQ(back.At(20, 20), 7u);
}
