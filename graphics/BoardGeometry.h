// Where the squares lie in the back buffer. The back buffer is a square of
// N x S + 40 pixels: a 20-pixel border strip on every side and the N x N
// squares inside. Buffer coordinates count rows from the bottom; screen
// coordinates (what the window shows) count rows from the top.
#pragma once

namespace reversi::graphics {

inline constexpr int BorderWidth = 20;
// The board widget draws the back buffer at this offset, inside its two
// one-pixel frames.
inline constexpr int BoardOffset = 2;
// Cell size of the picture files; the 10 x 10 field uses shrunk sheets.
inline constexpr int LargeSquareSize = 61;
inline constexpr int SmallSquareSize = 49;

// S: 61 on the 8 x 8 field, 49 on the 10 x 10 field.
constexpr int SquareSizeFor(int boardSize) {
    return boardSize == 8 ? LargeSquareSize : SmallSquareSize;
}
// Width and height of the back buffer: 528 (8 x 8) or 530 (10 x 10).
constexpr int BackBufferSizeFor(int boardSize) {
    return boardSize * SquareSizeFor(boardSize) + 2 * BorderWidth;
}
// Width and height of the board area of the window (frames included).
constexpr int BoardAreaSizeFor(int boardSize) {
    return BackBufferSizeFor(boardSize) + 2 * BoardOffset;
}

struct BoardGeometry {
    int N = 8;   // field size
    int S = 61;  // square size

    static constexpr BoardGeometry For(int boardSize) {
        const int n = boardSize == 8 ? 8 : 10;
        return {n, SquareSizeFor(n)};
    }
    constexpr int BufferSize() const { return N * S + 2 * BorderWidth; }
    constexpr bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < N && y < N; }
    // Leftmost buffer column of the square in column x.
    constexpr int SquareLeft(int x) const { return BorderWidth + x * S; }
    // Lowest buffer row of the square in row y (0 = top row of the field).
    constexpr int SquareBottom(int y) const { return BorderWidth + (N - 1 - y) * S; }
    // Top screen row of the square in row y, measured in the back buffer.
    constexpr int SquareTop(int y) const { return BorderWidth + y * S; }
};

}  // namespace reversi::graphics
