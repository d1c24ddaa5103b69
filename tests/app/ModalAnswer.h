// Answers the next modal window that opens (a message box or a dialog run by
// exec()) from a polling timer. When none comes within the time limit, the
// test fails with a message and any modal window still open is closed, so a
// test never hangs in a modal loop.
#pragma once

#include <functional>
#include <utility>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace reversi::test {

class ModalAnswer {
public:
    // answer gets the active modal window and returns true once it has dealt
    // with it (for instance clicked a button).
    explicit ModalAnswer(std::function<bool(QWidget*)> answer, int limitMs = 5000)
        : answer_(std::move(answer)) {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != ignored_ && answer_(modal)) {
                answered_ = true;
                poll_.stop();
                deadline_.stop();
            }
        });
        deadline_.setSingleShot(true);
        deadline_.setInterval(limitMs);
        QObject::connect(&deadline_, &QTimer::timeout, [this] {
            poll_.stop();
            ADD_FAILURE() << "the expected modal window did not come";
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == ignored_) return;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->close();
            }
        });
        ignored_ = QApplication::activeModalWidget();
        poll_.start();
        deadline_.start();
    }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    bool Answered() const { return answered_; }

private:
    std::function<bool(QWidget*)> answer_;
    QTimer poll_;
    QTimer deadline_;
    QPointer<QWidget> ignored_;  // a modal window already open before this one
    bool answered_ = false;
};

}  // namespace reversi::test
