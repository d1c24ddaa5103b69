#include "UncoverWait.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace reversi {

namespace {

// A closed window's remains older than this are not waited for: the window
// system has had its time to ask for the paint.
constexpr qint64 RecentlyClosedMs = 2000;

// Only the X window system paints a window again after the window manager
// has taken another one off it; elsewhere nothing is left to wait for.
bool UncoveringIsAsynchronous() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace

TUncoverWatch::TUncoverWatch(QWidget& mainWindow) : QObject(&mainWindow) {
    if (UncoveringIsAsynchronous()) QApplication::instance()->installEventFilter(this);
}

QWidget& TUncoverWatch::MainWindow() const { return *static_cast<QWidget*>(parent()); }

bool TUncoverWatch::eventFilter(QObject* watched, QEvent* e) {
    QWidget& main = MainWindow();
    if (e->type() == QEvent::Hide && watched != &main && watched->isWidgetType()) {
        auto* closed = static_cast<QWidget*>(watched);
        const Qt::WindowType type = closed->windowType();
        if (closed->isWindow() && type != Qt::Popup && type != Qt::ToolTip && main.isVisible() &&
            !main.isMinimized()) {
            // The closed window's outer frame, where it lay over the main
            // window's client area.
            const QRect client = main.geometry();
            const QRect over = closed->frameGeometry() & client;
            if (!over.isEmpty()) {
                pending_ += over.translated(-client.topLeft());
                sinceClosed_.start();
            }
        }
    } else if (!pending_.isEmpty() && watched == main.windowHandle()) {
        if (e->type() == QEvent::Paint) Uncovered(static_cast<QPaintEvent*>(e)->region());
        if (e->type() == QEvent::Expose) Uncovered(QRegion(QRect(QPoint(), main.size())));
    }
    return QObject::eventFilter(watched, e);
}

void TUncoverWatch::Uncovered(const QRegion& painted) {
    pending_ -= painted;
    // The paint itself runs once this event has been delivered.
    if (pending_.isEmpty() && waiting_)
        QMetaObject::invokeMethod(waiting_, &QEventLoop::quit, Qt::QueuedConnection);
}

void TUncoverWatch::AwaitUncovered(int deadlineMs) {
    if (pending_.isEmpty()) return;
    if (!sinceClosed_.isValid() || sinceClosed_.elapsed() > RecentlyClosedMs ||
        waiting_ != nullptr) {
        pending_ = QRegion();
        return;
    }
    QEventLoop loop;
    waiting_ = &loop;
    QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    waiting_ = nullptr;
    // Whatever is left now stays for the panel's repaint.
    pending_ = QRegion();
}

}  // namespace reversi
