// The held Undo and Redo buttons: a short press steps once when released; a
// press held past the first delay steps on every tick of the repeat timer.
#pragma once

#include <functional>

namespace reversi {

namespace graphics {
class TAsyncTimer;
}

enum class RepeatButton { None, Undo, Redo };

// Drives the window's two thread-driven timers: the first delay (500 ms)
// and the repeat (40 ms). The window routes the buttons' presses and
// releases and the timers' ticks here; each step is handed to `step`.
//
// States: idle (both timers off) -> pressed (first delay running) ->
// repeating (repeat timer running) -> idle on release. A release in the
// pressed state makes one step; a release after repeating makes none.
class TAutoRepeat {
public:
    using Step = std::function<void(RepeatButton)>;

    // The timers belong to the window, which outlives this object's use.
    TAutoRepeat(graphics::TAsyncTimer* firstDelay, graphics::TAsyncTimer* repeat, Step step);

    // Any mouse button down on the Undo or Redo button.
    void Press(RepeatButton button);
    // The mouse button up again over `button` (wherever the pointer is).
    void Release(RepeatButton button);
    // Stops without a step: the controls were disabled while held.
    void Cancel();

    // Timer ticks, on the main thread.
    void FirstDelayElapsed();
    void RepeatElapsed();

    // The button being held (None when idle).
    RepeatButton Held() const { return held_; }

private:
    void StopTimers();

    graphics::TAsyncTimer* firstDelay_;
    graphics::TAsyncTimer* repeat_;
    Step step_;
    RepeatButton held_ = RepeatButton::None;
    // The repeat has made at least one step since the press.
    bool repeated_ = false;
};

}  // namespace reversi
