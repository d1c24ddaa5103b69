// Counts what the calling thread allocates with operator new while a probe
// is alive: the largest single request and the sum of all of them.
#pragma once

#include <cstddef>

namespace reversi::test {

// False where the program's own operator new is left to a sanitizer's
// (under AddressSanitizer, which checks new and delete pairs itself).
bool AllocationProbeAvailable();

class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    std::size_t Largest() const;
    std::size_t Total() const;
};

}  // namespace reversi::test
