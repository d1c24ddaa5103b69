#include "AsyncTimer.h"

#include <algorithm>
#include <chrono>

#include <QMetaObject>
#include <QPointer>

namespace reversi::graphics {

TAsyncTimer::TAsyncTimer(QObject* parent) : QObject(parent) {}

TAsyncTimer::~TAsyncTimer() { StopWorker(); }

void TAsyncTimer::StopWorker() {
    enabled_ = false;
    {
        std::lock_guard lock(mutex_);
        terminated_ = true;
        running_ = false;
    }
    wake_.notify_all();
    if (worker_ != nullptr) {
        // The worker never waits for the main thread except on tickPending_,
        // which the terminated flag also ends, so this join returns promptly.
        worker_->wait();
        // The worker's last touch of this object is its unlock in Execute;
        // taking the lock once more orders it before the members go, also
        // for tools that cannot see inside QThread::wait (ThreadSanitizer).
        { std::lock_guard lock(mutex_); }
        delete worker_;
        worker_ = nullptr;
    }
    // A tick still queued for this object is discarded with the object.
}

int TAsyncTimer::Interval() const {
    std::lock_guard lock(mutex_);
    return interval_;
}

void TAsyncTimer::SetInterval(int milliseconds) {
    {
        std::lock_guard lock(mutex_);
        const int interval = std::clamp(milliseconds, 0, 65535);
        if (interval == interval_) return;
        interval_ = interval;
        // A running wait counts the new interval from now, not the old one
        // to its end.
        ++timing_;
    }
    wake_.notify_all();
}

void TAsyncTimer::SetThreadPriority(QThread::Priority priority) {
    priority_ = priority;
    if (worker_ != nullptr && worker_->isRunning()) worker_->setPriority(priority);
}

void TAsyncTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    {
        std::lock_guard lock(mutex_);
        if (value && interval_ == 0) return;
        running_ = value;
        if (value) ++epoch_;
    }
    wake_.notify_all();
    if (value && worker_ == nullptr) {
        worker_ = QThread::create([this] { Execute(); });
        worker_->start(priority_);
    }
}

void TAsyncTimer::Execute() {
    std::unique_lock lock(mutex_);
    while (!terminated_) {
        if (!running_) {
            // Held: waits where it holds nothing shared.
            wake_.wait(lock, [this] { return terminated_ || running_; });
            continue;
        }
        const std::uint64_t epoch = epoch_;
        const std::uint64_t timing = timing_;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(interval_);
        const bool interrupted = wake_.wait_until(lock, deadline, [&] {
            return terminated_ || !running_ || epoch_ != epoch || timing_ != timing;
        });
        if (interrupted) continue;
        tickPending_ = true;
        tickEpoch_ = epoch;
        // By name and without arguments: the queued call carries nothing
        // that the worker writes and the main thread reads outside mutex_.
        QMetaObject::invokeMethod(this, "Tick", Qt::QueuedConnection);
        wake_.wait(lock, [this] { return terminated_ || !tickPending_; });
    }
    // Returns holding the lock: its release is the last touch of this object.
}

void TAsyncTimer::Tick() {
    bool current;
    {
        std::lock_guard lock(mutex_);
        current = tickEpoch_ == epoch_;
    }
    if (enabled_ && current && onTimer_) {
        // The handler may disable, re-enable or even delete this timer.
        QPointer<TAsyncTimer> self(this);
        Handler handler = onTimer_;
        handler(*this);
        if (self.isNull()) return;
    }
    {
        std::lock_guard lock(mutex_);
        tickPending_ = false;
    }
    wake_.notify_all();
}

}  // namespace reversi::graphics
