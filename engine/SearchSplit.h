// How the threads of one fast search share work (FastSearch.cpp): a node
// whose first square has been searched may offer its other squares as a
// split point; idle threads join it and take squares one at a time. Every
// value stays exact for its window, so the answer is the same however the
// work was shared.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "BoardBits.h"

namespace reversi::searchsplit {

// A position with the side to move's discs first.
struct Node {
    Bits Me = 0, Opp = 0;
    int Diff = 0;          // weighted disc difference for the side to move
    unsigned Corners = 0;  // corner state: bit k, corner k is not empty
};

// The squares of one node left to search, and the best value found so far.
struct SplitPoint {
    enum class Kind { Inner, Root };

    SplitPoint(Kind kind, const Node& node, int left, bool passed, int alpha, int beta,
               SplitPoint* parent)
        : What(kind),
          At(node),
          Left(left),
          Passed(passed),
          Beta(beta),
          Parent(parent),
          Alpha(alpha) {}

    const Kind What;
    const Node At;
    const int Left;            // plies left at the node
    const bool Passed;         // the last move before the node was a pass
    const int Beta;            // the node's upper window end (Inner)
    SplitPoint* const Parent;  // the split point whose square led here, or none

    std::array<std::uint8_t, 96> Order{};  // the squares, in the order taken
    int Count = 0;                         // how many of them

    std::atomic<int> Next{0};     // the next square's place in Order
    std::atomic<int> Workers{0};  // threads other than the owner working here
    std::atomic<bool> Cutoff{false};
    // Raised only while holding Lock; read freely for new windows.
    std::atomic<int> Alpha;

    std::mutex Lock;
    int Best = 0;      // guarded by Lock
    int BestBit = -1;  // guarded by Lock

    bool HasWork() const { return Next.load(std::memory_order_relaxed) < Count && !Cut(); }
    // This split point or one it lies under has been cut off: its work is
    // no longer needed.
    bool Cut() const {
        for (const SplitPoint* p = this; p; p = p->Parent)
            if (p->Cutoff.load(std::memory_order_relaxed)) return true;
        return false;
    }
    bool Under(const SplitPoint* ancestor) const {
        for (const SplitPoint* p = this; p; p = p->Parent)
            if (p == ancestor) return true;
        return false;
    }
};

// The split points on offer to the threads of one search.
class SplitBoard {
public:
    bool SomeoneIdle() const { return idle_.load(std::memory_order_relaxed) > 0; }

    void Offer(SplitPoint* sp) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            offered_.push_back(sp);
        }
        Announce();
    }
    // How many offers were made so far, and a sleep until the next one (or
    // the end of the search) for a thread that has long found no work.
    std::uint32_t Offers() const { return offers_.load(); }
    void WaitForOffer(std::uint32_t seen) {
        ++sleepers_;
        {
            std::unique_lock<std::mutex> guard(sleep_);
            wake_.wait(guard, [&] { return offers_.load() != seen || done_.load(); });
        }
        --sleepers_;
    }
    // After this no thread joins sp any more.
    void Withdraw(SplitPoint* sp) {
        std::lock_guard<std::mutex> guard(lock_);
        std::erase(offered_, sp);
    }
    // A split point with work left (under `under` if given), the one nearest
    // the root first; its Workers count already includes the caller.
    SplitPoint* Join(const SplitPoint* under) {
        std::lock_guard<std::mutex> guard(lock_);
        SplitPoint* pick = nullptr;
        for (SplitPoint* sp : offered_)
            if (sp->HasWork() && (!under || sp->Under(under)) && (!pick || sp->Left > pick->Left))
                pick = sp;
        if (pick) pick->Workers.fetch_add(1, std::memory_order_relaxed);
        return pick;
    }

    // Threads looking for work, so that a node splits only when it helps.
    void Idle(bool idle) { idle_.fetch_add(idle ? 1 : -1, std::memory_order_relaxed); }

    void Finish() {
        done_.store(true);
        Announce();
    }
    bool Finished() const { return done_.load(); }

private:
    // Counts an offer and wakes the sleepers. Both sides use sequentially
    // consistent order: either a thread about to sleep sees the new count
    // (or the end), or this sees it among the sleepers and wakes it under
    // the lock. The end counts too because a helper may have read the count
    // after the last offer.
    void Announce() {
        ++offers_;
        if (sleepers_.load() > 0) {
            { std::lock_guard<std::mutex> guard(sleep_); }
            wake_.notify_all();
        }
    }

    std::mutex lock_;
    std::vector<SplitPoint*> offered_;
    std::atomic<int> idle_{0};
    std::atomic<std::uint32_t> offers_{0};
    std::atomic<int> sleepers_{0};
    std::mutex sleep_;
    std::condition_variable wake_;
    std::atomic<bool> done_{false};
};

// A wait while looking for work: a few short spins, then the core is given
// up to other threads, so that waiting helpers never starve the threads that
// work on a busy machine. Wait returns true once the wait has been long
// enough that a helper may as well sleep until the next offer.
class Backoff {
public:
    bool Wait() {
        ++spins_;
        if (spins_ < 64) {
#if defined(__SSE2__)
            __builtin_ia32_pause();
#endif
            return false;
        }
        std::this_thread::yield();
        return spins_ >= 96;
    }
    void Reset() { spins_ = 0; }

private:
    int spins_ = 0;
};

}  // namespace reversi::searchsplit
