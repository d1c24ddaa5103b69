// The search the game uses (RunSearch): the same values as the plain search
// of Search.cpp, on bit masks instead of byte boards (SearchBits.h), with the
// weighted disc difference carried from node to node, a table of visited
// positions (SearchTable.h), iterative deepening, null-window tests, killer
// squares, and on deep searches threads that share the squares of a node once
// its first square is searched (SearchSplit.h).
//
// A node is the position, the side to move (its discs are `me`), the plies
// left and whether the last move was a pass; its value, for the side to move,
// depends on nothing else during one search (the level and engine are fixed),
// so a stored value is reused only for exactly that key. The leaf rules:
// after a move at the depth limit the evaluation counts even when the game is
// over; after a pass at the depth limit the final score counts when the
// other side cannot move either.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <thread>
#include <vector>

#include "BoardBits.h"
#include "Evaluation.h"
#include "Search.h"
#include "SearchBits.h"
#include "SearchHelpers.h"
#include "SearchSplit.h"
#include "SearchTable.h"

namespace reversi {

namespace {

constexpr int Infinity = 1 << 20;
// Nodes with at least this many plies left use the table; below, a lookup
// costs more than it saves.
constexpr int TableMinLeft = 2;
// Iterative deepening starts this many plies short of the full depth.
constexpr int DeepeningPlies = 2;
// Searches from this depth on share their work among threads once they have
// taken this many nodes (about a millisecond), with at most this many helpers;
// a node shares its squares only with this many plies left or more, where a
// square is worth handing over.
constexpr int ParallelDepth = 6;
constexpr std::uint64_t ParallelNodes = 3000;
constexpr unsigned MaxHelpers = 7;
constexpr int SplitMinLeft = 4;
// The root window of the plain search: a value at or above it ends the root
// with that square.
constexpr int RootCap = 32767;

using namespace searchbits;
using searchsplit::Node;
using searchsplit::SplitBoard;
using searchsplit::SplitPoint;

template <int N, bool Advanced, bool Baby>
class Searcher {
public:
    // stop is the caller's stop request; board the split points shared with
    // the other threads of this search, if there are any.
    Searcher(Bits empty0, const std::atomic<bool>* stop, SearchTable& table, SplitBoard* board)
        : empty0_(empty0), stop_(stop), table_(table), board_(board) {}

    std::uint64_t Nodes() const { return nodes_; }
    // Once this search has taken ParallelNodes nodes, wake is called to start
    // helpers that take squares from board.
    void ShareLater(SplitBoard* board, std::function<void()> wake) {
        later_ = board;
        wake_ = std::move(wake);
    }
    bool Stopped() const { return stopped_; }

    int FullDiff(Bits me, Bits opp, unsigned corners) const {
        const std::int16_t* w = Geo<N>.Weights[corners].data();
        return WeightSum(me, w) - WeightSum(opp, w);
    }

    // The node after the side to move of n plays bit i, seen by the mover:
    // Me is the mover's discs (the caller swaps for the next side).
    Node Play(const Node& n, int i) const {
        int flipped = 0;
        const Bits f = Flips<N>(i, n.Me, n.Opp, Geo<N>.Weights[n.Corners].data(), flipped);
        return Play(n, i, f, flipped);
    }

    // Play with the turned discs f and their weight sum already known.
    Node Play(const Node& n, int i, Bits f, int flipped) const {
        const auto& g = Geo<N>;
        const Bits m = Bit(i);
        const std::int16_t* w = g.Weights[n.Corners].data();
        Node after;
        after.Me = n.Me | f | m;
        after.Opp = n.Opp & ~f;
        after.Corners = n.Corners | g.CornerOf[static_cast<std::size_t>(i)];
        // A corner never turns, so the weights change only when a corner is
        // taken: from the plain table to the corner table when it is the
        // first, else only at the new corner's three neighbours.
        if (after.Corners == n.Corners) {
            after.Diff = n.Diff + w[i] + 2 * flipped;
        } else if (n.Corners == 0) {
            after.Diff = FullDiff(after.Me, after.Opp, after.Corners);
        } else {
            after.Diff = n.Diff + w[i] + 2 * flipped;
            const auto& nb = g.CornerNeighbours[static_cast<std::size_t>(
                __builtin_ctz(after.Corners ^ n.Corners))];
            auto side = [&](int b) {
                return static_cast<int>((after.Me >> b) & 1) -
                       static_cast<int>((after.Opp >> b) & 1);
            };
            // -8, -8 and -24 become 12, 12 and 8.
            after.Diff += 20 * (side(nb[0]) + side(nb[1])) + 32 * side(nb[2]);
        }
        return after;
    }

