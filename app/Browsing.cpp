#include "Browsing.h"

#include "EngineUnit.h"

namespace reversi {

void TBrowsing::SetActive(bool active) {
    active_ = active;
    emit activeChanged(active_);
}

bool TBrowsing::StepsRefused(const GameState& g) { return g.ThreadRunning || !g.Tracker; }

PositionStatus TBrowsing::Refresh(GameState& g) {
    const PositionStatus status = SettleShownPosition(g);
    SetActive(!status.gameOver);
    return status;
}

std::optional<PositionStatus> TBrowsing::Undo(GameState& g) {
    if (StepsRefused(g) || !g.Tracker->Undo(g)) return std::nullopt;
    return Refresh(g);
}

std::optional<PositionStatus> TBrowsing::Redo(GameState& g) {
    if (StepsRefused(g)) return std::nullopt;
    auto& tracker = *g.Tracker;
    // The list follows every step.
    if (!tracker.Redo(g, true)) return std::nullopt;
    const PositionStatus status = Refresh(g);
    // The last stored move replayed: this is the live end of the game.
    if (tracker.current() == tracker.count()) SetActive(false);
    return status;
}

std::optional<PositionStatus> TBrowsing::JumpTo(GameState& g, int line) {
    if (StepsRefused(g) || !g.Tracker->GoToMove(g, line)) return std::nullopt;
    return Refresh(g);
}

std::optional<PositionStatus> TBrowsing::ReturnToLast(GameState& g) {
    if (!active_ || StepsRefused(g)) return std::nullopt;
    auto& tracker = *g.Tracker;
    // The list is updated once, by the call that finds nothing more to redo.
    while (tracker.Redo(g, false)) {
    }
    const PositionStatus status = Refresh(g);
    SetActive(false);
    return status;
}

TBrowsing::ContinueOutcome TBrowsing::ContinueFromShown(
    GameState& g, const std::function<bool()>& confirmPractice) {
    if (!active_ || StepsRefused(g)) return ContinueOutcome::NotBrowsing;
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
