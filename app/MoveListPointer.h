// What the mouse means over the move list: which line is under it, what a
// press there does, the scrolling near the list's edges and the cursor shape.
#pragma once

#include <Qt>

namespace reversi {

// The line under list-viewport height y, with lines of itemHeight pixels
// from line topIndex at the top.
constexpr int MoveListLineAt(int y, int itemHeight, int topIndex) {
    // Floor division, so a point above the list is never line topIndex.
    const int row = y >= 0 ? y / itemHeight : (y - itemHeight + 1) / itemHeight;
    return row + topIndex;
}

struct MoveListPress {
    enum class Action {
        None,          // not a line, the highlighted one, or stepping is off
        JumpTo,        // show the position before move line + 1
        ReturnToLast,  // the end line: back to the last position
    };
    Action action = Action::None;
    int line = -1;
    // After a jump: scroll one line up and/or down (in that order), because
    // the press was within one line of the top or two lines of the bottom.
    bool scrollUp = false;
    bool scrollDown = false;
};

// A left press at height y of a list lineCount lines long (the end line
// included) whose line `highlighted` is the position shown, viewportHeight
// pixels high. stepsAllowed: the undo and redo controls are on and no
// search runs.
MoveListPress PressOnMoveList(int y, int itemHeight, int topIndex, int lineCount, int highlighted,
                              int viewportHeight, bool stepsAllowed);

// The cursor over height y: the hand over a line while steps are allowed,
// the no-entry sign over a line otherwise, the arrow below the last line.
Qt::CursorShape MoveListCursor(int y, int itemHeight, int topIndex, int lineCount,
                               bool stepsAllowed);

// Dragging jumps from line to line only with the left button alone held.
constexpr bool DragsThroughMoves(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    return buttons == Qt::LeftButton && modifiers == Qt::NoModifier;
}

}  // namespace reversi