    // Evaluate for n.Me.
    int Eval(const Node& n) const {
        int v = WinScore;
        if (n.Opp != 0) {
            v = n.Diff;
            if constexpr (Advanced)
                v += CountBits(Moves<N>(n.Me, n.Opp, empty0_ & ~(n.Me | n.Opp)));
        }
        return Baby ? WinScore - v : v;
    }

    // The final score for the discs a against the discs b.
    static int Final(Bits a, Bits b) {
        const int d = CountBits(a) - CountBits(b);
        if constexpr (Baby) return WinScore - d;
        return d > 0 ? d + WinScore : d < 0 ? d - WinScore : 0;
    }

    bool CanPlay(Bits me, Bits opp) const {
        return (Moves<N>(me, opp, empty0_ & ~(me | opp)) & Geo<N>.Searched) != 0;
    }

    // The value of move i for the side to move of n, with plies left after it.
    // Exact when inside (alpha, beta); otherwise a bound on the same side.
    int MoveValue(const Node& n, int i, int left, int alpha, int beta) {
        const Node after = Play(n, i);
        if (left == 0) {
            ++nodes_;
            return Eval(after);
        }
        return -Search(Node{after.Opp, after.Me, -after.Diff, after.Corners}, left, false, -beta,
                       -alpha);
    }

    // The value of n for its side to move, with plies left (at least 1) and
    // passed telling whether the last move was a pass; fail-soft.
    int Search(const Node& n, int left, bool passed, int alpha, int beta) {
        ++nodes_;
        if (StopRequested() || (current_ && current_->Cut())) {
            stopped_ = true;
            return 0;
        }
        const auto& g = Geo<N>;
        if (left < TableMinLeft) return Frontier(n, passed, beta);
        // The bucket loads while the moves are found.
        table_.Prefetch(n.Me, n.Opp);
        const Bits moves = Moves<N>(n.Me, n.Opp, empty0_ & ~(n.Me | n.Opp)) & g.Searched;
        if (moves == 0) {
            // The side passed before and cannot move either: the game is over.
            if (passed) return -Final(n.Opp, n.Me);
            // A pass, then the other side at the depth limit.
            if (left == 1) return CanPlay(n.Opp, n.Me) ? Eval(n) : Final(n.Me, n.Opp);
            return -Search(Node{n.Opp, n.Me, -n.Diff, n.Corners}, left - 1, true, -beta, -alpha);
        }

        // A stored value counts only for exactly these plies left and this
        // pass flag; a stored best square is tried first in any case.
        int tableMove = -1;
        if (TableEntry e; table_.Find(n.Me, n.Opp, e)) {
            if (e.Left == left && (e.Passed != 0) == passed) {
                if (e.Lower >= beta) return e.Lower;
                if (e.Upper <= alpha) return e.Upper;
                if (e.Lower == e.Upper) return e.Lower;
            }
            tableMove = e.Move - 1;
        }

        // Then the two squares that last cut off at this many plies left.
        auto& killers = killers_[static_cast<std::size_t>(left)];
        std::array<std::uint8_t, 96> order;
        int lead = 0;
        const int count = OrderMoves<N>(moves, {tableMove, killers[0], killers[1]}, order, lead);
        // The inverted values of level "0-baby" turn the move order upside
        // down; there the squares that cut off most often go first.
        if constexpr (Baby) SortByHistory(order, lead, count);

        int best = -Infinity, bestBit = -1, a = alpha;
        for (int k = 0; k < count; ++k) {
            if (k > 0 && left >= SplitMinLeft && count - k >= 2 && Sharing() &&
                board_->SomeoneIdle()) {
                Split(n, left, passed, a, beta, order, k, count, best, bestBit);
                if (stopped_) return 0;
                break;
            }
            const int i = order[static_cast<std::size_t>(k)];
            int v;
            if (k == 0) {
                v = MoveValue(n, i, left - 1, a, beta);
            } else {
                // Null window: does this square beat the best so far?
                v = MoveValue(n, i, left - 1, a, a + 1);
                if (!stopped_ && v > a && v < beta) v = MoveValue(n, i, left - 1, a, beta);
            }
            if (stopped_) return 0;
            if (v > best) {
                best = v;
                bestBit = i;
                if (v > a) {
                    a = v;
                    if (v >= beta) {
                        history_[static_cast<std::size_t>(i)] += left * left;
                        if (killers[0] != i) killers = {i, killers[0]};
                        break;
                    }
                }
            }
        }
        const int lower = best > alpha ? best : -Infinity;
        const int upper = best < beta ? best : Infinity;
        table_.Store(n.Me, n.Opp, left, passed, lower, upper, bestBit);
        return best;
    }

