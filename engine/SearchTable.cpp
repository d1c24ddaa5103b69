#include "SearchTable.h"

#include <mutex>
#include <vector>

namespace reversi {

SearchTable::SearchTable() : slots_(std::make_unique<Slot[]>(SlotCount)) {}

void SearchTable::NewSearch() {
    if (++generation_ == 0) {
        // After 2^32 searches: wipe, so that no old entry matches a new number.
        for (std::size_t i = 0; i < SlotCount; ++i)
            for (auto& w : slots_[i].Words) w.store(0, std::memory_order_relaxed);
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
    return static_cast<std::size_t>(h) & (SlotCount - 2);
}

bool SearchTable::Read(const Slot& slot, TableEntry& out) const {
    const std::uint64_t before = slot.Sequence.load(std::memory_order_acquire);
    if (before & 1) return false;
    std::array<std::uint64_t, 6> w;
    for (std::size_t i = 0; i < w.size(); ++i) w[i] = slot.Words[i].load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (slot.Sequence.load(std::memory_order_relaxed) != before) return false;
    out.Me[0] = w[0];
    out.Me[1] = w[1];
    out.Opp[0] = w[2];
    out.Opp[1] = w[3];
    out.Lower = static_cast<std::int32_t>(static_cast<std::uint32_t>(w[4]));
    out.Upper = static_cast<std::int32_t>(static_cast<std::uint32_t>(w[4] >> 32));
    out.Generation = static_cast<std::uint32_t>(w[5]);
    out.Left = static_cast<std::uint8_t>(w[5] >> 32);
    out.Passed = static_cast<std::uint8_t>(w[5] >> 40);
    out.Move = static_cast<std::uint8_t>(w[5] >> 48);
    return out.Generation == generation_;
}

bool SearchTable::Find(Bits me, Bits opp, TableEntry& out) const {
    const std::size_t b = Bucket(me, opp);
    for (std::size_t i = b; i < b + 2; ++i)
        if (Read(slots_[i], out) && out.Holds(me, opp)) return true;
    return false;
}

void SearchTable::Store(Bits me, Bits opp, int left, bool passed, int lower, int upper,
                        int moveBit) {
    const std::size_t b = Bucket(me, opp);
    // The slot of this position if there is one; else an empty or older
    // one; else the one with fewer plies left.
    TableEntry x, y;
    const bool xValid = Read(slots_[b], x), yValid = Read(slots_[b + 1], y);
    Slot* target = nullptr;
    if (xValid && x.Holds(me, opp))
        target = &slots_[b];
    else if (yValid && y.Holds(me, opp))
        target = &slots_[b + 1];
    else if (!xValid)
        target = &slots_[b];
    else if (!yValid)
        target = &slots_[b + 1];
    else
        target = x.Left <= y.Left ? &slots_[b] : &slots_[b + 1];

    std::uint64_t sequence = target->Sequence.load(std::memory_order_relaxed);
    if ((sequence & 1) || !target->Sequence.compare_exchange_strong(sequence, sequence + 1,
                                                                    std::memory_order_acquire))
        return;  // another thread is writing this slot: skip
    const std::uint64_t words[6] = {
        static_cast<std::uint64_t>(me),
        static_cast<std::uint64_t>(me >> 64),
        static_cast<std::uint64_t>(opp),
        static_cast<std::uint64_t>(opp >> 64),
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(lower)) |
            (static_cast<std::uint64_t>(static_cast<std::uint32_t>(upper)) << 32),
        static_cast<std::uint64_t>(generation_) | (static_cast<std::uint64_t>(left & 0xFF) << 32) |
            (static_cast<std::uint64_t>(passed ? 1 : 0) << 40) |
            (static_cast<std::uint64_t>((moveBit + 1) & 0xFF) << 48),
    };
    std::atomic_thread_fence(std::memory_order_release);
    for (std::size_t i = 0; i < 6; ++i) target->Words[i].store(words[i], std::memory_order_relaxed);
    target->Sequence.store(sequence + 2, std::memory_order_release);
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
