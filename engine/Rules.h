// The rules of each field size: the board initialisers fill the game's
// boards, the move makers and checks work on the board they are given, the
// final scores count a finished board (the baby level scores it reversed).
#pragma once

#include <array>

#include "Board.h"

namespace reversi {

void InitBoards8(std::array<tBoard, 11>& boards);
void InitBoards10(std::array<tBoard, 11>& boards);
bool CanMove8(const tBoard& board, int square, int me, int opp);
bool CanMove10(const tBoard& board, int square, int me, int opp);
void MakeMove8(tBoard& board, int square, int me, int opp);
void MakeMove10(tBoard& board, int square, int me, int opp);
int FinalScore8(const tBoard& board, int me, int opp, bool babyLevel);
int FinalScore10(const tBoard& board, int me, int opp, bool babyLevel);

}  // namespace reversi
