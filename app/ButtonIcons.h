// Icons of the buttons under the move list, painted in code.
#pragma once

#include <QIcon>

namespace reversi {

enum class ButtonIcon { Undo, Redo, FromThis, FromEnd };

// A 16 x 16 icon with a greyed form for the disabled button.
QIcon PaintButtonIcon(ButtonIcon kind);

}  // namespace reversi
