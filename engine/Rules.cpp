#include "Rules.h"

#include "RulesCore.h"

namespace reversi {

namespace {
// Boards 0 to 8 get the start position, 9 and 10 are cleared; only Boards[0]
// is read afterwards (the search copies it, see GameState.h).
template <int N>
void InitBoardsFor(std::array<tBoard, 11>& boards) {
    for (auto& b : boards) b.fill(0);
    const tBoard start = rules::StartBoard<N>();
    for (int i = 0; i <= 8; ++i) boards[i] = start;
}

template <int N>
void MakeMoveFor(tBoard& board, int square, int me, int opp) {
    if (square == PassMove) return;
    rules::PlaceAndFlip<N>(board, square, me, opp);
}
}  // namespace

void InitBoards8(std::array<tBoard, 11>& boards) { InitBoardsFor<8>(boards); }
void InitBoards10(std::array<tBoard, 11>& boards) { InitBoardsFor<10>(boards); }
bool CanMove8(const tBoard& b, int sq, int me, int opp) {
    return rules::CanMove<8>(b, sq, me, opp);
}
bool CanMove10(const tBoard& b, int sq, int me, int opp) {
    return rules::CanMove<10>(b, sq, me, opp);
}
void MakeMove8(tBoard& b, int sq, int me, int opp) { MakeMoveFor<8>(b, sq, me, opp); }
void MakeMove10(tBoard& b, int sq, int me, int opp) { MakeMoveFor<10>(b, sq, me, opp); }
int FinalScore8(const tBoard& b, int me, int opp, bool babyLevel) {
    return rules::FinalScore<8>(b, me, opp, babyLevel);
}
int FinalScore10(const tBoard& b, int me, int opp, bool babyLevel) {
    return rules::FinalScore<10>(b, me, opp, babyLevel);
}

}  // namespace reversi
