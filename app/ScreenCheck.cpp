#include "ScreenCheck.h"

#include <QGuiApplication>
#include <QScreen>

namespace reversi {

int ScreenLines() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size().height() : 0;
}

QString LowResolutionMessage() {
    return QStringLiteral(
        "ERROR: You have less then 800 x 600 resolution!\n"
        "Change You display resolution and try againg.");
}

}  // namespace reversi
