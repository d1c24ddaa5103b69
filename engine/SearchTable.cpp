#include "SearchTable.h"

#include <algorithm>
#include <mutex>

namespace reversi {

static_assert(sizeof(TableEntry) == 48);

SearchTable::SearchTable() : entries_(EntryCount) {}

void SearchTable::NewSearch() {
    if (++generation_ == 0) {
        // After 2^32 searches: wipe, so that no old entry matches a new number.
        std::fill(entries_.begin(), entries_.end(), TableEntry{});
        generation_ = 1;
    }
}

std::size_t SearchTable::Bucket(Bits me, Bits opp) const {
    std::uint64_t h = static_cast<std::uint64_t>(me) * 0x9E3779B97F4A7C15ULL;
    h ^= static_cast<std::uint64_t>(me >> 64) * 0xC2B2AE3D27D4EB4FULL;
    h ^= static_cast<std::uint64_t>(opp) * 0x165667B19E3779F9ULL;
    h ^= static_cast<std::uint64_t>(opp >> 64) * 0xD6E8FEB86659FD93ULL;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 32;
    return static_cast<std::size_t>(h) & (EntryCount - 2);
}

const TableEntry* SearchTable::Find(Bits me, Bits opp) const {
    const std::size_t b = Bucket(me, opp);
    for (std::size_t i = b; i < b + 2; ++i) {
        const TableEntry& e = entries_[i];
        if (e.Generation == generation_ && e.Holds(me, opp)) return &e;
    }
    return nullptr;
}

void SearchTable::Store(Bits me, Bits opp, int left, bool passed, int lower, int upper, int moveBit) {
    const std::size_t b = Bucket(me, opp);
    // The entry of this position if there is one; else an empty or older
    // one; else the one with fewer plies left.
    TableEntry* target = nullptr;
    for (std::size_t i = b; i < b + 2 && !target; ++i)
        if (entries_[i].Generation == generation_ && entries_[i].Holds(me, opp)) target = &entries_[i];
    if (!target) {
        TableEntry& x = entries_[b];
        TableEntry& y = entries_[b + 1];
        if (x.Generation != generation_) target = &x;
        else if (y.Generation != generation_) target = &y;
        else target = x.Left <= y.Left ? &x : &y;
    }
    TableEntry& e = *target;
    e.Me[0] = static_cast<std::uint64_t>(me);
    e.Me[1] = static_cast<std::uint64_t>(me >> 64);
    e.Opp[0] = static_cast<std::uint64_t>(opp);
    e.Opp[1] = static_cast<std::uint64_t>(opp >> 64);
    e.Lower = lower;
    e.Upper = upper;
    e.Generation = generation_;
    e.Left = static_cast<std::uint8_t>(left);
    e.Passed = passed ? 1 : 0;
    e.Move = static_cast<std::uint8_t>(moveBit + 1);
}

namespace {
std::mutex poolMutex;
std::vector<std::unique_ptr<SearchTable>>& Pool() {
    static std::vector<std::unique_ptr<SearchTable>> pool;
    return pool;
}
}  // namespace

SearchTableLease::SearchTableLease() {
    {
        std::lock_guard lock(poolMutex);
        auto& pool = Pool();
        if (!pool.empty()) {
            table_ = std::move(pool.back());
            pool.pop_back();
        }
    }
    if (!table_) table_ = std::make_unique<SearchTable>();
    table_->NewSearch();
}

SearchTableLease::~SearchTableLease() {
    std::lock_guard lock(poolMutex);
    Pool().push_back(std::move(table_));
}

}  // namespace reversi
