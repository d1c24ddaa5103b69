// The engine tests' operator new, which reports each request to the probe of
// the thread that makes it; everything else it does is malloc and free.
#include "AllocationProbe.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define REVERSI_OWN_OPERATOR_NEW 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REVERSI_OWN_OPERATOR_NEW 0
#endif
#endif
#ifndef REVERSI_OWN_OPERATOR_NEW
#define REVERSI_OWN_OPERATOR_NEW 1
#endif

namespace {

struct ThreadCount {
    int probes = 0;
    std::size_t largest = 0;
    std::size_t total = 0;
};
thread_local ThreadCount count;

}  // namespace

namespace reversi::test {

bool AllocationProbeAvailable() { return REVERSI_OWN_OPERATOR_NEW != 0; }

AllocationProbe::AllocationProbe() {
    if (count.probes++ == 0) count = {1, 0, 0};
}
AllocationProbe::~AllocationProbe() { --count.probes; }
std::size_t AllocationProbe::Largest() const { return count.largest; }
std::size_t AllocationProbe::Total() const { return count.total; }

}  // namespace reversi::test

#if REVERSI_OWN_OPERATOR_NEW
void* operator new(std::size_t size) {
    if (count.probes > 0) {
        if (size > count.largest) count.largest = size;
        count.total += size;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#endif
