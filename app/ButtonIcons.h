// Icons painted in code: the buttons under the move list and the program.
#pragma once

#include <QIcon>
#include <QPainterPath>

namespace reversi {

enum class ButtonIcon { Undo, Redo, FromThis, FromEnd };

// A 16 x 16 icon with a greyed form for the disabled button.
QIcon PaintButtonIcon(ButtonIcon kind);

// The outline a button's icon fills, in a 16 x 16 square.
QPainterPath ButtonShape(ButtonIcon kind);
// The program's icon (window, task bar, tray): two discs, yellow over green.
QIcon PaintProgramIcon();

}  // namespace reversi
