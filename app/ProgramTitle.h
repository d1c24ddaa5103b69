// The program's name: the caption of its windows and boxes.
#pragma once

#include <QString>

namespace reversi {

inline QString ProgramTitle() { return QStringLiteral("Zorel Reversi 4.00"); }

}  // namespace reversi
