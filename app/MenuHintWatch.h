// Keeps the status bar's hint in step with the menus of the bar: the hint of
// every item while it is highlighted or under the pointer, greyed items
// included, and the end of a menu's hint once a menu of the bar (or one of
// its sub-menus) has closed and no other menu is open in its place, whether
// it closed by Escape, a click elsewhere, an item chosen or Alt. The status
// bar then goes back to its panels.
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace reversi {

class MenuHintWatch : public QObject {
    Q_OBJECT
public:
    // Watches every menu that `bar` holds now, sub-menus included.
    explicit MenuHintWatch(QMenuBar* bar);

    // True while one of the watched menus is open: an empty hint a menu gives
    // then (the pointer left an item for a greyed one, a separator or the
    // menu's outside) ends nothing, the bar keeps its hint.
    static bool MenuOpen();

signals:
    void hintShown(const QString& hint);
    void hintEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QMenu* menu);
    void MenuClosed();
    void ItemHighlighted(const QAction* item);
};

}  // namespace reversi
