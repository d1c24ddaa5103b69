#include "BoardText.h"

#include "GameState.h"

namespace reversi {

char DigitChar(int value) { return static_cast<char>('0' + value); }

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A';
    return 0;
}

void BoardToText(const GameState& g, std::string& text) {
    const int n = g.BoardSize == 8 ? 8 : 10;
    const auto& board = g.Boards[0];
    text.clear();
    text.reserve(static_cast<std::size_t>(n * n));
    int square = n == 8 ? 11 : 13;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y, ++square) {
            const auto cell = board[square];
            text += cell == CellWhite ? 'w' : cell == CellBlack ? 'b' : '+';
        }
        square += 2;
    }
}

}  // namespace reversi
