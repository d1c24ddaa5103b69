#include "MovesListAdapter.h"

#include <QListWidget>

namespace reversi {

void MovesListAdapter::RemoveAllLines() { list_->clear(); }

void MovesListAdapter::InsertLine(int index, const std::string& text) {
    const QString line = QString::fromStdString(text);
    auto* item = new QListWidgetItem(line == QLatin1String(MoveListEndLine) ? QString() : line);
    item->setData(Qt::UserRole, line);
    list_->insertItem(index, item);
}

void MovesListAdapter::SelectLine(int index) { list_->setCurrentRow(index); }

void MovesListAdapter::Repaint() { list_->viewport()->update(); }

void MovesListAdapter::ScrollToEnd() { list_->scrollToBottom(); }

}  // namespace reversi
