// Connects the match record's move list to the list widget of the window.
#pragma once

#include <Qt>
#include <QString>

#include "MoveList.h"

class QListWidget;

namespace reversi {

// Keeps each line's text in its item (LineRole: the text as the record gave
// it, the end line included; the shown text is empty for the end line) and
// the highlighted line itself. Only the record moves the highlight: the
// widget's current row follows it, and the list's mouse handling goes to the
// window, so a click cannot move the highlight before the window has acted.
class MovesListAdapter : public MoveListView {
public:
    // The item data holding the record's text of a line.
    static constexpr int LineRole = Qt::UserRole;

    explicit MovesListAdapter(QListWidget* list) : list_(list) {}

    void RemoveAllLines() override;
    void InsertLine(int index, const std::string& text) override;
    void SelectLine(int index) override;
    void Repaint() override;
    void ScrollToEnd() override;

    // The line the record selected: the next move to redo, or the end line.
    int HighlightedLine() const { return highlighted_; }
    int LineCount() const;
    // The record's text of line index (the end line as MoveListEndLine).
    QString LineText(int index) const;

private:
    QListWidget* list_;
    int highlighted_ = -1;
};

}  // namespace reversi
