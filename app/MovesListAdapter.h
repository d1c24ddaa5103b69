// Connects the match record's move list to the list widget of the window.
#pragma once

#include "MoveList.h"

class QListWidget;

namespace reversi {

// Keeps each line's text in the item (Qt::UserRole, the text as the record
// gave it) and shows it; the end line shows as an empty row.
class MovesListAdapter : public MoveListView {
public:
    explicit MovesListAdapter(QListWidget* list) : list_(list) {}

    void RemoveAllLines() override;
    void InsertLine(int index, const std::string& text) override;
    void SelectLine(int index) override;
    void Repaint() override;
    void ScrollToEnd() override;

private:
    QListWidget* list_;
};

}  // namespace reversi
