#include "Browsing.h"

#include "EngineUnit.h"

namespace reversi {

void TBrowsing::SetActive(bool active) {
    active_ = active;
    emit activeChanged(active_);
}

bool TBrowsing::StepsRefused() const {
    const auto& g = Game();
    return g.ThreadRunning || !g.Tracker;
}

PositionStatus TBrowsing::Refresh() {
    const PositionStatus status = SettleShownPosition(Game());
    SetActive(!status.gameOver);
    return status;
}

std::optional<PositionStatus> TBrowsing::Undo() {
    if (StepsRefused() || !Game().Tracker->Undo()) return std::nullopt;
    return Refresh();
}

std::optional<PositionStatus> TBrowsing::Redo() {
    if (StepsRefused()) return std::nullopt;
    auto& tracker = *Game().Tracker;
    // The list follows every step.
    if (!tracker.Redo(true)) return std::nullopt;
    const PositionStatus status = Refresh();
    // The last stored move replayed: this is the live end of the game.
    if (tracker.current() == tracker.count()) SetActive(false);
    return status;
}

std::optional<PositionStatus> TBrowsing::JumpTo(int line) {
    if (StepsRefused() || !Game().Tracker->GoToMove(line)) return std::nullopt;
    return Refresh();
}

std::optional<PositionStatus> TBrowsing::ReturnToLast() {
    if (!active_ || StepsRefused()) return std::nullopt;
    auto& tracker = *Game().Tracker;
    // The list is updated once, by the call that finds nothing more to redo.
    while (tracker.Redo(false)) {
    }
    const PositionStatus status = Refresh();
    SetActive(false);
    return status;
}

TBrowsing::ContinueOutcome TBrowsing::ContinueFromShown(
    const std::function<bool()>& confirmPractice) {
    if (!active_ || StepsRefused()) return ContinueOutcome::NotBrowsing;
    auto& g = Game();
    if (g.VsComputer && !g.PracticeGame) {
        // Taking moves back against the computer is practice: such a game
        // is not counted in the statistics.
        if (!confirmPractice || !confirmPractice()) return ContinueOutcome::KeepLastPosition;
        g.PracticeGame = true;
    }
    SetActive(false);
    // The moves after the shown position are dropped for good.
    g.Tracker->RebuildList();
    return ContinueOutcome::Continued;
}

}  // namespace reversi
