#include "AutoRepeat.h"

#include "AsyncTimer.h"

namespace reversi {

TAutoRepeat::TAutoRepeat(graphics::TAsyncTimer* firstDelay, graphics::TAsyncTimer* repeat,
                         Step step)
    : firstDelay_(firstDelay), repeat_(repeat), step_(std::move(step)) {}

void TAutoRepeat::StopTimers() {
    if (firstDelay_ != nullptr) firstDelay_->SetEnabled(false);
    if (repeat_ != nullptr) repeat_->SetEnabled(false);
}

void TAutoRepeat::Press(RepeatButton button) {
    if (button == RepeatButton::None) return;
    // A second press (another mouse button) starts the wait afresh.
    StopTimers();
    held_ = button;
    repeated_ = false;
    if (firstDelay_ != nullptr) firstDelay_->SetEnabled(true);
}

void TAutoRepeat::Release(RepeatButton button) {
    StopTimers();
    held_ = RepeatButton::None;
    // Released before the first repeat: this was a click, one step.
    if (!repeated_ && button != RepeatButton::None && step_) step_(button);
    repeated_ = true;  // a second release without a press steps no more
}

void TAutoRepeat::Cancel() {
    StopTimers();
    held_ = RepeatButton::None;
    repeated_ = true;
}

void TAutoRepeat::FirstDelayElapsed() {
    if (firstDelay_ != nullptr) firstDelay_->SetEnabled(false);
    if (held_ == RepeatButton::None) return;
    if (repeat_ != nullptr) repeat_->SetEnabled(true);
}

void TAutoRepeat::RepeatElapsed() {
    if (held_ == RepeatButton::None) {
        if (repeat_ != nullptr) repeat_->SetEnabled(false);
        return;
    }
    repeated_ = true;
    if (step_) step_(held_);
}

}  // namespace reversi
