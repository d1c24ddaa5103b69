#pragma once
// The parts of the main window that a window of the program covered until it
// closed. Under X11 the window manager takes a closed dialog's frame off the
// screen a moment after the program has closed the dialog, and only then does
// the window system ask the main window to paint what lay under it: slow work
// started at once (a picture reload behind the busy panel) would leave the
// dialog's remains on screen for its whole time. AwaitUncovered waits, with a
// deadline, until those parts have been painted again.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QRegion>

class QEventLoop;
class QWidget;

namespace reversi {

class TUncoverWatch : public QObject {
public:
    // Watches the windows that close over `mainWindow` (its parent).
    explicit TUncoverWatch(QWidget& mainWindow);

    // Returns once every part of the main window that a window closed in the
    // last moments covered has been painted again, or after deadlineMs. Only
    // timers and window-system events are handled meanwhile, no input.
    void AwaitUncovered(int deadlineMs = 1000);

    // What is still to be painted, in the main window's coordinates.
    [[nodiscard]] QRegion Pending() const { return pending_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    [[nodiscard]] QWidget& MainWindow() const;
    void Uncovered(const QRegion& painted);

    QRegion pending_;
    QElapsedTimer sinceClosed_;
    QPointer<QEventLoop> waiting_;
};

}  // namespace reversi
