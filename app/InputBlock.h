#pragma once
// While one is alive, the main window takes no input from the player:
// presses, keys, shortcuts, wheel turns, context menus and drops meant for it,
// its children or its menus' items are dropped, so that nothing starts while
// slow work waits in a local event loop (painting and timers go on). A window
// of its own that opens meanwhile (a box shown by a timer) takes its input as
// usual, so the player can always close it. A close of the main window asked
// for meanwhile is not lost: the window closes once the block is gone.

#include <QObject>
#include <QPointer>

class QWidget;

namespace reversi {

class TInputBlock : public QObject {
public:
    explicit TInputBlock(QWidget& mainWindow);
    ~TInputBlock() override;
    TInputBlock(const TInputBlock&) = delete;
    TInputBlock& operator=(const TInputBlock&) = delete;

    // Input that was dropped since the block began.
    [[nodiscard]] int Dropped() const { return dropped_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The event goes to the main window, one of its children, or an object
    // of theirs (a menu item, a shortcut).
    [[nodiscard]] bool MeantForMainWindow(const QObject* target) const;

    QPointer<QWidget> mainWindow_;
    bool closeWanted_ = false;
    int dropped_ = 0;
};

}  // namespace reversi
