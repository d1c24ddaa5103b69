// The game being played and its flow: whose click plays, the computer's turn
// on its search thread, the move animation and the pass or result box as
// states the flow waits in, browsing the record, opening a match and the
// start and end of a network game. QtCore only: the window connects the
// signals to the board, the status bar, the sounds and the boxes, and tells
// the controller when an animation has ended or a box has closed.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include <QObject>

#include "Board.h"
#include "Browsing.h"
#include "FileResult.h"
#include "GameState.h"
#include "MoveList.h"
#include "TurnAccounting.h"

namespace reversi {

struct SavedMatch;

// The settings that travel with a game: who plays, how strong, which field.
struct GameValues {
    bool vsComputer = true;
    Side computerSide = Side::Black;
    int depth = 1;
    bool babyLevel = false;
    bool advancedEngine = false;
    int boardSize = 8;
    bool operator==(const GameValues&) const = default;
};

// The game values of anything that keeps them under the game's own field
// names (the game state, the settings), read and written the same way.
template <class Fields>
GameValues GameValuesOf(const Fields& f) {
    return {.vsComputer = f.VsComputer,
            .computerSide = SideOf(f.ComputerSide),
            .depth = f.Depth,
            .babyLevel = f.BabyLevel,
            .advancedEngine = f.AdvancedEngine,
            .boardSize = f.BoardSize};
}

template <class Fields>
void PutGameValues(Fields& f, const GameValues& v) {
    f.VsComputer = v.vsComputer;
    f.ComputerSide = ToCell(v.computerSide);
    f.Depth = v.depth;
    f.BabyLevel = v.babyLevel;
    f.AdvancedEngine = v.advancedEngine;
    f.BoardSize = v.boardSize;
}

// Where a finished game counts in the statistics: field, engine, level.
struct StatisticsEntry {
    int boardSize = 8;
    bool advancedEngine = false;
    int level = 0;
    bool operator==(const StatisticsEntry&) const = default;
};

// What the status bar shows for the game on the board.
struct GameStatus {
    PositionCounts counts;
    bool gameOver = false;
    Side toMove = Side::White;
    int movesApplied = 0;
    int movesStored = 0;
    bool operator==(const GameStatus&) const = default;
};

// Which commands are open now.
struct GameCommands {
    bool newGame = true;           // Game > New and Settings: not while the computer thinks
    bool hint = true;              // not while the computer thinks, not in a network game
    bool stepMenu = false;         // Match > Undo move / Redo move
    bool stepButtons = false;      // the two step buttons under the move list
    bool continueButtons = false;  // browsing: continue from this or the last position
    bool matchFiles = true;        // Match > Save / Open: not in a network game
    bool operator==(const GameCommands&) const = default;
};

class GameController : public QObject {
    Q_OBJECT
public:
    explicit GameController(QObject* parent = nullptr);
    ~GameController() override;

    // --- What the game is --------------------------------------------------
    const tBoard& Position() const;
    int BoardSize() const;
    Side SideToMove() const;
    bool GameOver() const;
    bool NetworkGame() const;
    GameValues Values() const;
    GameStatus Status() const;
    GameCommands Commands() const;
    bool Browsing() const { return browsing_.Active(); }
    // A search (the computer's reply or a hint) runs.
    bool Thinking() const;
    // A pass or result is waiting for its box or shown in it.
    bool MessageDue() const { return message_.has_value(); }
    // Nothing is under way that goes on by itself: no search, no answer or
    // move waiting for an animation, no box due to open, nothing queued (an
    // animation may still run). The player (or the peer) is to act, or a
    // box waits for its player.
    bool Settled() const;
    // Where a game of these values counts.
    StatisticsEntry CurrentStatisticsEntry() const;
    bool PracticeGame() const;
    // In a network game the peer is to move.
    bool WaitingForPeer() const;
    // The board text the peer's board request is answered with.
    std::string BoardText() const;
    // Counts the games put on the board: a later action meant for one game
    // finds out whether another has taken its place.
    unsigned GameSerial() const { return gameSerial_; }

