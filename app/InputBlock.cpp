// The application-wide filter that drops the player's input during slow work.
#include "InputBlock.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace reversi {

namespace {

// Events that start something. Releases and moves pass: a button pressed
// before the block began is let go as usual.
bool StartsSomething(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

}  // namespace

TInputBlock::TInputBlock(QWidget& mainWindow) : mainWindow_(&mainWindow) {
    // An open menu of the window would still choose its item on a release.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!MeantForMainWindow(popup->parentWidget())) break;
        popup->close();
    }
    qApp->installEventFilter(this);
}

TInputBlock::~TInputBlock() {
    qApp->removeEventFilter(this);
    if (closeWanted_ && mainWindow_)
        QMetaObject::invokeMethod(mainWindow_, &QWidget::close, Qt::QueuedConnection);
}

bool TInputBlock::MeantForMainWindow(const QObject* target) const {
    for (const QObject* o = target; o != nullptr; o = o->parent()) {
        if (!o->isWidgetType()) continue;
        const QWidget* window = static_cast<const QWidget*>(o)->window();
        // A menu opened from the window counts as the window's.
        if (window->windowType() == Qt::Popup) {
            o = window;
            continue;
        }
        return window == mainWindow_;
    }
    return false;
}

bool TInputBlock::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (!mainWindow_ ||
        (type != QEvent::ShortcutOverride && type != QEvent::Close && !StartsSomething(type)))
        return false;
    if (!MeantForMainWindow(watched)) return false;
    if (type == QEvent::ShortcutOverride) {
        // Taken by the focus widget, so that no shortcut fires; the key press
        // that follows is dropped below.
        e->accept();
        ++dropped_;
        return true;
    }
    if (type == QEvent::Close && watched == mainWindow_ && e->spontaneous()) {
        closeWanted_ = true;
        e->ignore();
        return true;
    }
    if (!StartsSomething(type)) return false;
    e->ignore();
    ++dropped_;
    return true;
}

}  // namespace reversi
