// A timer whose timing comes from a worker thread of its own and whose
// OnTimer handler runs on the thread that owns the timer (the main thread).
//
// The worker waits one interval, hands a tick over to the main thread through
// a queued call and waits until that tick has run, so ticks never pile up:
// the real period is the interval plus the hand-over delay plus the handler's
// running time. Enabling starts a fresh interval (the first tick comes one
// full interval after enabling); a tick that reaches the main thread after
// the timer was disabled, or re-enabled since, is dropped. Disabling,
// re-enabling, changing the interval and destroying the timer are safe at any
// moment, also inside the OnTimer handler; destroying never waits for the
// main thread, so it cannot dead-lock.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include <QObject>
#include <QThread>

namespace reversi::graphics {

class TAsyncTimer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(TAsyncTimer& sender)>;

    explicit TAsyncTimer(QObject* parent = nullptr);
    ~TAsyncTimer() override;
    TAsyncTimer(const TAsyncTimer&) = delete;
    TAsyncTimer& operator=(const TAsyncTimer&) = delete;

    bool Enabled() const { return enabled_; }
    // Enabling with an interval of 0 only sets the flag: no tick comes until
    // the timer is disabled and enabled again with a non-zero interval.
    void SetEnabled(bool value);

    // Milliseconds (0 to 65535, default 1000). A change applies from the
    // next wait on; a wait in progress keeps its length.
    int Interval() const;
    void SetInterval(int milliseconds);

    // Scheduling priority of the worker (default QThread::NormalPriority).
    QThread::Priority ThreadPriority() const { return priority_; }
    void SetThreadPriority(QThread::Priority priority);

    void SetOnTimer(Handler handler) { onTimer_ = std::move(handler); }

private:
    void Execute();
    // The tick handed over by the worker, on the main thread.
    Q_INVOKABLE void Tick();
    void StopWorker();

    // Main thread only.
    bool enabled_ = false;
    Handler onTimer_;
    QThread::Priority priority_ = QThread::NormalPriority;
    QThread* worker_ = nullptr;  // owned; joined in the destructor

    // Shared with the worker, guarded by mutex_.
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    int interval_ = 1000;
    bool running_ = false;         // the worker may count intervals
    bool terminated_ = false;      // the worker must end
    bool tickPending_ = false;     // a tick was handed over and has not run yet
    std::uint64_t tickEpoch_ = 0;  // the epoch of the tick handed over last
    std::uint64_t epoch_ = 0;      // counts enables: restarts the wait, voids old ticks
    std::uint64_t timing_ = 0;     // counts interval changes: restarts the wait only
};

}  // namespace reversi::graphics
