// The rules bound to the game state: the board initialisers fill `Boards`,
// the move makers clear `FirstMove`, the final scores read `BabyLevel`.
#pragma once

#include "Board.h"

namespace reversi {

void InitBoards8();
void InitBoards10();
bool CanMove8(const tBoard& board, int square, int me, int opp);
bool CanMove10(const tBoard& board, int square, int me, int opp);
void MakeMove8(tBoard& board, int square, int me, int opp);
void MakeMove10(tBoard& board, int square, int me, int opp);
int FinalScore8(const tBoard& board, int me, int opp);
int FinalScore10(const tBoard& board, int me, int opp);

}  // namespace reversi
