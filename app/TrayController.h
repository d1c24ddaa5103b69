#pragma once
// The program's icon in the desktop tray while the window is minimised into
// it: shown on minimising when the tray option is on and a tray exists, tip
// "Zorel Reversi"; a left click or double click on it asks for the window back
// and removes it, also while a modal dialog of the program is open. Other
// clicks on it do nothing.

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

namespace reversi {

class TTrayClickFilter;

class TrayController : public QObject {
    Q_OBJECT
public:
    // `trayAvailable` answers whether the desktop has a tray (tests choose it).
    explicit TrayController(
        const QIcon& icon, QObject* parent = nullptr,
        std::function<bool()> trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable);
    ~TrayController() override;

    static QString TipText();

    // The window was minimised: answers true when the window must be hidden
    // (its icon is now in the tray), false when it stays on the taskbar.
    bool HideOnMinimise(bool useSysTray);
    // Takes the icon out of the tray (the window closes or comes back another
    // way). Nothing happens when it is not there.
    void RemoveIcon();
    [[nodiscard]] bool IsIconShown() const;

signals:
    // A left click or double click on the icon: show the window again and bring
    // it to the front. The icon is already gone.
    void RestoreRequested();

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon* icon_;
    std::function<bool()> trayAvailable_;
    // Watches for the presses a modal dialog keeps from the icon, while the
    // icon is shown.
    std::unique_ptr<TTrayClickFilter> clickFilter_;
};

}  // namespace reversi
