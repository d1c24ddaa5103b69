// The barrier of a check that a thread-driven timer (graphics::TAsyncTimer)
// no longer ticks, instead of a fixed sleep.
#pragma once

#include "AsyncTimer.h"
#include "WaitUntil.h"

namespace reversi::test {

// Starts a fresh thread-driven timer of `intervalMs` and handles events until
// it has ticked `ticks` times; false after `timeoutMs`. Its ticks reach the
// main thread as the checked timer's do, one queued call each, so a tick the
// checked timer handed over before this call has been handled when the first
// of them runs, and a timer of the same interval still running has had the
// same time to tick. Use as ASSERT_TRUE(FreshTimerTicked(40)) before the check.
inline bool FreshTimerTicked(int intervalMs, int ticks = 3, int timeoutMs = 30000) {
    graphics::TAsyncTimer barrier;
    int seen = 0;
    barrier.SetInterval(intervalMs);
    barrier.SetOnTimer([&](graphics::TAsyncTimer&) { ++seen; });
    barrier.SetEnabled(true);
    return WaitUntil([&] { return seen >= ticks; }, timeoutMs);
}

}  // namespace reversi::test
