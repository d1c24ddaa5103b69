// The two hidden key sequences typed into the main window: one asks the peer
// for its board, the other shows the peer's system. Pure matching, no window.
#pragma once

#include <QChar>

namespace reversi {

enum class HiddenAction { None, BoardRequest, RemoteSystem };

class KeySequenceMatcher {
public:
    static constexpr char SequenceA[] = "vmtrqz";       // board request
    static constexpr char SequenceB[] = "blqudnkwajx";  // remote system
    static constexpr char SelectorA = 'p';
    static constexpr char SelectorB = 's';

    // One typed character; the action when it completes the selected
    // sequence. Other keys between the letters do not spoil a sequence; a
    // selector key starts its sequence afresh unless it is the expected letter.
    HiddenAction Feed(QChar c);

    int Matched() const { return matched_; }
    bool SequenceBSelected() const { return selectedB_; }

private:
    int matched_ = 0;
    bool selectedB_ = false;
};

}  // namespace reversi
