// The modal watchdog: polls the active modal window once a second from
// whatever event loop runs (a modal window's own loop included).
#include "ModalWatchdog.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

namespace reversi::test {

namespace {
constexpr int kPollMs = 1000;
}

ModalWatchdog::ModalWatchdog(int limitMs) : limitMs_(limitMs) {
    connect(&timer_, &QTimer::timeout, this, [this] { Check(); });
    timer_.start(kPollMs);
}

void ModalWatchdog::Check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != watched_) {
        watched_ = modal;
        openFor_ = 0;
        return;
    }
    if (modal == nullptr) return;
    openFor_ += kPollMs;
    if (openFor_ < limitMs_) return;
    ADD_FAILURE() << "a modal " << modal->metaObject()->className() << " (\""
                  << modal->windowTitle().toStdString() << "\") stayed open " << openFor_
                  << " ms with nothing answering it; closed";
    openFor_ = 0;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

}  // namespace reversi::test
