// Minimising a dialog minimises the main window; restoring the main window
// restores its dialogs.
#include "DialogMinimiseWatch.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace reversi {

TDialogMinimiseWatch::TDialogMinimiseWatch(QWidget& mainWindow)
    : QObject(&mainWindow), mainWindow_(&mainWindow) {
    qApp->installEventFilter(this);
}

TDialogMinimiseWatch::~TDialogMinimiseWatch() { qApp->removeEventFilter(this); }

bool TDialogMinimiseWatch::IsDialogOverMain(const QWidget& window) const {
    if (&window == mainWindow_ || !window.isWindow()) return false;
    if (window.windowType() != Qt::Dialog && window.windowType() != Qt::Sheet) return false;
    if (window.windowModality() != Qt::NonModal) return true;
    for (const QWidget* owner = window.parentWidget(); owner != nullptr;
         owner = owner->parentWidget()) {
        if (owner == mainWindow_) return true;
    }
    return false;
}

bool TDialogMinimiseWatch::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::WindowStateChange || !mainWindow_ || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    const bool wasMinimised =
        static_cast<QWindowStateChangeEvent*>(e)->oldState().testFlag(Qt::WindowMinimized);
    if (window == mainWindow_) {
        // Back from the taskbar, the tray or the window list: its dialogs
        // come back with it, once it is back (after this event).
        if (wasMinimised && !window->isMinimized())
            QTimer::singleShot(0, this, &TDialogMinimiseWatch::BringDialogsBack);
        return false;
    }
    if (!wasMinimised && window->isMinimized() && IsDialogOverMain(*window) &&
        !mainWindow_->isMinimized() && mainWindow_->isVisible()) {
        // The main window goes down with the dialog, after this event.
        QTimer::singleShot(0, mainWindow_, [main = mainWindow_] {
            if (main && !main->isMinimized()) main->showMinimized();
        });
    }
    return false;
}

void TDialogMinimiseWatch::BringDialogsBack() {
    if (!mainWindow_ || mainWindow_->isMinimized() || !mainWindow_->isVisible()) return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isMinimized() && IsDialogOverMain(*window))
            window->showNormal();
    }
    // The dialog that holds the input is on top and has it.
    if (QWidget* modal = QApplication::activeModalWidget();
        modal != nullptr && modal != mainWindow_) {
        modal->raise();
        modal->activateWindow();
    }
}

}  // namespace reversi
