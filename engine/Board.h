// The board: 144 bytes, one per cell, a playing field of 8 x 8 or 10 x 10
// squares stored column by column with a border of zero bytes around it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace reversi {

using tBoard = std::array<std::uint8_t, 144>;

enum Cell : std::uint8_t {
    CellOutside = 0,  // border, not part of the field
    CellEmpty = 1,
    CellWhite = 2,  // white moves first
    CellBlack = 3,
};

// A square value meaning "no move" or "pass".
inline constexpr int PassMove = 1000;
// Score offset of a decided game.
inline constexpr int WinScore = 32000;

// Layout constants of one field size. A column occupies consecutive indices;
// the next column starts `Stride` further on, so two border bytes separate
// columns and every step from a playing square lands inside the array.
template <int N>
struct Layout;

template <>
struct Layout<8> {
    static constexpr int Size = 8;
    static constexpr int Stride = 10;
    static constexpr int First = 11;
    static constexpr int Last = 88;
    static constexpr std::array<int, 8> Dirs{9, 10, 11, 1, -1, -9, -10, -11};
    static constexpr std::array<int, 2> StartWhite{44, 55};
    static constexpr std::array<int, 2> StartBlack{45, 54};
};

template <>
struct Layout<10> {
    static constexpr int Size = 10;
    static constexpr int Stride = 12;
    static constexpr int First = 13;
    static constexpr int Last = 130;
    static constexpr std::array<int, 8> Dirs{11, 12, 13, 1, -1, -11, -12, -13};
    static constexpr std::array<int, 2> StartWhite{65, 78};
    static constexpr std::array<int, 2> StartBlack{66, 77};
};

inline constexpr std::array<int, 8> Dirs8 = Layout<8>::Dirs;
inline constexpr std::array<int, 8> Dirs10 = Layout<10>::Dirs;

// Index of column x (0 = left) and row y (0 = top) on a field of size n.
constexpr int SquareIndex(int x, int y, int n) {
    return n == 8 ? 11 + 10 * x + y : 13 + 12 * x + y;
}
constexpr int SquareColumn(int square, int n) {
    return n == 8 ? (square - 11) / 10 : (square - 13) / 12;
}
constexpr int SquareRow(int square, int n) {
    return n == 8 ? (square - 11) % 10 : (square - 13) % 12;
}
// True when square is a playing square of a field of size n.
constexpr bool IsPlayingSquare(int square, int n) {
    const int first = n == 8 ? 11 : 13;
    const int stride = n == 8 ? 10 : 12;
    if (square < first) return false;
    const int x = (square - first) / stride;
    const int y = (square - first) % stride;
    return x < n && y < n;
}
// The name shown to the player: column letter from "A", row N at the top.
inline std::string SquareName(int square, int n) {
    std::string s(1, static_cast<char>('A' + SquareColumn(square, n)));
    s += std::to_string(n - SquareRow(square, n));
    return s;
}

// The other colour of s (2 <-> 3).
constexpr int Opponent(int s) { return 5 - s; }

}  // namespace reversi