    // --- Rules of the flow ---------------------------------------------------
    // A click on the board may play a square now (the side to move is the
    // player's, nothing runs, not browsing).
    bool PlayerMayMove() const;
    // That, and square is legal: where the hand cursor shows.
    bool PlayerMayPlay(int square) const;
    // The pointer's square is tracked (the hand cursor, its sound).
    bool PointerTracked() const;
    // A click on the board opens the history choice (browsing).
    bool HistoryChoiceOnClick() const;
    // The right click's help marks may show.
    bool HelpAllowed() const;
    // A hint may be asked for now.
    bool HintAllowed() const;
    // The peer's move at column x, row y may be played now.
    bool PeerMayPlay(int x, int y) const;
    // The hint turns a game against the computer into practice: ask first.
    bool HintAsksPractice() const;
    // Continuing from an earlier position does the same.
    bool ContinueAsksPractice() const;
    // The move list's jumps follow the step buttons.
    bool StepsAllowed() const;
    // The squares where the side to move may play (help marks).
    tBoard LegalMarks() const;

    // --- Commands ----------------------------------------------------------------
    // The game values of the next game, or of this one where they may change.
    void SetValues(const GameValues& values);
    // A practice game is not counted in the statistics.
    void MakePractice();
    // A new local game with the values in force; the computer opens at once
    // when it plays white.
    void NewGame();
    // The same, without going on (start-up, before the window is wired).
    void Reset();
    // Browsing on or off without a step (start-up with a match to open).
    void SetBrowsing(bool active);
    // The colour names of the move list's lines.
    void SetSideNames(const std::string& white, const std::string& black);
    // The window's move list follows the record (null detaches it).
    void SetMoveList(MoveListView* list);
    // The window goes: the record is released.
    void ReleaseRecord();
    // Writes the record as a saved match.
    FileResult SaveMatch(const std::string& file) const;
    // The player's square: false when a click may not play it now.
    bool PlayerMove(int square);
    // The peer's move: played when it is legal, after the last move's
    // animation.
    void PeerMove(int x, int y);
    // The computer's suggestion for the side to move (hintFound).
    void Hint();
    // Browsing the record: each is refused while the computer thinks, and
    // waits for a pass or result box to close.
    void Undo();
    void Redo();
    void JumpTo(int line);
    void ReturnToLast();
    // Continues from the shown position (the practice question answered
    // yes or not needed); the computer replies when it is to move. False
    // when not browsing.
    bool ContinueFromShown();
    // The turn loop goes on from the position on the board (start-up,
    // settings applied): the computer moves when it is to. SkipFirstCount
    // false counts the position first, as after a move.
    void ProcessTurn(bool SkipFirstCount = true);
    // A match opened at the computer's turn: it replies at once, and the
    // steps are off until it has.
    void ResumeMatch();
    // Takes a match read from a file: the board shows its first position,
    // browsing on (ReturnToLast then shows the last).
    void TakeMatch(SavedMatch&& match);
    // A network game on the field of `boardSize`, the local player black or
    // white; and its end, back to the values of a local game.
    void StartNetworkGame(bool localBlack, int boardSize);
    void EndNetworkGame(const GameValues& local);
    // Runs `command` now, or, while a pass or result box is due or open,
    // once it has closed (the box shows at once, the animation cut short):
    // nothing replaces a game under its own box.
    void WhenNoMessage(std::function<void()> command);
    // Stops a running search and joins it: its answer is dropped.
    void StopThinking();
    // The window closes: no more moves, no more boxes.
    void Stop();

