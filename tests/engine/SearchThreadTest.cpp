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

// Each test searches on a game of its own.
struct SearchThreadFixture : ::testing::Test {
    GameState game_;
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
    game_.BoardSize = 8;
    game_.Depth = 5;
    NewGame(game_);
    std::promise<void> finished;
    StartSearch(game_, [&] { finished.set_value(); });
    EXPECT_TRUE(game_.ThreadRunning);
    ASSERT_NE(game_.SearchThread, nullptr);
    // The main thread may change the game state meanwhile: the search has its own copy.
    game_.Boards[0] = tBoard{};
    game_.SideToMove = CellBlack;
    game_.Depth = 1;
    ASSERT_EQ(finished.get_future().wait_for(60s), std::future_status::ready);
    EXPECT_TRUE(game_.ThreadRunning);  // until the main thread has taken the answer
    ASSERT_NE(game_.SearchThread, nullptr);
    EXPECT_FALSE(game_.SearchThread->Running()) << "the answer is stored before the callback";
    EXPECT_EQ(FinishSearch(game_), 53);
    EXPECT_EQ(game_.BestMove[0], 53);
    EXPECT_FALSE(game_.ThreadRunning);
    EXPECT_EQ(game_.SearchThread, nullptr);
    EXPECT_TRUE(game_.FirstMove);              // the search does not touch the game state
    EXPECT_EQ(FinishSearch(game_), PassMove);  // nothing left to finish
}

TEST_F(SearchThreadFixture, StopAndFinishOnTheGameStateAnswerPass) {
    game_.BoardSize = 10;
    game_.Depth = 9;
    game_.AdvancedEngine = true;
    game_.BabyLevel = true;
    NewGame(game_);
    game_.Boards[0] = LongInput().Position;
    game_.SideToMove = LongInput().SideToMove;
    StartSearch(game_);
    ASSERT_NE(game_.SearchThread, nullptr);
    // Far from done: a stop is what ends this search.
    EXPECT_TRUE(game_.SearchThread->Running());
    StopSearch(game_);
    EXPECT_EQ(FinishSearch(game_), PassMove);
    EXPECT_EQ(game_.BestMove[0], PassMove);
    EXPECT_FALSE(game_.ThreadRunning);
    StopSearch(game_);  // without a search: nothing happens
}

TEST_F(SearchThreadFixture, SearchesInARowAreIndependent) {
    game_.BoardSize = 8;
    game_.Depth = 4;
    NewGame(game_);
    for (int i = 0; i < 3; ++i) {
        StartSearch(game_);
        EXPECT_EQ(FinishSearch(game_), 53) << i;
    }
    // A new search while one is held stops and finishes the old one first.
    game_.Depth = 9;
    game_.BoardSize = 10;
    NewGame(game_);
    game_.Boards[0] = LongInput().Position;
    StartSearch(game_);
    game_.BoardSize = 8;
    game_.Depth = 2;
    NewGame(game_);
    StartSearch(game_);
    EXPECT_EQ(FinishSearch(game_), 53);
}

TEST_F(SearchThreadFixture, DestroyingTheGameStateJoinsARunningSearch) {
    std::atomic<bool> ended{false};
    {
        GameState game;
        game.BoardSize = 10;
        game.Depth = 9;
        NewGame(game);
        game.Boards[0] = LongInput().Position;
        StartSearch(game, [&] { ended = true; });
        EXPECT_TRUE(game.ThreadRunning);
    }                           // must stop and join, not leave the thread running
    EXPECT_TRUE(ended.load());  // the search had ended when the destructor returned
}
