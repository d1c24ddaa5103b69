// The intro's animation thread: advances the motion every 20 ms until it is
// stopped. The main thread takes consistent snapshots of the values; the
// owner stops and joins the thread (the destructor does both).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "IntroMotion.h"

namespace reversi::intro {

class IntroThread {
public:
    static constexpr std::chrono::milliseconds Period{20};

    IntroThread(int scrollPeriod, std::uint32_t seed);
    ~IntroThread();
    IntroThread(const IntroThread&) = delete;
    IntroThread& operator=(const IntroThread&) = delete;

    // The values after a whole number of steps.
    IntroView Snapshot() const;
    // Ends the thread after its current step (at once when it is waiting)
    // and joins it. Safe to call more than once.
    void Stop();

private:
    void Run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    IntroMotion motion_;
    std::thread thread_;  // last: starts once the rest is set up
};

}  // namespace reversi::intro
