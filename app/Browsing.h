// Browsing the match record: stepping back and forth through the moves, the
// jump to a move, and continuing the game from the shown or the last position.
#pragma once

#include <functional>
#include <optional>

#include <QObject>

#include "TurnAccounting.h"

namespace reversi {

// Whether an earlier position of the match record is shown, and what the
// steps through the record do to the game state they are given (the
// position, the side to move, GameOver, the practice flag, the record and its
// move list).
// Every step that changes the position is refused while a search runs: the
// computer's answer belongs to the position it searched.
//
// While browsing the board shows an earlier position and play is suspended:
// the player continues either from the shown position (the later moves are
// dropped) or from the last one.
class TBrowsing : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool Active() const { return active_; }
    // Turns browsing on or off (new game, network game start, a loaded
    // match); activeChanged follows every call.
    void SetActive(bool active);

    // Settles the game state on the position now shown (GameOver, a side
    // that must pass hands the move over) and turns browsing on unless the
    // position is final. The answer is what the status bar shows.
    PositionStatus Refresh(GameState& game);

    // One move back; nothing when at the start. Browsing is on afterwards
    // unless the position is final.
    std::optional<PositionStatus> Undo(GameState& game);
    // One move forward; nothing when at the last move. Reaching the last
    // stored move ends browsing.
    std::optional<PositionStatus> Redo(GameState& game);
    // Shows the position before move line + 1 (a move line of the list);
    // nothing for any other line.
    std::optional<PositionStatus> JumpTo(GameState& game, int line);
    // Replays every remaining move and ends browsing; nothing when not browsing.
    std::optional<PositionStatus> ReturnToLast(GameState& game);

    enum class ContinueOutcome {
        NotBrowsing,       // nothing happened
        Continued,         // the later moves are dropped; the turn loop goes on from here
        KeepLastPosition,  // the player declined: the game goes on from the last position
    };
    // Continues the game from the shown position. In a game against the
    // computer that is not yet practice, confirmPractice is asked first:
    // true makes the game practice; false changes nothing (the caller says
    // so and returns to the last position).
    ContinueOutcome ContinueFromShown(GameState& game,
                                      const std::function<bool()>& confirmPractice);

signals:
    // Browsing turned on or off (also when set to the state it had).
    void activeChanged(bool active);

private:
    static bool StepsRefused(const GameState& game);

    bool active_ = false;
};

}  // namespace reversi
