#pragma once
// While one is alive, the program takes no input from the player: presses,
// keys, shortcuts, wheel turns, context menus and drops meant for any of its
// windows are dropped, so that nothing starts while slow work waits in a local
// event loop (painting and timers go on). A close of the main window asked for
// meanwhile is not lost: the window closes once the block is gone.

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
    QPointer<QWidget> mainWindow_;
    bool closeWanted_ = false;
    int dropped_ = 0;
};

}  // namespace reversi
