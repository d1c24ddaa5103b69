// A last guard of the widget tests against hanging: a modal window that
// stays open a long time with nothing answering it fails the running test,
// naming the window, and is closed, so the suite goes on.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace reversi::test {

class ModalWatchdog : public QObject {
public:
    explicit ModalWatchdog(int limitMs = 90000);

private:
    void Check();

    QTimer timer_;
    QPointer<QWidget> watched_;
    int openFor_ = 0;  // ms the watched window has been the active modal one
    int limitMs_;
};

}  // namespace reversi::test
