// The names the two colours go by in texts (the figure set's: "Yellow" for
// white and "Green" for black), handed to each window that shows them.
#pragma once

#include <QString>

#include "TurnAccounting.h"

namespace reversi {

struct SideNames {
    QString white = QStringLiteral("Yellow");
    QString black = QStringLiteral("Green");
    const QString& Of(Side side) const { return side == Side::Black ? black : white; }
    bool operator==(const SideNames&) const = default;
};

}  // namespace reversi
