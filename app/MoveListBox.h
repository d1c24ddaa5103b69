#pragma once
// The move list's list widget: its lines are always whole. The list scrolls
// a line at a time, so its viewport is kept a whole number of lines high;
// what is left over of the panel's height stays below the lines in the
// list's own colour. Otherwise, depending on the frame and the panel's
// height, the last line (the end marker of a full list) could be cut off at
// the bottom.

#include <QListWidget>

namespace reversi {

class TMoveListBox : public QListWidget {
public:
    explicit TMoveListBox(QWidget* parent);

    // The background (also of the space below the lines) and the text colour.
    void SetColours(const QColor& background, const QColor& text);

protected:
    void resizeEvent(QResizeEvent* e) override;
};

}  // namespace reversi
