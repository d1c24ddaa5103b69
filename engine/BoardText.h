// Move digits and the board text used by network play.
#pragma once

#include <string>

namespace reversi {

struct GameState;

// "0" to "9" for 0 to 9.
char DigitChar(int value);
// "0".."9" give 0..9, "A".."F" give 0..5, anything else 0: always 0 to 9.
int DigitValue(char c);
// The game position as N x N characters ("w", "b", "+"), column by column
// from column A, each column from the top row down.
void BoardToText(const GameState& game, std::string& text);

}  // namespace reversi
