#include "ReversiMain.h"

#include <exception>
#include <memory>

#include <QScreen>

#include "DialogPlacement.h"
#include "EngineUnit.h"
#include "FramePlacement.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "ProgramTitle.h"
#include "ReversiApplication.h"
#include "StartUpLogo.h"

namespace reversi {

namespace {

// The window's outer frame is centred on the desktop: placed by its client
// area now, and once more by the window manager's frame when it has one.
void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QRect desktop = screen->availableGeometry();
    const QSize client = window.size();
    TFramePlacer::Place(window, QMargins(), [desktop, client](const QMargins& decoration) {
        return CentredClientGeometry(desktop, client, decoration);
    });
}

}  // namespace

int ReversiMainBlock(ReversiApplication& app) {
    // The settings store is "Quenwick" / "Zorel Reversi 4.00".
    QCoreApplication::setOrganizationName(QStringLiteral("Quenwick"));
    QCoreApplication::setApplicationName(ProgramTitle());

    // The start-up logo shows while the windows are built.
    auto logo = std::make_unique<intro::StartUpLogo>();

    std::unique_ptr<TReversiForm> window;
    try {
        window = std::make_unique<TReversiForm>();
    } catch (const std::exception& failure) {
        logo.reset();
        ShowErrorMessage(QString::fromLocal8Bit(failure.what()));
        return 1;
    }
    // A screen too small for the window: the message has been shown, nothing
    // was set up and nothing is written; the program ends here.
    if (window->LowResolution()) return 1;

    // The long-lived dialogs (settings, call, chat, incoming call, history
    // choice, volume) are created here, after the main window, as each exists.
    // Then the start-up logo is hidden and released.
    logo.reset();

    window->adjustSize();
    CentreOnScreen(*window);
    window->show();
    const int result = app.exec();
    // The window is destroyed here, after the event loop has ended, so no
    // handler still running inside a nested loop sees it vanish.
    window.reset();
    return result;
}

}  // namespace reversi
