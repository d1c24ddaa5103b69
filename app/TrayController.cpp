// The tray icon shown while the window is minimised into the tray.
#include "TrayController.h"

#include <QPointer>

#include "TrayClickFilter.h"
#include "WindowPlacement.h"

namespace reversi {

TrayController::TrayController(const QIcon& icon, QObject* parent,
                               std::function<bool()> trayAvailable)
    : QObject(parent),
      icon_(new QSystemTrayIcon(icon, this)),
      trayAvailable_(std::move(trayAvailable)) {
    icon_->setToolTip(TipText());
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayController::OnActivated);
}

TrayController::~TrayController() = default;

QString TrayController::TipText() { return QStringLiteral("Zorel Reversi"); }

bool TrayController::HideOnMinimise(bool useSysTray) {
    if (!ShouldHideToTray(useSysTray, trayAvailable_())) return false;
    icon_->show();
    if (!clickFilter_) {
        clickFilter_ = std::make_unique<TTrayClickFilter>([self = QPointer<TrayController>(this)] {
            if (self) self->OnActivated(QSystemTrayIcon::Trigger);
        });
    }
    return true;
}

void TrayController::RemoveIcon() {
    clickFilter_.reset();
    icon_->hide();
}

bool TrayController::IsIconShown() const { return icon_->isVisible(); }

void TrayController::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    if (!icon_->isVisible()) return;
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) return;
    RemoveIcon();
    emit RestoreRequested();
}

}  // namespace reversi