    // A node one ply above the depth limit: the best of its moves'
    // evaluations. Its moves are not generated beforehand: each empty square
    // next to an opp disc is tried, and a square that turns nothing is no move.
    int Frontier(const Node& n, bool passed, int beta) {
        const auto& g = Geo<N>;
        const Bits empty = empty0_ & ~(n.Me | n.Opp);
        Bits around = 0;
        for (int d : Layout<N>::Dirs) around |= d > 0 ? n.Opp << d : n.Opp >> -d;
        const Bits candidates = around & empty & g.Searched;

        auto& killers = killers_[1];
        std::array<std::uint8_t, 96> order;
        int lead = 0;
        const int count = OrderMoves<N>(candidates, {killers[0], killers[1], -1}, order, lead);
        const int oppCount = Advanced ? 0 : CountBits(n.Opp);
        const std::int16_t* w = g.Weights[n.Corners].data();
        int best = -Infinity;
        for (int k = 0; k < count; ++k) {
            const int i = order[static_cast<std::size_t>(k)];
            int v;
            if constexpr (Advanced) {
                int flipped = 0;
                const Bits f = Flips<N>(i, n.Me, n.Opp, w, flipped);
                if (f == 0) continue;
                v = Eval(Play(n, i, f, flipped));
            } else {
                int turned = 0;
                const int flipped = FlipWeight<N>(i, n.Me, n.Opp, w, turned);
                if (turned == 0) continue;
                if (g.CornerOf[static_cast<std::size_t>(i)]) {
                    v = Eval(Play(n, i));
                } else {
                    v = turned == oppCount ? WinScore : n.Diff + w[i] + 2 * flipped;
                    if constexpr (Baby) v = WinScore - v;
                }
            }
            ++nodes_;
            if (v > best) {
                best = v;
                if (v >= beta) {
                    if (killers[0] != i) killers = {i, killers[0]};
                    break;
                }
            }
        }
        if (best > -Infinity) return best;
        // No move: as in Search.
        if (passed) return -Final(n.Opp, n.Me);
        return CanPlay(n.Opp, n.Me) ? Eval(n) : Final(n.Me, n.Opp);
    }

    // Orders order[lead..count) by falling history score, keeping the move
    // order among equals.
    void SortByHistory(std::array<std::uint8_t, 96>& order, int lead, int count) const {
        for (int k = lead + 1; k < count; ++k) {
            const std::uint8_t o = order[static_cast<std::size_t>(k)];
            const int score = history_[o];
            int j = k - 1;
            for (; j >= lead && history_[order[static_cast<std::size_t>(j)]] < score; --j)
                order[static_cast<std::size_t>(j + 1)] = order[static_cast<std::size_t>(j)];
            order[static_cast<std::size_t>(j + 1)] = o;
        }
    }

