#include "MovesListAdapter.h"

#include <QListWidget>

namespace reversi {

void MovesListAdapter::RemoveAllLines() {
    list_->clear();
    highlighted_ = -1;
}

void MovesListAdapter::InsertLine(int index, const std::string& text) {
    const QString line = QString::fromStdString(text);
    // The end line is drawn as a marker, never as text.
    auto* item = new QListWidgetItem(line == QLatin1String(MoveListEndLine) ? QString() : line);
    item->setData(LineRole, line);
    list_->insertItem(index, item);
}

void MovesListAdapter::SelectLine(int index) {
    highlighted_ = index;
    // The widget's current row follows for accessibility; only the record moves it.
    list_->setCurrentRow(index);
    list_->viewport()->update();
}

void MovesListAdapter::Repaint() { list_->viewport()->update(); }

void MovesListAdapter::ScrollToEnd() { list_->scrollToBottom(); }

int MovesListAdapter::LineCount() const { return list_->count(); }

QString MovesListAdapter::LineText(int index) const {
    const QListWidgetItem* item = list_->item(index);
    return item != nullptr ? item->data(LineRole).toString() : QString();
}

}  // namespace reversi
