// Answers a modal window from a timer while the code under test waits in its
// modal loop. The answer is given to the first active modal widget of the
// expected type; past the deadline any modal widget still open is closed, so
// a test whose dialog never appears (or is of another kind) fails with a
// message instead of hanging.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace reversi::test {

class ModalAnswer {
public:
    // `answer` is called once with the modal widget; `what` names it in a failure.
    template <class T>
    static std::unique_ptr<ModalAnswer> For(std::function<void(T*)> answer, std::string what,
                                            int timeoutMs = 30000) {
        return std::unique_ptr<ModalAnswer>(new ModalAnswer(
            [answer = std::move(answer)](QWidget* w) {
                auto* typed = qobject_cast<T*>(w);
                if (typed == nullptr) return false;
                answer(typed);
                return true;
            },
            std::move(what), timeoutMs));
    }

    // `answer` gets each active modal window and returns true once it has
    // dealt with it (for instance clicked a button).
    explicit ModalAnswer(std::function<bool(QWidget*)> answer, int timeoutMs = 30000)
        : ModalAnswer(std::move(answer), "the expected modal window", timeoutMs) {}

    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    ~ModalAnswer() {
        timer_.stop();
        if (answers_ == 0)
            ADD_FAILURE() << what_ << " did not appear within " << timeoutMs_ << " ms";
    }

    int Answers() const { return answers_; }
    bool Answered() const { return answers_ > 0; }
    // Keeps answering every further window of the kind (for repeated boxes).
    void KeepAnswering() { keep_ = true; }

private:
    ModalAnswer(std::function<bool(QWidget*)> answer, std::string what, int timeoutMs)
        : answer_(std::move(answer)), what_(std::move(what)), timeoutMs_(timeoutMs) {
        // A modal window already open is not the one to answer.
        ignored_ = QApplication::activeModalWidget();
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }

    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == ignored_) modal = nullptr;
        if (modal != nullptr && (answers_ == 0 || keep_) && answer_(modal)) {
            ++answers_;
            if (!keep_) timer_.stop();
            return;
        }
        if (clock_.elapsed() < timeoutMs_) return;
        if (modal != nullptr) {
            // Unblock the test: whatever is open is not what was expected.
            ADD_FAILURE() << "an unexpected modal window was open instead of " << what_;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->close();
            }
        }
    }

    std::function<bool(QWidget*)> answer_;
    std::string what_;
    int timeoutMs_;
    int answers_ = 0;
    bool keep_ = false;
    QPointer<QWidget> ignored_;
    QElapsedTimer clock_;
    QTimer timer_;
};

}  // namespace reversi::test
