// A click on the board: the button must go up over the square where it went
// down, so a press dragged off the square or off the board plays nothing.
#pragma once

#include <optional>
#include <utility>

#include <QPoint>

namespace reversi {

class TBoardPress {
public:
    // The left button went down over `square` (column, row; none off the field).
    void Press(std::optional<QPoint> square) { pressed_ = square; }
    // The left button went up over `square`: true when that completes a click
    // on the pressed square. The press is forgotten either way.
    bool Release(std::optional<QPoint> square) {
        const std::optional<QPoint> pressed = std::exchange(pressed_, std::nullopt);
        return pressed && square && *pressed == *square;
    }

private:
    std::optional<QPoint> pressed_;
};

}  // namespace reversi
