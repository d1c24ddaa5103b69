// The fast search's table of visited positions: bounds on a position's value
// for one number of plies left and pass flag, and the best square found there.
// Tables are kept in a process-wide pool and reused by later searches.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "BoardBits.h"

namespace reversi {

// One stored position. The discs of the side to move and of the other side
// are kept whole, so a lookup trusts only an entry of exactly this position.
struct TableEntry {
    std::uint64_t Me[2]{}, Opp[2]{};
    std::int32_t Lower = 0, Upper = 0;  // Lower <= value <= Upper
    std::uint32_t Generation = 0;       // the search that wrote it; 0 = empty
    std::uint8_t Left = 0;              // plies left below this position
    std::uint8_t Passed = 0;            // the last move was a pass
    std::uint8_t Move = 0;              // best square's bit index + 1; 0 = none

    bool Holds(Bits me, Bits opp) const {
        return Me[0] == static_cast<std::uint64_t>(me) &&
               Me[1] == static_cast<std::uint64_t>(me >> 64) &&
               Opp[0] == static_cast<std::uint64_t>(opp) &&
               Opp[1] == static_cast<std::uint64_t>(opp >> 64);
    }
};

// The table is shared by the threads of one search. Each slot carries a
// sequence number that is odd while a thread writes it; a reader that sees
// it odd or changed takes the slot as empty, so no reader ever trusts a half
// written entry, and a writer that finds the slot busy simply skips it.
class SearchTable {
public:
    // Two slots of 64 bytes per bucket; 2^18 slots: 16 MB.
    static constexpr std::size_t SlotCount = std::size_t{1} << 18;

    SearchTable();

    // Starts a new search: every entry written before counts as empty.
    void NewSearch();

    // Starts loading the position's bucket into the cache.
    void Prefetch(Bits me, Bits opp) const { __builtin_prefetch(&slots_[Bucket(me, opp)]); }
    // Copies the entry holding this position into out; false when none does.
    bool Find(Bits me, Bits opp, TableEntry& out) const;
    // Stores bounds and the best square (bit index, or -1) for the position.
    void Store(Bits me, Bits opp, int left, bool passed, int lower, int upper, int moveBit);

    static constexpr std::size_t Bytes() { return SlotCount * sizeof(Slot); }

private:
    struct alignas(64) Slot {
        std::atomic<std::uint64_t> Sequence{0};
        // Me low and high, Opp low and high, the bounds, then generation,
        // plies left, pass flag and move.
        std::array<std::atomic<std::uint64_t>, 6> Words{};
    };

    std::size_t Bucket(Bits me, Bits opp) const;
    bool Read(const Slot& slot, TableEntry& out) const;

    std::unique_ptr<Slot[]> slots_;
    std::uint32_t generation_ = 0;
};

// A table taken from the pool for one search and given back when the lease
// ends. A table is created only when no free one is left, so memory grows
// with the number of searches running at once, not with the number of moves.
class SearchTableLease {
public:
    SearchTableLease();
    ~SearchTableLease();
    SearchTableLease(const SearchTableLease&) = delete;
    SearchTableLease& operator=(const SearchTableLease&) = delete;

    SearchTable& Table() { return *table_; }

private:
    std::unique_ptr<SearchTable> table_;
};

}  // namespace reversi