    // The root: the first square in move order whose value, capped at
    // RootCap, is the highest. Each square after the first only has to show
    // that it beats the best so far (a null-window test), and is searched
    // exactly only when it does.
    struct RootAnswer {
        int Bit = -1;
        int Value = 0;
    };
    RootAnswer Root(const Node& n, int depth, int firstBit) {
        const auto& g = Geo<N>;
        const Bits moves = Moves<N>(n.Me, n.Opp, empty0_ & ~(n.Me | n.Opp)) & g.Searched;
        std::array<std::uint8_t, 96> order;
        const int count = OrderMovesExactly<N>(moves, firstBit, order);
        // The first square exactly, then the others as RootSquare tests them.
        RootAnswer best;
        if (count == 0) return best;
        const int v = MoveValue(n, order[0], depth - 1, -Infinity, RootCap);
        if (stopped_) return best;
        best = {order[0], std::min(v, RootCap)};
        SplitPoint sp(SplitPoint::Kind::Root, n, depth, false, 0, RootCap, nullptr);
        sp.Best = best.Value;
        sp.BestBit = best.Bit;
        Share(sp, order, 1, count);
        if (!stopped_) best = {sp.BestBit, sp.Best};
        return best;
    }

    // Takes squares of sp one at a time until none is left, sp is cut off
    // or the search stops. The values of an abandoned square are dropped.
    void WorkAt(SplitPoint& sp) {
        SplitPoint* const outer = current_;
        current_ = &sp;
        for (;;) {
            const int k = sp.Next.fetch_add(1, std::memory_order_relaxed);
            if (k >= sp.Count || sp.Cut() || StopRequested()) break;
            const int i = sp.Order[static_cast<std::size_t>(k)];
            if (sp.What == SplitPoint::Kind::Root)
                RootSquare(sp, i);
            else
                InnerSquare(sp, i);
            if (stopped_) {
                stopped_ = false;
                break;
            }
        }
        current_ = outer;
    }

    // The loop of a thread that helps: join any split point with work left
    // until the search ends.
    void Help() {
        board_->Idle(true);
        searchsplit::Backoff backoff;
        while (!board_->Finished()) {
            const auto offers = board_->Offers();
            if (HelpOnce(nullptr))
                backoff.Reset();
            else if (backoff.Wait())
                board_->WaitForOffer(offers);
        }
        board_->Idle(false);
    }

private:
    bool StopRequested() const { return stop_->load(std::memory_order_relaxed); }

    // Whether this thread shares its nodes with helpers; wakes them when the
    // search has run long enough.
    bool Sharing() {
        if (!board_ && wake_ && nodes_ >= ParallelNodes) {
            std::exchange(wake_, nullptr)();
            board_ = later_;
        }
        return board_ != nullptr;
    }

    // Joins a split point with work left (one under `under` if given) and
    // works there; false when there was none. The caller counts as idle.
    bool HelpOnce(const SplitPoint* under) {
        SplitPoint* sp = board_->Join(under);
        if (!sp) return false;
        board_->Idle(false);
        WorkAt(*sp);
        sp->Workers.fetch_sub(1, std::memory_order_release);
        board_->Idle(true);
        return true;
    }

    // Offers squares order[from..count) of sp's node to the other threads
    // when they take part, searches them with those that join, and returns
    // once every one of them has left. stopped_ tells afterwards whether the
    // values count.
    void Share(SplitPoint& sp, const std::array<std::uint8_t, 96>& order, int from, int count) {
        sp.Count = count - from;
        std::copy(order.begin() + from, order.begin() + count, sp.Order.begin());
        if (!Sharing()) {
            WorkAt(sp);
            stopped_ = StopRequested();
            return;
        }
        board_->Offer(&sp);
        WorkAt(sp);
        board_->Withdraw(&sp);
        // While helpers still work below sp, help them.
        board_->Idle(true);
        searchsplit::Backoff backoff;
        while (sp.Workers.load(std::memory_order_acquire) > 0) {
            if (HelpOnce(&sp))
                backoff.Reset();
            else
                backoff.Wait();
        }
        board_->Idle(false);
        stopped_ = StopRequested() || (sp.Parent && sp.Parent->Cut());
    }

