// Pictures of the dialogs' buttons, painted in code so that no picture file
// is needed. Each is a 32 x 16 strip of at most 16 colours: the normal 16 x 16
// picture on the left, the disabled one on the right (the normal picture's dark
// lines in grey, with a white edge, as if pressed into the button).
#pragma once

#include <QIcon>
#include <QImage>

class QAbstractButton;

namespace reversi {

enum class DialogGlyph {
    Ok,                // a green tick
    Cancel,            // a red cross
    Close,             // a door
    NextTip,           // an arrow pointing right
    Clear,             // a waste bin, for the buttons that clear statistics
    ReturnToHistory,   // the curved arrow of the undo button
    ContinueFromThis,  // the play triangle of "continue from this position"
    ContinueFromLast,  // the triangle and bar of "continue from last position"
};

constexpr int GlyphSize = 16;

// The strip of one picture: Format_Indexed8 with a colour table of 16 entries,
// entry 0 transparent.
QImage GlyphStrip(DialogGlyph glyph);

// The icon cut from the strip: its left half for the normal state, its right
// half for the disabled state.
QIcon GlyphIcon(DialogGlyph glyph);

// Gives a dialog button its picture (shown at 16 x 16) and the hand-point cursor.
void SetGlyph(QAbstractButton& button, DialogGlyph glyph);

}  // namespace reversi
