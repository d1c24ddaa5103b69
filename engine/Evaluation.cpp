#include "Evaluation.h"

namespace reversi {

int Evaluate8(EvalState& state, const tBoard& board, int me, int opp) {
    return Evaluate<8>(state, board, me, opp);
}

int Evaluate10(EvalState& state, const tBoard& board, int me, int opp) {
    return Evaluate<10>(state, board, me, opp);
}

}  // namespace reversi
