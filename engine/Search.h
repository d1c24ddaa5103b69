// The computer opponent's search. Placeholder until the search lands.
#pragma once

#include "Board.h"

namespace reversi {

struct SearchContext {};

int Search8(SearchContext& ctx, int move, int side, int opp, int ply, int alpha, int beta);
int Search10(SearchContext& ctx, int move, int side, int opp, int ply, int alpha, int beta);

}  // namespace reversi
