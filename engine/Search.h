// The computer opponent's search: a fixed-depth negamax alpha-beta search
// over a fixed move order, with passes, leaf values from the evaluation and
// final scores for finished games. Two implementations give the same answers:
// ReferenceSearch, the plain search over byte boards kept as the measure of
// correctness, and RunSearch, the fast one the game uses (FastSearch.cpp).
//
// A search never touches the game state: it works on a SearchContext built
// from a snapshot of its inputs (SearchInput), with its own work boards, its
// own best-move slots and its own copy of the corner weights. So any number
// of searches may run at once, on any thread. It polls an optional stop flag
// at the entry of every node and after every recursive call; a stopped search
// answers PassMove.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "Board.h"
#include "Evaluation.h"

namespace reversi {

// Everything a search reads, copied when it starts.
struct GameState;

struct SearchInput {
    tBoard Position{};  // the position to answer (a copy of Boards[0])
    int SideToMove = CellWhite;
    int Depth = 1;           // plies, 1 to 9
    bool BabyLevel = false;  // level "0-baby": every value inverted
    bool AdvancedEngine = false;
    int BoardSize = 8;  // 8, or any other value for 10 x 10
};

// The game state's current position, side, depth, level, engine and field
// size. The depth is clamped to 1..9 and the border bytes of the copied board
// are set to 0, so that no input can make the search leave its boards.
SearchInput SearchInputFromGame(const GameState& game);

// The working storage of one search.
struct SearchContext {
    SearchContext() = default;
    SearchContext(const SearchInput& input, const std::atomic<bool>* stop);

    // Boards[0] is the position searched; Boards[p + 1] the work board of ply p.
    std::array<tBoard, 11> Boards{};
    // BestMove[p]: the best square found at ply p; BestMove[0] is the answer.
    std::array<int, 11> BestMove{};
    int Depth = 1;
    EvalState Eval;
    // Nodes entered so far.
    std::uint64_t Nodes = 0;

    bool StopRequested() const { return Stop->load(std::memory_order_relaxed); }

private:
    static const std::atomic<bool> NeverStop;
    const std::atomic<bool>* Stop = &NeverStop;
};

// One search node. side has just played move (or passed: PassMove), opp is
// to move; the result is the node's value for side. Works on
// ctx.Boards[ply + 1] and writes ctx.BestMove[ply]. ctx.Depth is kept to
// 1..9 and a ply outside 0..Depth gives 0 without searching.
int Search8(SearchContext& ctx, int move, int side, int opp, int ply, int alpha, int beta);
int Search10(SearchContext& ctx, int move, int side, int opp, int ply, int alpha, int beta);

struct SearchResult {
    int Move = PassMove;      // the square to play, or PassMove
    int Score = 0;            // value for the side to move (0 when stopped)
    std::uint64_t Nodes = 0;  // nodes entered
    bool Stopped = false;     // the stop flag was set by the end
    std::array<int, 11> BestMove{};
};

// The plain root search for input.SideToMove in input.Position: every node a
// fixed-order alpha-beta search visits. Answers PassMove when that side has
// no legal square, when the side is not 2 or 3, and when stop was set by the
// time the search returned. BestMove[p] is the last best square found at ply p.
SearchResult ReferenceSearch(const SearchInput& input, const std::atomic<bool>* stop = nullptr);

// The search the game uses: the same answer as ReferenceSearch for every
// input (the first square in move order of the best value), found with a
// table of visited positions (16 MB, taken from a pool and kept for later
// searches), iterative deepening, null-window tests and killer squares on
// bit masks. A search of depth 6 or more that runs longer than about a
// millisecond shares the squares of a node whose first square is searched
// with up to seven helper threads (kept by the process between searches),
// which changes how long it takes but never its answer. Two differences:
// where every square's value lies at or below the root window's lower end
// (-32767, possible only with the inverted values of level "0-baby"), it
// answers the best legal square where ReferenceSearch answers PassMove; and
// Score is clamped to at most 32767. BestMove holds the answer in [0] and PassMove
// elsewhere; Nodes counts the nodes entered and the leaves evaluated, by all
// threads (so it may vary from run to run when helpers ran). A stop request
// is seen within a node or two by every thread.
SearchResult RunSearch(const SearchInput& input, const std::atomic<bool>* stop = nullptr);

}  // namespace reversi