    // Search's loop from square order[from] on, shared with other threads;
    // best and bestBit carry the values found before and after.
    void Split(const Node& n, int left, bool passed, int alpha, int beta,
               const std::array<std::uint8_t, 96>& order, int from, int count, int& best,
               int& bestBit) {
        SplitPoint sp(SplitPoint::Kind::Inner, n, left, passed, alpha, beta, current_);
        sp.Best = best;
        sp.BestBit = bestBit;
        Share(sp, order, from, count);
        best = sp.Best;
        bestBit = sp.BestBit;
    }

    // One square of an inner split point: a null-window test against the
    // best value so far, and an exact search when it beats it.
    void InnerSquare(SplitPoint& sp, int i) {
        const int a = sp.Alpha.load(std::memory_order_relaxed);
        int v = MoveValue(sp.At, i, sp.Left - 1, a, a + 1);
        if (!stopped_ && v > a && v < sp.Beta)
            v = MoveValue(sp.At, i, sp.Left - 1,
                          std::max(a, sp.Alpha.load(std::memory_order_relaxed)), sp.Beta);
        if (stopped_) return;
        std::lock_guard<std::mutex> guard(sp.Lock);
        if (v <= sp.Best) return;
        sp.Best = v;
        sp.BestBit = i;
        if (v <= sp.Alpha.load(std::memory_order_relaxed)) return;
        if (v < sp.Beta) {
            sp.Alpha.store(v, std::memory_order_relaxed);
            return;
        }
        sp.Cutoff.store(true, std::memory_order_relaxed);
        history_[static_cast<std::size_t>(i)] += sp.Left * sp.Left;
        auto& killers = killers_[static_cast<std::size_t>(sp.Left)];
        if (killers[0] != i) killers = {i, killers[0]};
    }

