#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "AsyncTimer.h"

using namespace reversi::graphics;

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "graphics_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// Serves the event loop until done() or the time-out; returns done().
bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

// The barrier of a check that a timer gives no (more) ticks: a fresh timer of
// `intervalMs`, started now, ticks `ticks` times. Its ticks reach the main
// thread as the checked timer's do, one queued call each, so a tick the checked
// timer handed over before has been handled when the first of them runs, and a
// timer of the same interval still running has had the same time to tick.
bool FreshTimerTicked(int intervalMs, int ticks = 3) {
    TAsyncTimer barrier;
    int seen = 0;
    barrier.SetInterval(intervalMs);
    barrier.SetOnTimer([&](TAsyncTimer&) { ++seen; });
    barrier.SetEnabled(true);
    return RunUntil([&] { return seen >= ticks; }, 30000);
}

class AsyncTimerTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
};

}  // namespace

TEST_F(AsyncTimerTest, FirstTickComesOneIntervalAfterEnablingOnTheMainThread) {
    TAsyncTimer timer;
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    timer.SetInterval(120);
    QElapsedTimer clock;
    qint64 first = -1;
    int ticks = 0;
    bool onMainThread = true;
    TAsyncTimer* sender = nullptr;
    timer.SetOnTimer([&](TAsyncTimer& t) {
        if (ticks++ == 0) first = clock.elapsed();
        onMainThread =
            onMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        sender = &t;
    });
    clock.start();
    timer.SetEnabled(true);
    ASSERT_TRUE(RunUntil([&] { return ticks >= 3; }, 5000));
    EXPECT_GE(first, 115);
    EXPECT_LT(first, 2000);
    EXPECT_TRUE(onMainThread);
    EXPECT_EQ(sender, &timer);
}

TEST_F(AsyncTimerTest, DisablingInsideTheHandlerStopsTheTicks) {
    TAsyncTimer timer;
    timer.SetInterval(30);
    int ticks = 0;
    timer.SetOnTimer([&](TAsyncTimer& t) {
        ++ticks;
        t.SetEnabled(false);
    });
    timer.SetEnabled(true);
    ASSERT_TRUE(RunUntil([&] { return ticks == 1; }, 5000));
    ASSERT_TRUE(FreshTimerTicked(30));
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Enabled());

    // Enabled again: the next tick one interval later.
    QElapsedTimer clock;
    clock.start();
    timer.SetEnabled(true);
    ASSERT_TRUE(RunUntil([&] { return ticks == 2; }, 5000));
    EXPECT_GE(clock.elapsed(), 28);
}

TEST_F(AsyncTimerTest, ReEnablingRestartsTheInterval) {
    TAsyncTimer timer;
    timer.SetInterval(300);
    int ticks = 0;
    timer.SetOnTimer([&](TAsyncTimer&) { ++ticks; });
    QElapsedTimer clock;
    clock.start();
    timer.SetEnabled(true);
    RunFor(200);
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    const qint64 enabledAt = clock.elapsed();
    ASSERT_TRUE(RunUntil([&] { return ticks == 1; }, 5000));
    EXPECT_GE(clock.elapsed() - enabledAt, 295);
}

TEST_F(AsyncTimerTest, AShorterIntervalSetWhileRunningCountsFromNow) {
    TAsyncTimer timer;
    timer.SetInterval(60000);
    int ticks = 0;
    timer.SetOnTimer([&](TAsyncTimer&) { ++ticks; });
    timer.SetEnabled(true);
    RunFor(50);
    // The worker is waiting out a minute; the new interval ends that wait.
    timer.SetInterval(20);
    EXPECT_TRUE(RunUntil([&] { return ticks >= 2; }, 20000)) << "ticks: " << ticks;
}

TEST_F(AsyncTimerTest, ATickThatArrivesAfterDisablingIsDropped) {
    TAsyncTimer timer;
    timer.SetInterval(10);
    int ticks = 0;
    timer.SetOnTimer([&](TAsyncTimer&) { ++ticks; });
    timer.SetEnabled(true);
    // The main thread is busy: the worker's tick waits in the queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    timer.SetEnabled(false);
    ASSERT_TRUE(FreshTimerTicked(10));
    EXPECT_EQ(ticks, 0);
}

TEST_F(AsyncTimerTest, IntervalZeroGivesNoTickUntilEnabledAgain) {
    TAsyncTimer timer;
    timer.SetInterval(0);
    int ticks = 0;
    timer.SetOnTimer([&](TAsyncTimer&) { ++ticks; });
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    ASSERT_TRUE(FreshTimerTicked(10));
    timer.SetInterval(10);
    ASSERT_TRUE(FreshTimerTicked(10));
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    EXPECT_TRUE(RunUntil([&] { return ticks > 0; }, 5000));
    EXPECT_EQ(timer.Interval(), 10);
    timer.SetInterval(70000);
    EXPECT_EQ(timer.Interval(), 65535);
}

TEST_F(AsyncTimerTest, DestroyingReturnsInEveryState) {
    { TAsyncTimer neverEnabled; }
    {
        TAsyncTimer disabled;
        disabled.SetInterval(5);
        disabled.SetEnabled(true);
        RunFor(30);
        disabled.SetEnabled(false);
    }
    int ticks = 0;
    {
        // Enabled with a tick waiting in the queue when it goes.
        TAsyncTimer enabled;
        enabled.SetInterval(1);
        enabled.SetThreadPriority(QThread::TimeCriticalPriority);
        enabled.SetOnTimer([&](TAsyncTimer&) { ++ticks; });
        enabled.SetEnabled(true);
        RunUntil([&] { return ticks >= 3; }, 5000);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const int before = ticks;
    // The queued tick of the destroyed timer is discarded.
    ASSERT_TRUE(FreshTimerTicked(1));
    EXPECT_EQ(ticks, before);
    EXPECT_GE(ticks, 3);
}

TEST_F(AsyncTimerTest, TheHandlerMayDestroyItsTimer) {
    auto* timer = new TAsyncTimer;
    timer->SetInterval(5);
    int ticks = 0;
    timer->SetOnTimer([&](TAsyncTimer& t) {
        ++ticks;
        delete &t;
    });
    timer->SetEnabled(true);
    ASSERT_TRUE(RunUntil([&] { return ticks == 1; }, 5000));
    ASSERT_TRUE(FreshTimerTicked(5));
    EXPECT_EQ(ticks, 1);
}
