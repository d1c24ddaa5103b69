#include "MoveListPointer.h"

namespace reversi {

MoveListPress PressOnMoveList(int y, int itemHeight, int topIndex, int lineCount, int highlighted,
                              int viewportHeight, bool stepsAllowed) {
    MoveListPress press;
    if (!stepsAllowed) return press;
    const int line = MoveListLineAt(y, itemHeight, topIndex);
    if (line < 0 || line >= lineCount || line == highlighted) return press;
    press.line = line;
    // The last line is the end line: every other line is a move.
    if (line == lineCount - 1) {
        press.action = MoveListPress::Action::ReturnToLast;
        return press;
    }
    press.action = MoveListPress::Action::JumpTo;
    press.scrollUp = y <= itemHeight;
    press.scrollDown = y >= viewportHeight - 2 * itemHeight;
    return press;
}

Qt::CursorShape MoveListCursor(int y, int itemHeight, int topIndex, int lineCount,
                               bool stepsAllowed) {
    const int line = MoveListLineAt(y, itemHeight, topIndex);
    if (line < 0 || line >= lineCount) return Qt::ArrowCursor;
    return stepsAllowed ? Qt::PointingHandCursor : Qt::ForbiddenCursor;
}

}  // namespace reversi
