#pragma once
// Keeps the program's windows together when a window manager minimises one
// of its dialogs. A dialog over the main window blocks the main window's
// input; minimised on its own it would leave a main window on screen that
// takes no input and shows nothing of what blocks it. So a dialog that goes
// down takes the main window with it (into the taskbar, or the tray when the
// tray is on), and when the main window comes back every dialog minimised
// with it comes back over it.

#include <QObject>
#include <QPointer>

class QWidget;

namespace reversi {

class TDialogMinimiseWatch : public QObject {
public:
    // Watches the windows of the application on behalf of `mainWindow` (its
    // parent).
    explicit TDialogMinimiseWatch(QWidget& mainWindow);
    ~TDialogMinimiseWatch() override;
    TDialogMinimiseWatch(const TDialogMinimiseWatch&) = delete;
    TDialogMinimiseWatch& operator=(const TDialogMinimiseWatch&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // A top-level dialog over the main window: owned by it, or modal.
    [[nodiscard]] bool IsDialogOverMain(const QWidget& window) const;
    void BringDialogsBack();

    QPointer<QWidget> mainWindow_;
};

}  // namespace reversi
