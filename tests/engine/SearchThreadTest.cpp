// The search thread: answers, completion, stop requests, ownership, and the
// main thread's start/stop/finish on the game state.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "EngineUnit.h"
#include "RandomPositions.h"
#include "RulesCore.h"
#include "SearchInputs.h"

using namespace reversi;
using namespace std::chrono_literals;

namespace {

struct SearchThreadFixture : ::testing::Test {
    void SetUp() override { ResetGameState(); }
    void TearDown() override { ResetGameState(); }
};

SearchInput StartInput(int n, int depth) {
    SearchInput in;
    in.BoardSize = n;
    in.Position = n == 8 ? rules::StartBoard<8>() : rules::StartBoard<10>();
    in.SideToMove = CellWhite;
    in.Depth = depth;
    return in;
}

// A search that takes far longer than any test waits: a 10 x 10 middle game
// at depth 9 with the mobility term and the inverted values of level
// "0-baby", which prune poorly: seconds, even with the helper threads of a
// deep search.
SearchInput LongInput() {
    const auto p = RandomPosition(10, 7, 30);
    return test::Input(p.Board, p.SideToMove, 9, true, true, 10);
}

}  // namespace

TEST(SearchThread, AnswersLikeTheSearchAndSignalsAfterTheAnswerIsStored) {
    const auto in = StartInput(10, 4);
    std::promise<std::pair<int, bool>> seen;
    TMyThread* self = nullptr;
    TMyThread t(in, [&] { seen.set_value({self->Answer(), self->Running()}); });
    self = &t;
    EXPECT_TRUE(t.Running());  // already set before it starts
    EXPECT_EQ(t.Answer(), PassMove);
    t.Resume();
    auto done = seen.get_future();
    ASSERT_EQ(done.wait_for(60s), std::future_status::ready);
    const auto [answer, running] = done.get();
    EXPECT_EQ(answer, 54);
    EXPECT_FALSE(running);
    t.WaitFor();
    EXPECT_EQ(t.Answer(), 54);
    EXPECT_EQ(t.Result().Move, 54);
    EXPECT_EQ(t.Nodes(), RunSearch(in).Nodes);
    EXPECT_FALSE(t.Result().Stopped);
}

TEST(SearchThread, AStopDuringTheSearchAnswersPassAndEnds) {
    std::atomic<int> callbacks{0};
    TMyThread t(LongInput(), [&] { ++callbacks; });
    t.Resume();
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(t.Running());
    t.Terminate();
    t.WaitFor();
    EXPECT_FALSE(t.Running());
    EXPECT_EQ(t.Answer(), PassMove);
    EXPECT_TRUE(t.Result().Stopped);
    EXPECT_EQ(t.Result().BestMove[0], PassMove);
    EXPECT_GT(t.Nodes(), 0u);
    EXPECT_EQ(callbacks.load(), 1);
}

TEST(SearchThread, AStopBeforeTheStartAnswersPass) {
    TMyThread t(StartInput(8, 3));
    t.Terminate();
    t.Resume();
    t.WaitFor();
    EXPECT_EQ(t.Answer(), PassMove);
    EXPECT_TRUE(t.Result().Stopped);
}

TEST(SearchThread, NeverStartedEndsWithoutAnAnswer) {
    bool called = false;
    {
        TMyThread t(StartInput(8, 3), [&] { called = true; });
        t.WaitFor();
        EXPECT_FALSE(t.Running());
        EXPECT_EQ(t.Answer(), PassMove);
        t.Resume();  // too late: it has ended
        t.WaitFor();
    }
    EXPECT_FALSE(called);
}

TEST(SearchThread, DestroyingARunningThreadStopsAndJoinsIt) {
    std::atomic<bool> called{false};
    const auto before = std::chrono::steady_clock::now();
    {
        TMyThread t(LongInput(), [&] { called = true; });
        t.Resume();
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(called.load());  // the thread had ended when the destructor returned
    EXPECT_LT(std::chrono::steady_clock::now() - before, 30s);
}

TEST_F(SearchThreadFixture, TheGameStateSearchReadsASnapshot) {
    Game().BoardSize = 8;
    Game().Depth = 5;
    NewGame();
    std::promise<void> finished;
    StartSearch([&] { finished.set_value(); });
    EXPECT_TRUE(Game().ThreadRunning);
    ASSERT_NE(Game().SearchThread, nullptr);
    // The main thread may change the game state meanwhile: the search has its own copy.
    Game().Boards[0] = tBoard{};
    Game().SideToMove = CellBlack;
    Game().Depth = 1;
    ASSERT_EQ(finished.get_future().wait_for(60s), std::future_status::ready);
    EXPECT_TRUE(Game().ThreadRunning);  // until the main thread has taken the answer
    ASSERT_NE(Game().SearchThread, nullptr);
    EXPECT_FALSE(Game().SearchThread->Running()) << "the answer is stored before the callback";
    EXPECT_EQ(FinishSearch(), 53);
    EXPECT_EQ(Game().BestMove[0], 53);
    EXPECT_FALSE(Game().ThreadRunning);
    EXPECT_EQ(Game().SearchThread, nullptr);
    EXPECT_TRUE(Game().FirstMove);        // the search does not touch the game state
    EXPECT_EQ(FinishSearch(), PassMove);  // nothing left to finish
}

TEST_F(SearchThreadFixture, StopAndFinishOnTheGameStateAnswerPass) {
    Game().BoardSize = 10;
    Game().Depth = 9;
    Game().AdvancedEngine = true;
    Game().BabyLevel = true;
    NewGame();
    Game().Boards[0] = LongInput().Position;
    Game().SideToMove = LongInput().SideToMove;
    StartSearch();
    std::this_thread::sleep_for(10ms);
    ASSERT_NE(Game().SearchThread, nullptr);
    EXPECT_TRUE(Game().SearchThread->Running());  // still thinking
    StopSearch();
    EXPECT_EQ(FinishSearch(), PassMove);
    EXPECT_EQ(Game().BestMove[0], PassMove);
    EXPECT_FALSE(Game().ThreadRunning);
    StopSearch();  // without a search: nothing happens
}

TEST_F(SearchThreadFixture, SearchesInARowAreIndependent) {
    Game().BoardSize = 8;
    Game().Depth = 4;
    NewGame();
    for (int i = 0; i < 3; ++i) {
        StartSearch();
        EXPECT_EQ(FinishSearch(), 53) << i;
    }
    // A new search while one is held stops and finishes the old one first.
    Game().Depth = 9;
    Game().BoardSize = 10;
    NewGame();
    Game().Boards[0] = LongInput().Position;
    StartSearch();
    Game().BoardSize = 8;
    Game().Depth = 2;
    NewGame();
    StartSearch();
    EXPECT_EQ(FinishSearch(), 53);
}

TEST_F(SearchThreadFixture, ResettingTheGameStateJoinsARunningSearch) {
    Game().BoardSize = 10;
    Game().Depth = 9;
    NewGame();
    Game().Boards[0] = LongInput().Position;
    StartSearch();
    ResetGameState();  // must stop and join, not leave the thread running
    EXPECT_FALSE(Game().ThreadRunning);
    EXPECT_EQ(Game().SearchThread, nullptr);
}