    // One square of the root, as in Root: it counts only when it beats the
    // best so far, an equal value when it comes earlier in move order.
    void RootSquare(SplitPoint& sp, int i) {
        const auto& rank = Geo<N>.Rank;
        int bestValue, bestBit;
        {
            std::lock_guard<std::mutex> guard(sp.Lock);
            bestValue = sp.Best;
            bestBit = sp.BestBit;
        }
        const bool earlier =
            rank[static_cast<std::size_t>(i)] < rank[static_cast<std::size_t>(bestBit)];
        if (!earlier && bestValue >= RootCap) return;
        const int threshold = earlier ? bestValue - 1 : bestValue;
        int v = MoveValue(sp.At, i, sp.Left - 1, threshold, threshold + 1);
        if (stopped_ || v <= threshold) return;
        if (v < RootCap) v = MoveValue(sp.At, i, sp.Left - 1, threshold, RootCap);
        if (stopped_) return;
        v = std::min(v, RootCap);
        std::lock_guard<std::mutex> guard(sp.Lock);
        if (v > sp.Best || (v == sp.Best && rank[static_cast<std::size_t>(i)] <
                                                rank[static_cast<std::size_t>(sp.BestBit)])) {
            sp.Best = v;
            sp.BestBit = i;
        }
    }

private:
    Bits empty0_;
    const std::atomic<bool>* stop_;
    SearchTable& table_;
    SplitBoard* board_;
    SplitBoard* later_ = nullptr;
    std::function<void()> wake_;
    // The split point whose square this thread searches, if any.
    SplitPoint* current_ = nullptr;
    std::uint64_t nodes_ = 0;
    bool stopped_ = false;
    // How often (weighted by plies left) each square cut off.
    std::array<int, 128> history_{};
    // Per plies left, the last two squares that cut off (bit index, -1 = none).
    std::array<std::array<int, 2>, 10> killers_ = [] {
        std::array<std::array<int, 2>, 10> k;
        k.fill({-1, -1});
        return k;
    }();
};

const std::atomic<bool> NeverStop{false};

template <int N, bool Advanced, bool Baby>
SearchResult Run(const SearchInput& input, const std::atomic<bool>* stop) {
    const auto& g = Geo<N>;
    SearchResult result;
    result.BestMove.fill(PassMove);
    const int side = input.SideToMove;
    const int depth = std::clamp(input.Depth, 1, 9);
    // Only the playing squares count: stray border bytes are ignored.
    const Bits me = CellMask<N>(input.Position, side) & g.Playing;
    const Bits opp = CellMask<N>(input.Position, Opponent(side)) & g.Playing;
    const Bits empty0 = CellMask<N>(input.Position, CellEmpty) & g.Playing;

    if (!stop) stop = &NeverStop;
    SearchTableLease lease;
    using S = Searcher<N, Advanced, Baby>;
    SplitBoard board;
    S s(empty0, stop, lease.Table(), nullptr);
    Node root{me, opp, 0, 0};
    for (std::size_t k = 0; k < 4; ++k) {
        const int b = EvalTables<N>::Corners[k].corner - Layout<N>::First;
        if (!(empty0 & Bit(b))) root.Corners |= 1u << k;
    }
    root.Diff = s.FullDiff(me, opp, root.Corners);

    if (stop->load()) {
        result.Nodes = 1;
        result.Stopped = true;
        return result;
    }
    if (!s.CanPlay(me, opp)) {
        // No square: the root passes, and the other side has just passed.
        result.Nodes = 1;
        result.Score = -S::Final(opp, me);
        return result;
    }
    // A deep search that has run long enough shares its work with helper
    // threads; for a short one, waking them would cost more than they save.
    std::atomic<std::uint64_t> helperNodes{0};
    std::optional<SearchHelpers> helpers;
    if (depth >= ParallelDepth)
        s.ShareLater(&board, [&] {
            const unsigned cores = std::thread::hardware_concurrency();
            helpers.emplace(std::min(MaxHelpers, cores > 1 ? cores - 1 : 0u), [&](unsigned) {
                S helper(empty0, stop, lease.Table(), &board);
                helper.Help();
                helperNodes += helper.Nodes();
            });
        });
    // Deeper and deeper: each round's best square is tried first in the next,
    // and the table keeps the best squares of the positions below.
    const int firstDepth = std::max(1, depth - DeepeningPlies);
    typename S::RootAnswer answer;
    for (int d = firstDepth; d <= depth && !s.Stopped(); ++d) {
        const auto a = s.Root(root, d, answer.Bit);
        if (!s.Stopped()) answer = a;
    }
    board.Finish();
    helpers.reset();
    result.Nodes = s.Nodes() + helperNodes + 1;
    result.Stopped = s.Stopped() || stop->load();
    if (!result.Stopped) {
        result.Move = answer.Bit + Layout<N>::First;
        result.Score = answer.Value;
        result.BestMove[0] = result.Move;
    }
    return result;
}

}  // namespace

SearchResult RunSearch(const SearchInput& input, const std::atomic<bool>* stop) {
    if (input.SideToMove != CellWhite && input.SideToMove != CellBlack) {
        SearchResult none;
        none.BestMove.fill(PassMove);
        return none;
    }
    const bool eight = input.BoardSize == 8;
    const bool adv = input.AdvancedEngine, baby = input.BabyLevel;
    if (eight) {
        if (adv) return baby ? Run<8, true, true>(input, stop) : Run<8, true, false>(input, stop);
        return baby ? Run<8, false, true>(input, stop) : Run<8, false, false>(input, stop);
    }
    if (adv) return baby ? Run<10, true, true>(input, stop) : Run<10, true, false>(input, stop);
    return baby ? Run<10, false, true>(input, stop) : Run<10, false, false>(input, stop);
}

}  // namespace reversi
