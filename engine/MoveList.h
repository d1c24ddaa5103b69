// The move list as the match record sees it: a list of text lines with one
// selected line. The main window's list panel implements this interface; the
// engine only talks to it through these five calls, so it stays free of any
// toolkit.
//
// What the record puts into the list: with c stored moves the list holds
// c + 1 lines, line i (0-based) is the MoveListLine of move i + 1 and line c
// is the end line MoveListEndLine. The selected line is the next move to redo,
// or the end line when every move is applied.
//
// Ownership: the record holds a non-owning pointer (OBoardTracker::SetMoveList).
// The window attaches its list once after it exists and detaches it
// (SetMoveList(nullptr)) or releases the record before the list is destroyed.
// A record without a list simply skips every list update.
#pragma once

#include <string>

namespace reversi {

// The last line of the move list; the list panel draws it as the end marker.
inline constexpr const char* MoveListEndLine = "*FLAG:EOL*";

class MoveListView {
public:
    virtual ~MoveListView() = default;

    // Removes every line.
    virtual void RemoveAllLines() = 0;
    // Inserts text as line index (0 <= index <= number of lines); the lines
    // from index on move down by one.
    virtual void InsertLine(int index, const std::string& text) = 0;
    // Makes line index the selected line.
    virtual void SelectLine(int index) = 0;
    // Redraws the list.
    virtual void Repaint() = 0;
    // Scrolls so that the last line is visible.
    virtual void ScrollToEnd() = 0;
};

}  // namespace reversi
