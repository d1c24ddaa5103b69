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
        ResetGameState();
        Game().BoardSize = c.n;
        NewGame();
        std::string text = "junk";
        BoardToText(text);
        std::string expected(static_cast<std::size_t>(c.n * c.n), '+');
        expected[c.w1] = expected[c.w2] = 'w';
        expected[c.b1] = expected[c.b2] = 'b';
        EXPECT_EQ(text, expected) << c.n;
    }
    ResetGameState();
}

TEST(BoardText, ColumnByColumnFromTheTop) {
    ResetGameState();
    Game().BoardSize = 8;
    NewGame();
    Game().Boards[0][SquareIndex(0, 1, 8)] = CellBlack;  // A7
    Game().Boards[0][SquareIndex(1, 0, 8)] = CellWhite;  // B8
    std::string text;
    BoardToText(text);
    EXPECT_EQ(text[1], 'b');
    EXPECT_EQ(text[8], 'w');
    ResetGameState();
}
