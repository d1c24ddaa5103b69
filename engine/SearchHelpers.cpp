#include "SearchHelpers.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>

namespace reversi {

// Threads that sleep until a search hands them work; held by one search at
// a time.
class SearchHelpers::Crew {
public:
    explicit Crew(unsigned size) {
        try {
            for (unsigned k = 0; k < size; ++k) threads_.emplace_back([this, k] { Loop(k); });
        } catch (const std::system_error&) {
            // A smaller crew.
        }
    }
    ~Crew() {
        {
            std::lock_guard<std::mutex> guard(lock_);
            quit_ = true;
        }
        wake_.notify_all();
        for (auto& t : threads_) t.join();
    }

    // The crew of this process, of the size asked for first.
    static Crew& Instance(unsigned size) {
        static Crew crew(size);
        return crew;
    }

    bool TryHold() { return held_.try_lock(); }
    void Release() { held_.unlock(); }
    unsigned Size() const { return static_cast<unsigned>(threads_.size()); }

    // Runs work(k) on the first count threads.
    void Start(unsigned count, std::function<void(unsigned)> work) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            work_ = std::move(work);
            wanted_ = count;
            running_ = count;
            ++round_;
        }
        wake_.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> guard(lock_);
        finished_.wait(guard, [this] { return running_ == 0; });
        work_ = nullptr;
    }

private:
    void Loop(unsigned k) {
        std::uint64_t seen = 0;
        std::unique_lock<std::mutex> guard(lock_);
        for (;;) {
            wake_.wait(guard, [&] { return quit_ || round_ != seen; });
            if (quit_) return;
            seen = round_;
            if (k >= wanted_) continue;
            const auto work = work_;
            guard.unlock();
            work(k);
            guard.lock();
            if (--running_ == 0) finished_.notify_all();
        }
    }

    std::vector<std::thread> threads_;
    std::mutex held_;  // taken by the search that uses the crew
    std::mutex lock_;
    std::condition_variable wake_, finished_;
    std::function<void(unsigned)> work_;
    std::uint64_t round_ = 0;
    unsigned wanted_ = 0, running_ = 0;
    bool quit_ = false;
};

SearchHelpers::SearchHelpers(unsigned count, std::function<void(unsigned)> work) {
    if (count == 0) return;
    Crew& crew = Crew::Instance(count);
    if (crew.Size() > 0 && crew.TryHold()) {
        crew_ = &crew;
        crew.Start(std::min(count, crew.Size()), std::move(work));
        return;
    }
    own_.reserve(count);
    try {
        for (unsigned k = 0; k < count; ++k) own_.emplace_back(work, k);
    } catch (const std::system_error&) {
        // No more threads to be had: the work runs on those there are.
    }
}

SearchHelpers::~SearchHelpers() {
    if (crew_) {
        crew_->Wait();
        crew_->Release();
    }
    for (auto& t : own_) t.join();
}

}  // namespace reversi
