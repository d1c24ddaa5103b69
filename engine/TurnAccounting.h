// Whose turn it is after a move: the disc counts, who can move, a pass, the
// end of the game and its result, answered as one value. The window turns
// the outcome into texts, sounds and dialogs; it decides nothing itself.
#pragma once

#include <optional>

#include "Board.h"

namespace reversi {

struct GameState;

// The two colours, with the values the board, the saved files and the
// network use for them.
enum class Side : int { White = CellWhite, Black = CellBlack };
constexpr Side Opponent(Side s) { return s == Side::White ? Side::Black : Side::White; }
constexpr int ToCell(Side s) { return static_cast<int>(s); }
// Cell codes other than black read as white, as the game state does.
constexpr Side SideOf(int cell) { return cell == CellBlack ? Side::Black : Side::White; }

// Disc counts of a position and whether each colour has a legal square.
struct PositionCounts {
    int white = 0;
    int black = 0;
    bool whiteCanMove = false;
    bool blackCanMove = false;
    bool operator==(const PositionCounts&) const = default;
};
PositionCounts CountPosition(const tBoard& board, int boardSize);

// The kinds of message the game flow shows in its result window.
enum class GameMessageKind : int {
    WhiteWins = 0,  // white and black carry the winner's count first
    BlackWins = 1,
    Tie = 2,
    WhitePasses = 3,
    BlackPasses = 4,
};

// A finished game seen from the player against the computer.
enum class PlayerResult : int { Tie = 0, PlayerWon = 1, ComputerWon = 2 };

enum class TurnEvent {
    NextSide,  // the other colour moves
    Pass,      // the other colour cannot move: the same colour moves again
    GameOver,  // neither colour can move
};

struct TurnOutcome {
    PositionCounts counts;
    TurnEvent event = TurnEvent::NextSide;
    Side toMove = Side::White;
    // For a pass: the colour that must pass; for the end: the result.
    GameMessageKind message = GameMessageKind::Tie;
    // The result window's two numbers (the winner's count first).
    int first = 0;
    int second = 0;
    bool operator==(const TurnOutcome&) const = default;
};

// The outcome when `justMoved` has played (or was to move) on `board`: the
// side switches; when the side switched to cannot move, it passes back;
// when neither can move, the game is over.
TurnOutcome AccountTurn(const tBoard& board, int boardSize, Side justMoved);

// The result of a finished game for the player when the computer played
// `computer`.
PlayerResult ResultForPlayer(const PositionCounts& counts, Side computer);

// Whether a finished game counts in the statistics, and as what: only
// finished games against the computer that are neither practice nor played
// over the network count.
std::optional<PlayerResult> CountedResult(const GameState& game, const PositionCounts& counts);

// Runs AccountTurn on the game state's position and applies it: the side to
// move changes, and GameOver is set at the end (before any message shows,
// so nothing run while it is open can continue the game).
TurnOutcome AdvanceTurn(GameState& game);

// The position's counts and whose turn it is, without changing anything:
// for showing a position reached by browsing or loading.
struct PositionStatus {
    PositionCounts counts;
    bool gameOver = false;
};
PositionStatus DescribePosition(const tBoard& board, int boardSize);

// Settles the game state on a position reached by stepping through the match
// record (undo, redo, a jump, loading): GameOver when neither colour can move;
// otherwise a side to move without a legal square hands the move to the other
// colour (the record keeps no passes, so a redo may name the wrong side).
PositionStatus SettleShownPosition(GameState& game);

// Marks (1) every square where `side` may play, for the help marks.
tBoard LegalSquareMarks(const tBoard& board, int boardSize, Side side);

}  // namespace reversi
