#include <gtest/gtest.h>

#include "EngineUnit.h"

using namespace reversi;

TEST(BoardText, DigitValueTable) {
    struct Case {
        char c;
        int value;
    };
    const Case cases[] = {{'0', 0}, {'7', 7}, {'9', 9}, {'A', 0},  {'C', 2},   {'F', 5},
                          {'G', 0}, {'a', 0}, {' ', 0}, {'\0', 0}, {'\xff', 0}};
    for (const auto& c : cases) EXPECT_EQ(DigitValue(c.c), c.value) << int(c.c);
    for (int v = 0; v <= 9; ++v) EXPECT_EQ(DigitValue(DigitChar(v)), v);
    for (int c = -128; c < 128; ++c) {
        const int v = DigitValue(static_cast<char>(c));
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 9);
    }
    EXPECT_EQ(DigitChar(0), '0');
    EXPECT_EQ(DigitChar(9), '9');
}

TEST(BoardText, StartPositions) {
    struct Case {
        int n;
        int w1, w2, b1, b2;
    };
    for (const auto& c : {Case{8, 27, 36, 28, 35}, Case{10, 44, 55, 45, 54}}) {
        GameState game;
        game.BoardSize = c.n;
        NewGame(game);
        std::string text = "junk";
        BoardToText(game, text);
        std::string expected(static_cast<std::size_t>(c.n * c.n), '+');
        expected[c.w1] = expected[c.w2] = 'w';
        expected[c.b1] = expected[c.b2] = 'b';
        EXPECT_EQ(text, expected) << c.n;
    }
}

TEST(BoardText, ColumnByColumnFromTheTop) {
    GameState game;
    game.BoardSize = 8;
    NewGame(game);
    game.Boards[0][SquareIndex(0, 1, 8)] = CellBlack;  // A7
    game.Boards[0][SquareIndex(1, 0, 8)] = CellWhite;  // B8
    std::string text;
    BoardToText(game, text);
    EXPECT_EQ(text[1], 'b');
    EXPECT_EQ(text[8], 'w');
}
