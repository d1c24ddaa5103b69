// The watch on the menus of the bar: a greyed item's hint, which the menus
// themselves never give, is shown when the pointer reaches it; every menu's
// closing is looked at once the closing has run its course, when another
// menu may have opened instead.
#include "MenuHintWatch.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

namespace reversi {

MenuHintWatch::MenuHintWatch(QMenuBar* bar) : QObject(bar) {
    for (QMenu* menu : bar->findChildren<QMenu*>()) Watch(menu);
}

bool MenuHintWatch::MenuOpen() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
}

void MenuHintWatch::Watch(QMenu* menu) {
    menu->installEventFilter(this);
    connect(menu, &QMenu::hovered, this, &MenuHintWatch::ItemHighlighted);
    connect(menu, &QMenu::aboutToHide, this, [this] {
        // Moving from one menu of the bar to the next closes the first before
        // the second opens, and Escape highlights the bar's title again after
        // the menu has gone: decide when all of that is over.
        QTimer::singleShot(0, this, &MenuHintWatch::MenuClosed);
    });
}

bool MenuHintWatch::eventFilter(QObject* watched, QEvent* event) {
    // A greyed item is never made the menu's current one, so the menu says
    // nothing of it: its hint is shown here as the pointer reaches it.
    if (event->type() == QEvent::MouseMove) {
        auto* menu = static_cast<QMenu*>(watched);
        const QAction* item =
            menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (item != nullptr && !item->isEnabled()) ItemHighlighted(item);
    }
    return false;
}

void MenuHintWatch::ItemHighlighted(const QAction* item) {
    if (item->isSeparator() || item->statusTip().isEmpty()) return;
    emit hintShown(item->statusTip());
}

void MenuHintWatch::MenuClosed() {
    if (MenuOpen()) return;
    emit hintEnded();
}

}  // namespace reversi
