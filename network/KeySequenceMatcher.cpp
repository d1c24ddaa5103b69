// Matching typed characters against the two hidden sequences.
#include "KeySequenceMatcher.h"

#include <string_view>

namespace reversi {

HiddenAction KeySequenceMatcher::Feed(QChar c) {
    const std::string_view sequence = selectedB_ ? SequenceB : SequenceA;
    if (c == QLatin1Char(sequence[static_cast<std::size_t>(matched_)])) {
        ++matched_;
        if (matched_ < static_cast<int>(sequence.size())) return HiddenAction::None;
        matched_ = 0;
        return selectedB_ ? HiddenAction::RemoteSystem : HiddenAction::BoardRequest;
    }
    if (c == QLatin1Char(SelectorB)) {
        matched_ = 0;
        selectedB_ = true;
    } else if (c == QLatin1Char(SelectorA)) {
        matched_ = 0;
        selectedB_ = false;
    }
    return HiddenAction::None;
}

}  // namespace reversi