    // --- What the window reports --------------------------------------------
    // The last move's animation has ended (or was not started).
    void MoveShown();
    // The pass or result box has closed.
    void MessageClosed();
    // The search's completion, on the main thread.
    void SearchDone(unsigned serial);

signals:
    // The position is about to change by a move (the animations keep the old one).
    void moveStarting();
    // A move stands on the board: animate it and report MoveShown.
    void moveMade(int square, Side mover);
    // Another position is on the board (new game, step, opened match).
    void positionReplaced();
    // The status texts, the move counter or whose turn it is changed.
    void statusChanged();
    // Commands() changed.
    void commandsChanged();
    void browsingChanged(bool active);
    // A pass or the end: show the box and report MessageClosed.
    void turnMessageDue(const TurnOutcome& outcome);
    void showTurnMessage(const TurnOutcome& outcome);
    // The box is closed and the flow has gone on (a network game lets the
    // peer's input through again).
    void turnMessageDone();
    // A finished game that counts, counted once when it ends; its statistics
    // window follows the result box.
    void resultCounted(PlayerResult result, const StatisticsEntry& entry);
    // Emitted outside the flow's steps: its window may wait for its player.
    void statisticsDue(const StatisticsEntry& entry);
    void thinkingChanged(bool thinking);
    void hintFound(int square);
    // The player's move in a network game, for the peer.
    void moveToSend(int x, int y);
    // An animation still running is to end now (a box shows over it).
    void animationCut();

private:
    // The tests' door to the game state, to set up positions (tests only).
    friend struct GameStateAccess;

    enum class SearchPurpose { Reply, Hint };
    struct SearchJob {
        SearchPurpose purpose = SearchPurpose::Reply;
        unsigned serial = 0;
        tBoard position{};
        Side side = Side::White;
    };
    struct PendingMessage {
        TurnOutcome outcome;
        std::optional<PlayerResult> result;
        StatisticsEntry entry;
        bool open = false;
    };

    // Every command runs its body, then the flow goes on from where it
    // stands; a command reached from inside a signal only marks that.
    template <class Body>
    void Command(Body&& body);
    void Advance();
    // One step of the flow; what it starts ends in a later step.
    void Step();
    bool ComputersTurn() const;
    // The board takes the player's input: the computer does not think and
    // the peer is not to move.
    bool BoardInputOpen() const;
    // The one path of every move to the board: the player's, the peer's and
    // the computer's.
    void PlaceMove(int square);
    // The accounting after a move: status, pass, end, count.
    void Account();
    // The computer's answer for the side to move: the fixed first move, or
    // a search whose completion comes later (SearchDone).
    void RunEngine(SearchPurpose purpose);
    void PlayAnswer(int answer);
    // The position on the board gives way: a search, a waiting answer or
    // move and the turn loop end with it.
    void Replace(bool newGame);
    // True when command waits for a box (and is queued to run after it).
    bool Deferred(std::function<void()> command);
    void ShowStep(bool shown);
    void SetStepsOn(bool menu, bool buttons);
    void UpdateSteps();
    void EmitCommandsIfChanged();

    // The game itself: position, flags, match record and search thread.
    GameState state_;
    TBrowsing browsing_;
    bool animating_ = false;
    std::optional<PendingMessage> message_;
    // The statistics window of a counted game, opened once the flow has
    // gone on after its result box (outside any step of the flow).
    std::optional<StatisticsEntry> statisticsDue_;
    std::deque<std::function<void()>> afterMessage_;
    std::optional<SearchJob> search_;
    // An answer of the computer or a move of the peer, waiting for the
    // animation of the move before it.
    std::optional<int> reply_;
    std::optional<int> peerSquare_;
    unsigned searchSerial_ = 0;
    unsigned gameSerial_ = 0;
    // The turn goes on: the computer moves when it is to.
    bool flowActive_ = false;
    // The step controls follow the record once the flow rests.
    bool updateStepsAtRest_ = false;
    bool stepMenuOn_ = false;
    bool stepButtonsOn_ = false;
    bool stopped_ = false;
    bool busy_ = false;
    bool again_ = false;
    GameCommands shownCommands_;
};

}  // namespace reversi
