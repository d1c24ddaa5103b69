#include "Search.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "BoardBits.h"
#include "GameState.h"
#include "RulesCore.h"

namespace reversi {

namespace {

template <int N>
constexpr std::size_t CopiedBytes() {
    // On 8 x 8 no walk from a playing square reaches beyond index 99.
    return N == 8 ? 100 : sizeof(tBoard);
}

// The squares the search tries: the first SearchedMoves entries of the move
// order, i.e. every square but the four centre squares.
template <int N>
constexpr Bits SearchedSquares() {
    Bits m = 0;
    for (int i = 0; i < EvalTables<N>::SearchedMoves; ++i)
        m |= static_cast<Bits>(1) << (EvalTables<N>::MoveOrder[i] - Layout<N>::First);
    return m;
}

// Each searched square's bit, as two 64-bit halves, in move order.
struct SquareBit {
    std::uint64_t low, high;
};
template <int N>
constexpr std::array<SquareBit, EvalTables<N>::SearchedMoves> MoveOrderBits() {
    std::array<SquareBit, EvalTables<N>::SearchedMoves> bits{};
    for (int i = 0; i < EvalTables<N>::SearchedMoves; ++i) {
        const int b = EvalTables<N>::MoveOrder[i] - Layout<N>::First;
        bits[static_cast<std::size_t>(i)] =
            b < 64 ? SquareBit{1ULL << b, 0} : SquareBit{0, 1ULL << (b - 64)};
    }
    return bits;
}
template <int N>
inline constexpr auto OrderBits = MoveOrderBits<N>();

// rules::PlaceAndFlip with the eight directions unrolled, so each offset is
// a constant: the same flips, in less time.
template <int D>
inline void FlipAlong(tBoard& b, int square, std::uint8_t me, std::uint8_t opp) {
    int s = square + D;
    if (b[s] != opp) return;
    do s += D;
    while (b[s] == opp);
    if (b[s] != me) return;
    for (s -= D; b[s] == opp; s -= D) b[s] = me;
}

template <int N, std::size_t... I>
inline void PlaceAndFlipUnrolled(tBoard& b, int square, int me, int opp,
                                 std::index_sequence<I...>) {
    const auto m = static_cast<std::uint8_t>(me), o = static_cast<std::uint8_t>(opp);
    (FlipAlong<Layout<N>::Dirs[I]>(b, square, m, o), ...);
    b[square] = m;
}

template <int N>
inline void PlaceAndFlip(tBoard& b, int square, int me, int opp) {
    PlaceAndFlipUnrolled<N>(b, square, me, opp, std::make_index_sequence<8>{});
}

template <int N>
int SearchNode(SearchContext& ctx, int move, int side, int opp, int ply, int alpha, int beta) {
    using T = EvalTables<N>;
    ++ctx.Nodes;
    if (ctx.StopRequested()) {
        ctx.BestMove[0] = PassMove;
        return 0;
    }
    tBoard& b = ctx.Boards[ply + 1];
    std::memcpy(b.data(), ctx.Boards[ply].data(), CopiedBytes<N>());

    if (move == PassMove) {
        if (ply == ctx.Depth) {
            // side passed at the depth limit: a leaf unless opp cannot move
            // either, which ends the game.
            if ((LegalMoves<N>(b, opp, side) & SearchedSquares<N>()) != 0)
                return Evaluate<N>(ctx.Eval, b, side, opp);
            return rules::FinalScore<N>(b, side, opp, ctx.Eval.BabyLevel);
        }
    } else if (ply != 0) {
        PlaceAndFlip<N>(b, move, side, opp);
        if (ply == ctx.Depth) return Evaluate<N>(ctx.Eval, b, side, opp);
    }

    ctx.BestMove[ply] = PassMove;
    // The squares opp may play, tried in move order.
    const Bits legal = LegalMoves<N>(b, opp, side) & SearchedSquares<N>();
    const bool found = legal != 0;
    const auto legalLow = static_cast<std::uint64_t>(legal);
    const auto legalHigh = static_cast<std::uint64_t>(legal >> 64);
    for (int i = 0; found && i < T::SearchedMoves; ++i) {
        const auto& bit = OrderBits<N>[static_cast<std::size_t>(i)];
        if (((legalLow & bit.low) | (legalHigh & bit.high)) == 0) continue;
        const int square = T::MoveOrder[i];
        const int h = SearchNode<N>(ctx, square, opp, side, ply + 1, -beta, -alpha);
        if (ctx.StopRequested()) return 0;
        // Strictly greater: an equal value never replaces an earlier square.
        if (h > alpha) {
            alpha = h;
            ctx.BestMove[ply] = square;
            if (h >= beta) return -h;
        }
    }
    if (found) return -alpha;

    // opp has no legal square. After a pass by side the game is over.
    if (move == PassMove) return rules::FinalScore<N>(b, side, opp, ctx.Eval.BabyLevel);
    // opp passes; the pass uses up one ply.
    const int h = SearchNode<N>(ctx, PassMove, opp, side, ply + 1, -beta, -alpha);
    if (ctx.StopRequested()) return 0;
    if (h > alpha) alpha = h;
    return -alpha;
}

// Every byte that is not a playing square of an n x n field becomes 0.
void ClearBorder(tBoard& board, int n) {
    for (int i = 0; i < static_cast<int>(board.size()); ++i)
        if (!IsPlayingSquare(i, n)) board[i] = CellOutside;
}

}  // namespace

const std::atomic<bool> SearchContext::NeverStop{false};

SearchContext::SearchContext(const SearchInput& input, const std::atomic<bool>* stop)
    : Depth(std::clamp(input.Depth, 1, 9)) {
    Boards[0] = input.Position;
    ClearBorder(Boards[0], input.BoardSize == 8 ? 8 : 10);
    BestMove.fill(PassMove);
    Eval.AdvancedEngine = input.AdvancedEngine;
    Eval.BabyLevel = input.BabyLevel;
    if (stop) Stop = stop;
}

namespace {
// Keeps every ply inside the eleven work boards, whatever the caller set.
bool PlyFits(SearchContext& ctx, int ply) {
    ctx.Depth = std::clamp(ctx.Depth, 1, 9);
    return ply >= 0 && ply <= ctx.Depth;
}
}  // namespace

int Search8(SearchContext& ctx, int move, int side, int opp, int ply, int alpha, int beta) {
    return PlyFits(ctx, ply) ? SearchNode<8>(ctx, move, side, opp, ply, alpha, beta) : 0;
}

int Search10(SearchContext& ctx, int move, int side, int opp, int ply, int alpha, int beta) {
    return PlyFits(ctx, ply) ? SearchNode<10>(ctx, move, side, opp, ply, alpha, beta) : 0;
}

SearchInput SearchInputFromGame(const GameState& g) {
    SearchInput in;
    in.BoardSize = g.BoardSize == 8 ? 8 : 10;
    in.Position = g.Boards[0];
    ClearBorder(in.Position, in.BoardSize);
    in.SideToMove = g.SideToMove;
    in.Depth = std::clamp(g.Depth, 1, 9);
    in.BabyLevel = g.BabyLevel;
    in.AdvancedEngine = g.AdvancedEngine;
    return in;
}

SearchResult ReferenceSearch(const SearchInput& input, const std::atomic<bool>* stop) {
    SearchResult result;
    result.BestMove.fill(PassMove);
    const int side = input.SideToMove;
    if (side != CellWhite && side != CellBlack) return result;

    SearchContext ctx(input, stop);
    auto search = input.BoardSize == 8 ? Search8 : Search10;
    // The root: the other colour has just "passed", side is to move.
    const int value = search(ctx, PassMove, Opponent(side), side, 0, -32767, 32767);
    result.Nodes = ctx.Nodes;
    result.Stopped = ctx.StopRequested();
    result.BestMove = ctx.BestMove;
    if (result.Stopped) {
        result.BestMove[0] = PassMove;
    } else {
        result.Score = -value;
    }
    result.Move = result.BestMove[0];
    return result;
}

}  // namespace reversi
