#include <gtest/gtest.h>

#include "Downscale.h"
#include "TestPictures.h"

using namespace reversi::graphics;
using namespace reversi::graphics::test;

TEST(DownscaleImage, KeepsAUniformPictureExactly) {
    for (auto [sw, sh, dw, dh] :
         {std::array{915, 488, 735, 392}, std::array{2440, 122, 1960, 98}}) {
        TMemBlock src(sw, sh);
        src.Fill(MakePixel(201, 77, 3));
        const TMemBlock dst = DownscaleImage(src, dw, dh);
        ASSERT_EQ(dst.Width(), dw);
        ASSERT_EQ(dst.Height(), dh);
        for (Pixel p : dst.Pixels()) ASSERT_EQ(p, MakePixel(201, 77, 3, 0));
    }
}

// Two by two pixels into one: the tent gives the bottom-left source pixel
// weight 7, its right and upper neighbours 5 each and the diagonal one 4
// (positions 0.5 round to 0, ties to even; the rest of the weight spills
// into the spare accumulators beyond the picture).
TEST(DownscaleImage, WeighsTheTentAsSpecifiedOnATinyPicture) {
    TMemBlock src(2, 2);
    src.At(0, 0) = MakePixel(0, 0, 210);  // blue: weight 7
    src.At(1, 0) = MakePixel(0, 210, 0);  // green: weight 5
    src.At(1, 1) = MakePixel(210, 0, 0);  // red: weight 4
    const TMemBlock dst = DownscaleImage(src, 1, 1);
    EXPECT_EQ(dst.At(0, 0), MakePixel(40, 50, 70));
}

// Each 61-pixel cell of one colour becomes a 49-pixel cell of that colour;
// only the pixels next to a cell edge mix with the neighbour.
TEST(DownscaleImage, ShrinksACellSheetCellByCell) {
    const TMemBlock src = CellSheet(15, 8, 61);
    const TMemBlock dst = DownscaleImage(src, 735, 392);
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 15; ++col) {
            const int left = col * 49, bottom = (7 - row) * 49;
            for (int y = 2; y < 47; ++y)
                for (int x = 2; x < 47; ++x)
                    ASSERT_EQ(dst.At(left + x, bottom + y), CellColour(col, row))
                        << "cell " << col << "," << row << " pixel " << x << "," << y;
        }
}

TEST(DownscaleImage, NeverLeavesThePicturesWhenEnlarging) {
    TMemBlock src(3, 3);
    src.Fill(MakePixel(10, 20, 30));
    const TMemBlock dst = DownscaleImage(src, 7, 5);
    EXPECT_EQ(dst.Width(), 7);
    EXPECT_EQ(dst.At(0, 0), MakePixel(10, 20, 30));
}
