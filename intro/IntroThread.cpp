// The animation thread's loop.
#include "IntroThread.h"

namespace reversi::intro {

IntroThread::IntroThread(int scrollPeriod, std::uint32_t seed)
    : motion_(scrollPeriod, seed), thread_([this] { Run(); }) {}

IntroThread::~IntroThread() { Stop(); }

IntroView IntroThread::Snapshot() const {
    std::lock_guard lock(mutex_);
    return motion_.View();
}

void IntroThread::Stop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void IntroThread::Run() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        motion_.Step();
        wake_.wait_for(lock, Period, [this] { return stop_; });
    }
}

}  // namespace reversi::intro
