// The watch on the menus of the bar: every menu's closing is looked at once
// the closing has run its course, when another menu may have opened instead.
#include "MenuHintWatch.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace reversi {

MenuHintWatch::MenuHintWatch(QMenuBar* bar) : QObject(bar) {
    for (QMenu* menu : bar->findChildren<QMenu*>()) Watch(menu);
}

void MenuHintWatch::Watch(QMenu* menu) {
    connect(menu, &QMenu::aboutToHide, this, [this] {
        // Moving from one menu of the bar to the next closes the first before
        // the second opens, and Escape highlights the bar's title again after
        // the menu has gone: decide when all of that is over.
        QTimer::singleShot(0, this, &MenuHintWatch::MenuClosed);
    });
}

void MenuHintWatch::MenuClosed() {
    if (qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr) return;
    emit hintEnded();
}

}  // namespace reversi
