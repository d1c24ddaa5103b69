#include <gtest/gtest.h>

#include "BoardPainter.h"
#include "GameState.h"
#include "RecordingPresenter.h"
#include "TestPictures.h"

using namespace reversi;
using namespace reversi::graphics;
using namespace reversi::graphics::test;

namespace {

// Strip pictures whose pixels tell where they came from: red 50 + 40 x the
// strip number (in reading order of the picture), green and blue the
// position along the strip.
Pixel StripColour(int strip, int along) {
    return MakePixel(50 + 40 * strip, along & 0xFF, along >> 8);
}

TMemBlock HorizontalStrips() {
    TMemBlock b(530, 80);
    for (int r = 0; r < 80; ++r)
        for (int c = 0; c < 530; ++c) b.At(c, r) = StripColour((79 - r) / 20, c);
    return b;
}

TMemBlock VerticalStrips() {
    TMemBlock b(80, 490);
    for (int r = 0; r < 490; ++r)
        for (int c = 0; c < 80; ++c) b.At(c, r) = StripColour(c / 20, 489 - r);
    return b;
}

// What the screen shows at (X, Y) for a field of size n: worked out from the
// picture layouts, not from the copy tables.
Pixel ExpectedScreen(int n, int X, int Y, const tBoard& board) {
    const BoardGeometry g = BoardGeometry::For(n);
    const int size = g.BufferSize();
    const int first = n == 8 ? 0 : 2;          // strip number of the field's top / left strip
    if (Y < 20) return StripColour(first, X);  // top strip, corners included
    if (Y >= size - 20) return StripColour(first + 1, X);       // bottom strip
    if (X < 20) return StripColour(first, Y - 20);              // left strip
    if (X >= size - 20) return StripColour(first + 1, Y - 20);  // right strip
    const int x = (X - 20) / g.S, y = (Y - 20) / g.S;
    const int parity = (x + y) % 2;
    switch (board[SquareIndex(x, y, n)]) {
        case CellWhite:
            return CellColour(RestFrame, 6 + parity);
        case CellBlack:
            return CellColour(RestFrame, 4 + parity);
        default:
            return CellColour(0, 4 + parity);
    }
}

class BoardPainterTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        n = GetParam();
        game_.BoardSize = n;
        NewGame(game_);
        painter.SetPosition(&game_.Boards[0]);
        const int s = SquareSizeFor(n);
        painter.Pictures().FigureImage = CellSheet(15, 8, s);
        painter.Pictures().HelpImage = CellSheet(40, 2, s);
        painter.Pictures().LineHImage = HorizontalStrips();
        painter.Pictures().LineVImage = VerticalStrips();
        painter.CreateBackBuffer(n);
        g = painter.Geometry();
    }
    // The back buffer in screen orientation.
    Pixel Back(int X, int Y) const {
        const TMemBlock& b = painter.BackBuffer();
        return b.At(X, b.Height() - 1 - Y);
    }
    int n = 8;
    BoardGeometry g;
    // The position the painter shows; declared before the painter, so it outlives it.
    GameState game_;
    RecordingPresenter screen;
    BoardPainter painter{&screen};
};

}  // namespace

TEST_P(BoardPainterTest, GeometryOfTheSquares) {
    EXPECT_EQ(painter.BackBuffer().Width(), n == 8 ? 528 : 530);
    EXPECT_EQ(painter.BackBuffer().Height(), n == 8 ? 528 : 530);
    if (n == 8) {
        EXPECT_EQ(g.SquareLeft(0), 20);
        EXPECT_EQ(g.SquareLeft(0) + g.S - 1, 80);
        EXPECT_EQ(g.SquareBottom(0), 447);
        EXPECT_EQ(g.SquareBottom(0) + g.S - 1, 507);
    } else {
        EXPECT_EQ(g.SquareLeft(9), 461);
        EXPECT_EQ(g.SquareLeft(9) + g.S - 1, 509);
        EXPECT_EQ(g.SquareBottom(9), 20);
        EXPECT_EQ(g.SquareBottom(9) + g.S - 1, 68);
    }
    painter.PresentSquare(0, 0);
    EXPECT_EQ(screen.rects.back(), (ScreenRect{20, 20, g.S, g.S}));
    painter.PresentSquare(n - 1, 1);
    EXPECT_EQ(screen.rects.back(), (ScreenRect{20 + (n - 1) * g.S, 20 + g.S, g.S, g.S}));
}

TEST_P(BoardPainterTest, DrawBoardFillsEveryPixelFromTheStripsAndTheSheet) {
    game_.Boards[0][SquareIndex(0, 0, n)] = CellWhite;
    game_.Boards[0][SquareIndex(1, 0, n)] = CellWhite;
    game_.Boards[0][SquareIndex(n - 1, n - 1, n)] = CellBlack;
    painter.BackBuffer().Fill(0xDEADBEEF);
    painter.DrawBoard();
    const int size = g.BufferSize();
    for (int Y = 0; Y < size; ++Y)
        for (int X = 0; X < size; ++X)
            ASSERT_EQ(Back(X, Y), ExpectedScreen(n, X, Y, game_.Boards[0]))
                << "screen " << X << "," << Y;
    // The start position: white on the main diagonal of the centre.
    EXPECT_EQ(Back(g.SquareLeft(n / 2 - 1) + 5, g.SquareTop(n / 2 - 1) + 5),
              CellColour(RestFrame, 6));
    EXPECT_EQ(Back(g.SquareLeft(1) + 5, g.SquareTop(0) + 5), CellColour(RestFrame, 7));
    EXPECT_EQ(screen.rects.size(), 0u);  // DrawBoard puts nothing on screen
}

