// The board on which the threads of one deep search offer and take work:
// a helper that sleeps for want of work must wake for a new offer and for
// the end of the search, whenever it read the offer count.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include "SearchSplit.h"

using namespace std::chrono_literals;
using reversi::searchsplit::Node;
using reversi::searchsplit::SplitBoard;
using reversi::searchsplit::SplitPoint;

namespace {

// Runs sleep on a thread of its own; false when it has not returned within
// the deadline (the thread is then left behind, asleep).
template <typename Sleep>
bool ReturnsSoon(Sleep sleep) {
    auto returned = std::make_shared<std::promise<void>>();
    auto done = returned->get_future();
    std::thread([sleep, returned]() mutable {
        sleep();
        returned->set_value();
    }).detach();
    return done.wait_for(10s) == std::future_status::ready;
}

}  // namespace

TEST(SplitBoard, ASleepAfterTheEndReturnsAtOnce) {
    // A helper that checked for the end just before it came, then read the
    // offer count: its sleep must not wait for an offer that never comes.
    auto board = std::make_shared<SplitBoard>();
    EXPECT_FALSE(board->Finished());
    board->Finish();
    const auto seen = board->Offers();
    EXPECT_TRUE(ReturnsSoon([board, seen] { board->WaitForOffer(seen); }))
        << "a helper sleeps on after the search has ended";
}

TEST(SplitBoard, ASleepingHelperWakesForAnOfferAndForTheEnd) {
    for (bool offer : {true, false}) {
        auto board = std::make_shared<SplitBoard>();
        const auto seen = board->Offers();
        auto asleep = std::async(std::launch::async, [board, seen] { board->WaitForOffer(seen); });
        std::this_thread::sleep_for(20ms);  // most likely asleep by now
        SplitPoint sp(SplitPoint::Kind::Inner, Node{}, 4, false, 0, 1, nullptr);
        if (offer)
            board->Offer(&sp);
        else
            board->Finish();
        ASSERT_EQ(asleep.wait_for(10s), std::future_status::ready)
            << (offer ? "an offer" : "the end") << " does not wake a sleeping helper";
        if (offer) board->Withdraw(&sp);
    }
}

TEST(SplitBoard, JoinTakesTheSplitPointNearestTheRootThatHasWork) {
    SplitBoard board;
    SplitPoint root(SplitPoint::Kind::Root, Node{}, 9, false, 0, 1, nullptr);
    SplitPoint inner(SplitPoint::Kind::Inner, Node{}, 6, false, 0, 1, &root);
    SplitPoint other(SplitPoint::Kind::Inner, Node{}, 8, false, 0, 1, nullptr);
    for (auto* sp : {&root, &inner, &other}) {
        sp->Count = 3;
        board.Offer(sp);
    }
    EXPECT_EQ(board.Join(nullptr), &root);
    EXPECT_EQ(root.Workers.load(), 1);
    // A thread waiting on root helps only below it.
    root.Next = 3;  // every square of root taken
    EXPECT_EQ(board.Join(&root), &inner);
    EXPECT_EQ(board.Join(nullptr), &other);
    // A cut-off split point offers no more work, nor do those below it.
    other.Cutoff = true;
    EXPECT_EQ(board.Join(nullptr), &inner);
    root.Cutoff = true;
    EXPECT_TRUE(inner.Cut());
    EXPECT_EQ(board.Join(nullptr), nullptr);
    for (auto* sp : {&root, &inner, &other}) board.Withdraw(sp);
}
