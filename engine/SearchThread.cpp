#include "SearchThread.h"

#include <cerrno>
#include <utility>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "GameState.h"

namespace reversi {

namespace {
// Below normal priority, so that a long search on a busy machine leaves the
// window and its animations responsive. Best effort: failure changes nothing.
void LowerThisThreadsPriority() {
#if defined(__linux__)
    const auto tid = static_cast<id_t>(::gettid());
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, tid);
    if (errno == 0 && nice < 19) setpriority(PRIO_PROCESS, tid, nice + 1);
#endif
}
}  // namespace

TMyThread::TMyThread(const SearchInput& input, Completion onFinished)
    : input_(input), onFinished_(std::move(onFinished)) {}

TMyThread::~TMyThread() {
    Terminate();
    WaitFor();
}

void TMyThread::Resume() {
    if (started_) return;
    started_ = true;
    thread_ = std::thread([this] { Execute(); });
}

void TMyThread::Terminate() { stop_.store(true); }

void TMyThread::WaitFor() {
    if (thread_.joinable()) {
        thread_.join();
    } else if (!started_) {
        started_ = true;  // never resumed: ends here, answering PassMove
        result_.BestMove.fill(PassMove);
        running_.store(false, std::memory_order_release);
    }
}

void TMyThread::Execute() {
    LowerThisThreadsPriority();
    result_ = RunSearch(input_, &stop_);
    // A stop request that came after the search returned still means "no move".
    if (stop_.load()) {
        result_.Stopped = true;
        result_.Move = PassMove;
        result_.BestMove[0] = PassMove;
    }
    answer_.store(result_.Move, std::memory_order_release);
    nodes_.store(result_.Nodes, std::memory_order_release);
    DoTerminate();
}

void TMyThread::DoTerminate() {
    running_.store(false, std::memory_order_release);
    if (onFinished_) onFinished_();
}

void StartSearch(GameState& g, TMyThread::Completion onFinished) {
    if (g.SearchThread) {
        StopSearch(g);
        FinishSearch(g);
    }
    g.SearchThread = std::make_unique<TMyThread>(SearchInputFromGame(g), std::move(onFinished));
    g.ThreadRunning = true;
    g.SearchThread->Resume();
}

void StopSearch(GameState& g) {
    if (auto& t = g.SearchThread) t->Terminate();
}

int FinishSearch(GameState& g) {
    if (!g.SearchThread) return PassMove;
    // Take the thread out first: the game state no longer refers to it while
    // it is being joined and released.
    std::unique_ptr<TMyThread> thread = std::move(g.SearchThread);
    thread->WaitFor();
    g.BestMove = thread->Result().BestMove;
    g.ThreadRunning = false;
    return g.BestMove[0];
}

}  // namespace reversi