TEST_P(BoardPainterTest, DrawSquareOnTheCursorShowsItOnceWithTheCursor) {
    painter.DrawBoard();
    painter.PresentBuffer();
    const TMemBlock board = painter.BackBuffer();
    painter.NewPosX = painter.OldPosX = 2;
    painter.NewPosY = painter.OldPosY = 3;
    painter.DrawSquare(2, 3);
    ASSERT_EQ(screen.rects.size(), 1u);
    EXPECT_EQ(screen.rects[0], (ScreenRect{g.SquareLeft(2), g.SquareTop(3), g.S, g.S}));
    EXPECT_EQ(painter.BackBuffer(), board);
    // On screen the cursor's outer frame (odd square) sits one pixel inside the top-left edge.
    EXPECT_EQ(screen.On(g.SquareLeft(2) + 1, g.SquareTop(3) + 1) & 0xFFFFFF,
              MakePixel(207, 147, 72));
}

TEST_P(BoardPainterTest, DrawSquareElsewhereShowsCursorOldAndRequestedSquares) {
    painter.DrawBoard();
    painter.PresentBuffer();
    painter.OldPosX = 1, painter.OldPosY = 1;
    painter.NewPosX = 2, painter.NewPosY = 2;
    game_.Boards[0][SquareIndex(5, 0, n)] = CellBlack;
    painter.DrawSquare(5, 0);
    const std::vector<ScreenRect> expected{
        {g.SquareLeft(2), g.SquareTop(2), g.S, g.S},
        {g.SquareLeft(1), g.SquareTop(1), g.S, g.S},
        {g.SquareLeft(5), g.SquareTop(0), g.S, g.S},
    };
    EXPECT_EQ(screen.rects, expected);
    EXPECT_EQ(painter.OldPosX, 2);
    EXPECT_EQ(painter.OldPosY, 2);
    EXPECT_EQ(screen.On(g.SquareLeft(2) + 1, g.SquareTop(2) + 1) & 0xFFFFFF,
              MakePixel(239, 195, 88));
    EXPECT_EQ(screen.On(g.SquareLeft(1) + 1, g.SquareTop(1) + 1), CellColour(0, 4));
    EXPECT_EQ(screen.On(g.SquareLeft(5) + 9, g.SquareTop(0) + 9), CellColour(RestFrame, 5));
    // The back buffer holds the new disc and no cursor.
    BoardPainter reference;
    reference.SetPosition(&game_.Boards[0]);
    reference.Pictures() = painter.Pictures();
    reference.CreateBackBuffer(n);
    reference.DrawBoard();
    EXPECT_EQ(painter.BackBuffer(), reference.BackBuffer());
}

TEST_P(BoardPainterTest, PresentCursorMovesTheCursor) {
    painter.DrawBoard();
    painter.PresentBuffer();
    const TMemBlock board = painter.BackBuffer();
    painter.OldPosX = 0, painter.OldPosY = 0;
    painter.NewPosX = 0, painter.NewPosY = 1;
    painter.PresentCursor();
    painter.PresentCursor();  // unmoved: only the cursor square again
    const std::vector<ScreenRect> expected{
        {g.SquareLeft(0), g.SquareTop(1), g.S, g.S},
        {g.SquareLeft(0), g.SquareTop(0), g.S, g.S},
        {g.SquareLeft(0), g.SquareTop(1), g.S, g.S},
    };
    EXPECT_EQ(screen.rects, expected);
    EXPECT_EQ(painter.BackBuffer(), board);
    EXPECT_EQ(screen.On(g.SquareLeft(0) + 1, g.SquareTop(0) + 1), CellColour(0, 4));
}

TEST_P(BoardPainterTest, DrawSquareOutsideTheFieldDoesNothing) {
    painter.DrawBoard();
    const TMemBlock board = painter.BackBuffer();
    for (auto [x, y] : {std::pair{-1, 0}, std::pair{n, 0}, std::pair{0, -1}, std::pair{0, n}})
        painter.DrawSquare(x, y);
    EXPECT_TRUE(screen.rects.empty());
    EXPECT_EQ(painter.BackBuffer(), board);
}

INSTANTIATE_TEST_SUITE_P(BothFields, BoardPainterTest, ::testing::Values(8, 10));

TEST(BoardPainter, WithoutPicturesOrBufferNothingBreaks) {
    RecordingPresenter screen;
    BoardPainter painter{&screen};
    painter.DrawBoard();
    painter.PresentCursor();
    painter.DrawSquare(1, 1);
    painter.PresentBuffer();
    EXPECT_EQ(screen.wholeBuffers, 0);
    painter.CreateBackBuffer(10);  // pictures still missing
    painter.DrawBoard();
    painter.DrawSquare(1, 1);
    EXPECT_EQ(painter.BackBuffer().Width(), 530);
}
