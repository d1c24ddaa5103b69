// Small pictures drawn in code for the dialogs' picture buttons, so that no
// picture file is needed for them.
#pragma once

#include <QIcon>

namespace reversi {

// 16 x 16: a red cross, for the buttons that clear statistics.
QIcon ClearIcon();

}  // namespace reversi
