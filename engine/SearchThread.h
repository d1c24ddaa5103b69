// The search thread: runs one root search on its own std::thread so that the
// main thread stays free to serve the window while the computer thinks.
//
// A TMyThread copies its inputs when it is created (SearchInput), so the
// search never reads or writes the game state. Its running flag, its stop
// request and its answer are atomics. Its owner starts it, may ask it to stop
// and must let it end: the destructor asks it to stop and joins it; the
// object never frees itself. A stopped search answers PassMove.
//
// When the search has ended, the answer is stored and Running() is false,
// the completion callback (if any) runs on the search thread. The program
// turns it into a queued call to the main thread, for example
//     StartSearch(game, [w] { QMetaObject::invokeMethod(w, [w] { w->SearchDone(); },
//                                                       Qt::QueuedConnection); });
// and once the thread is no longer Running(), calls FinishSearch(game) to take
// the answer (a late call for a search already finished some other way then
// finds nothing to do). The callback must
// neither destroy the TMyThread nor wait for the main thread (the main thread
// may be joining the search thread at that moment).
//
// StartSearch / StopSearch / FinishSearch below are the main thread's side of
// the computer's move on the game state: the game state's ThreadRunning is a
// plain flag written only by the main thread. It is set by StartSearch and
// cleared by FinishSearch, which joins the thread and copies its answer into
// BestMove[0]; so ThreadRunning stays set until the main thread has taken the
// answer, and board input stays refused until then.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "Search.h"

namespace reversi {

class TMyThread {
public:
    using Completion = std::function<void()>;

    // Creates the thread object, not yet running; Running() is already true.
    explicit TMyThread(const SearchInput& input, Completion onFinished = {});
    // Asks the search to stop and waits for the thread to end.
    ~TMyThread();
    TMyThread(const TMyThread&) = delete;
    TMyThread& operator=(const TMyThread&) = delete;

    // Starts the search (once; later calls do nothing).
    void Resume();
    // The stop request: the search gives up at its next node and answers PassMove.
    void Terminate();
    bool Terminated() const { return stop_.load(); }
    // True from creation until the search has ended and its answer is stored.
    bool Running() const { return running_.load(std::memory_order_acquire); }
    // Blocks until the thread has ended. A thread never resumed ends here
    // with the answer PassMove. Safe to call more than once.
    void WaitFor();

    // The answer: a legal square for the side to move, or PassMove (also
    // while the search still runs).
    int Answer() const { return answer_.load(std::memory_order_acquire); }
    // Nodes searched; valid once Running() is false.
    std::uint64_t Nodes() const { return nodes_.load(std::memory_order_acquire); }
    // The whole result; only after WaitFor().
    const SearchResult& Result() const { return result_; }

private:
    void Execute();
    void DoTerminate();

    SearchInput input_;
    Completion onFinished_;
    std::atomic<bool> running_{true};
    std::atomic<bool> stop_{false};
    std::atomic<int> answer_{PassMove};
    std::atomic<std::uint64_t> nodes_{0};
    SearchResult result_;
    std::thread thread_;
    bool started_ = false;
};

// Main thread: snapshot the game state, create the search thread, store it in
// game.SearchThread, set game.ThreadRunning and start it. A search still
// held from before is stopped and finished first. onFinished runs on the
// search thread when it is done (see above).
void StartSearch(GameState& game, TMyThread::Completion onFinished = {});
// Main thread: asks the game's search (if any) to stop; does not wait.
void StopSearch(GameState& game);
// Main thread: waits for the game's search to end, copies its best moves
// into game.BestMove, clears game.ThreadRunning, releases the thread and
// returns BestMove[0]. Without a search it returns PassMove and changes nothing.
int FinishSearch(GameState& game);

}  // namespace reversi
