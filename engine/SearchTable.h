// The fast search's table of visited positions: bounds on a position's value
// for one number of plies left and pass flag, and the best square found there.
// Tables are kept in a process-wide pool and reused by later searches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

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
    std::uint8_t Unused = 0;

    bool Holds(Bits me, Bits opp) const {
        return Me[0] == static_cast<std::uint64_t>(me) && Me[1] == static_cast<std::uint64_t>(me >> 64) &&
               Opp[0] == static_cast<std::uint64_t>(opp) && Opp[1] == static_cast<std::uint64_t>(opp >> 64);
    }
};

class SearchTable {
public:
    // Two entries per bucket; 2^18 entries of 48 bytes: 12 MB.
    static constexpr std::size_t EntryCount = std::size_t{1} << 18;

    SearchTable();

    // Starts a new search: every entry written before counts as empty.
    void NewSearch();

    // Starts loading the position's bucket into the cache.
    void Prefetch(Bits me, Bits opp) const { __builtin_prefetch(&entries_[Bucket(me, opp)]); }
    // The entry holding this position, or nullptr.
    const TableEntry* Find(Bits me, Bits opp) const;
    // Stores bounds and the best square (bit index, or -1) for the position.
    void Store(Bits me, Bits opp, int left, bool passed, int lower, int upper, int moveBit);

    static constexpr std::size_t Bytes() { return EntryCount * sizeof(TableEntry); }

private:
    std::size_t Bucket(Bits me, Bits opp) const;

    std::vector<TableEntry> entries_;
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
