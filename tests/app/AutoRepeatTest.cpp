// The held Undo and Redo buttons: a short press steps once on release, a
// long one steps on every repeat tick and not again on release; the ticks
// are driven by hand here, and once by the real thread-driven timers.
#include <vector>

#include <gtest/gtest.h>

#include "AsyncTimer.h"
#include "AutoRepeat.h"
#include "TimerBarrier.h"
#include "WaitUntil.h"

namespace reversi {
namespace {

class AutoRepeatTest : public testing::Test {
protected:
    AutoRepeatTest() {
        firstDelay.SetInterval(500);
        repeat.SetInterval(40);
    }
    graphics::TAsyncTimer firstDelay;
    graphics::TAsyncTimer repeat;
    std::vector<RepeatButton> steps;
    TAutoRepeat autoRepeat{&firstDelay, &repeat, [this](RepeatButton b) { steps.push_back(b); }};
};

TEST_F(AutoRepeatTest, AShortPressStepsOnceOnRelease) {
    autoRepeat.Press(RepeatButton::Redo);
    EXPECT_TRUE(firstDelay.Enabled());
    EXPECT_FALSE(repeat.Enabled());
    EXPECT_TRUE(steps.empty()) << "nothing happens on the press itself";
    autoRepeat.Release(RepeatButton::Redo);
    EXPECT_EQ(steps, std::vector<RepeatButton>{RepeatButton::Redo});
    EXPECT_FALSE(firstDelay.Enabled());
    EXPECT_FALSE(repeat.Enabled());
    // A stray second release makes no second step.
    autoRepeat.Release(RepeatButton::Redo);
    EXPECT_EQ(steps.size(), 1U);
}

TEST_F(AutoRepeatTest, ALongPressStepsOnEveryRepeatTickAndNotOnRelease) {
    autoRepeat.Press(RepeatButton::Undo);
    autoRepeat.FirstDelayElapsed();
    EXPECT_FALSE(firstDelay.Enabled());
    EXPECT_TRUE(repeat.Enabled());
    EXPECT_TRUE(steps.empty()) << "the first delay itself makes no step";
    for (int i = 0; i < 12; ++i) autoRepeat.RepeatElapsed();
    EXPECT_EQ(steps, std::vector<RepeatButton>(12, RepeatButton::Undo));
    autoRepeat.Release(RepeatButton::Undo);
    EXPECT_EQ(steps.size(), 12U);
    EXPECT_FALSE(repeat.Enabled());
    EXPECT_EQ(autoRepeat.Held(), RepeatButton::None);
    // A late tick after the release is dropped.
    autoRepeat.RepeatElapsed();
    EXPECT_EQ(steps.size(), 12U);
}

TEST_F(AutoRepeatTest, CancelStopsWithoutAStep) {
    autoRepeat.Press(RepeatButton::Undo);
    autoRepeat.Cancel();
    EXPECT_FALSE(firstDelay.Enabled());
    autoRepeat.FirstDelayElapsed();
    EXPECT_FALSE(repeat.Enabled());
    autoRepeat.Release(RepeatButton::Undo);
    EXPECT_TRUE(steps.empty());
}

TEST_F(AutoRepeatTest, TheRealTimersRepeatAfterTheFirstDelay) {
    firstDelay.SetOnTimer([this](graphics::TAsyncTimer&) { autoRepeat.FirstDelayElapsed(); });
    repeat.SetOnTimer([this](graphics::TAsyncTimer&) { autoRepeat.RepeatElapsed(); });
    autoRepeat.Press(RepeatButton::Undo);
    ASSERT_TRUE(test::WaitUntil([&] { return steps.size() >= 4; }, 10000))
        << "the held button never repeated";
    autoRepeat.Release(RepeatButton::Undo);
    const std::size_t held = steps.size();
    ASSERT_TRUE(test::FreshTimerTicked(40)) << "no barrier timer ticked";
    EXPECT_EQ(steps.size(), held) << "steps after the release";
}

}  // namespace
}  // namespace reversi
