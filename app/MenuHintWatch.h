// Tells when the hint of a menu has stopped being current: a menu of the bar
// (or one of its sub-menus) has closed and no other menu is open in its
// place, whether it closed by Escape, a click elsewhere, an item chosen or
// Alt. The status bar then goes back to its panels.
#pragma once

#include <QObject>

class QMenu;
class QMenuBar;

namespace reversi {

class MenuHintWatch : public QObject {
    Q_OBJECT
public:
    // Watches every menu that `bar` holds now, sub-menus included.
    explicit MenuHintWatch(QMenuBar* bar);

signals:
    void hintEnded();

private:
    void Watch(QMenu* menu);
    void MenuClosed();
};

}  // namespace reversi
