// The helper threads of a deep search. Starting and ending a thread costs
// a good part of a millisecond on some machines, as much as a whole
// shallow search, so the process keeps one crew of threads that sleep
// between searches. A search that finds the crew busy (another search is
// running) starts threads of its own for the time it runs.
#pragma once

#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

namespace reversi {

class SearchHelpers {
public:
    // Runs work(k) for k = 0 .. count - 1, each on a thread of its own,
    // from now until the object ends; fewer when no more threads are to be had.
    SearchHelpers(unsigned count, std::function<void(unsigned)> work);
    // Waits until every work call has returned.
    ~SearchHelpers();
    SearchHelpers(const SearchHelpers&) = delete;
    SearchHelpers& operator=(const SearchHelpers&) = delete;

private:
    class Crew;
    Crew* crew_ = nullptr;          // the kept crew while this search holds it
    std::vector<std::thread> own_;  // else threads of this search's own
};

}  // namespace reversi
