// The match record: every move of the current game with the position before
// it, for undo, redo, browsing, continuing from an earlier position and
// saving. It keeps the move list (MoveList.h) in step with itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Board.h"
#include "FileResult.h"
#include "MoveList.h"

namespace reversi {

struct GameState;
struct SavedMatch;

// One recorded move. The layout (three 32-bit integers and the board, back to
// back, 156 bytes) is also the layout of a move in a saved match file.
struct TMove {
    std::int32_t dest = 0;  // the square played (never a pass)
    std::int32_t who = 0;   // the colour that moved, 2 or 3
    std::int32_t opp = 0;   // the other colour
    tBoard board{};         // Boards[0] as it was before the move
};
static_assert(sizeof(TMove) == 156 && offsetof(TMove, who) == 4 && offsetof(TMove, opp) == 8 &&
                  offsetof(TMove, board) == 12,
              "TMove has the layout of a move in a match file");

// Invariant: moves()[i].board is the position in which move i + 1 was made;
// the position after the last applied move is the game's Boards[0] itself.
// 0 <= current() <= count(); count() - current() moves can be redone.
//
// The operations that step through the record work on the game state they
// are given (Boards[0], SideToMove, GameOver) and update the attached move
// list, if any.
class OBoardTracker {
public:
    // Init: an empty record for a field of boardsize; list may be null.
    explicit OBoardTracker(int boardsize, MoveListView* list = nullptr);
    // Done.
    ~OBoardTracker();
    OBoardTracker(const OBoardTracker&) = delete;
    OBoardTracker& operator=(const OBoardTracker&) = delete;

    // Empties the record for a field of boardsize; the list shows only the
    // end line, selected.
    void Init(int boardsize);
    // Empties the record; the list is left alone.
    void Done();

    // Records a move before it is made on game.Boards[0]: drops any moves
    // after the position shown, stores (dest, who, opp, Boards[0]), adds its
    // line above the end line, selects the end line and scrolls to it. The
    // caller makes the move on the board.
    void AddMove(const GameState& game, int dest, int who, int opp);
    // Steps back one move: restores the position and the side to move before
    // it and clears GameOver. False (and nothing changes) at the start.
    bool Undo(GameState& game);
    // Replays the next move (the game's first move is then made). With
    // ShowEach the list follows every step; without it the list is updated
    // only by the call that answers False at the end. GameOver is left to
    // the caller.
    bool Redo(GameState& game, bool ShowEach);
    // Shows the position before move i + 1 (0 <= i < count()); GameOver is
    // not touched. False (and nothing changes) for any other i.
    bool GoToMove(GameState& game, int i);
    // Steps back to the start like repeated Undo, without touching the list.
    void GoToStart(GameState& game);
    // Drops the moves after the position shown.
    void Truncate();
    // Truncate, then rebuilds the whole list and selects current().
    void RebuildList();

    // The name, a space and dots up to 12 characters; 12 or more unchanged.
    static std::string PadName(const std::string& name);
    // The list line of move number n (1-based) by the colour called name on
    // square dest of a field of size boardsize, e.g. " 1.Yellow ..... E:6".
    static std::string MoveListLine(int n, const std::string& name, int dest, int boardsize);
    // The colour names of the list's lines; lines added later use them.
    void SetSideNames(const std::string& white, const std::string& black);
    const std::string& SideName(int who) const;

    // Saved match files (SavedGame.cpp). SaveToFile writes version 2 and
    // replaces the file only after a complete write. A match is opened in
    // two steps: ReadMatchFile (SavedGame.h) reads and checks the whole file
    // and changes nothing; TakeMatch then makes the record the match (at its
    // last move), takes the game values it holds and rebuilds the list with
    // line 0 selected.
    FileResult SaveToFile(const GameState& game, const std::string& FileName) const;
    void TakeMatch(GameState& game, SavedMatch&& match);

    int count() const { return static_cast<int>(moves_.size()); }
    int current() const { return current_; }
    int boardsize() const { return boardsize_; }
    const std::vector<TMove>& moves() const { return moves_; }

    // Attaches the window's move list (null detaches) and shows the record in it.
    void SetMoveList(MoveListView* list);
    MoveListView* MoveList() const { return list_; }

private:
    // Clears the list, adds the end line and every move's line (numbered
    // with boardsize_), selects line selected and repaints.
    void FillList(int selected);
    void Select(int line);
    // Restores the position before move i (0-based) with side to move who.
    void Restore(GameState& game, int i) const;

    int current_ = 0;
    int boardsize_ = 8;
    std::vector<TMove> moves_;
    MoveListView* list_ = nullptr;
    std::string whiteName_;
    std::string blackName_;
};

// Releases the game's match record and creates a new empty one for its field
// size; the move list and the colour names of the old record carry over.
void NewBoardTracker(GameState& game);

}  // namespace reversi
