// A failure inside any event handler is shown in the error box and the
// program carries on; it never unwinds through the event loop.
#include <stdexcept>

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include "ModalAnswer.h"
#include "WaitUntil.h"

namespace reversi {
namespace {

class FailingObject : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            ++handled;
            throw std::runtime_error("Stream read error");
        }
        return QObject::event(e);
    }
};

TEST(Application, FailureInAHandlerIsShownAndTheLoopGoesOn) {
    FailingObject target;
    QStringList seen;
    const auto closer = test::ModalAnswer::For<QMessageBox>(
        [&seen](QMessageBox* box) {
            seen << box->text();
            box->done(QMessageBox::Ok);
        },
        "the error box");
    closer->KeepAnswering();
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    ASSERT_TRUE(test::WaitUntil([&] { return seen.size() == 1; }, 5000)) << "seen.size() == 1";
    EXPECT_EQ(target.handled, 1);
    EXPECT_EQ(seen.value(0).toStdString(), "Stream read error");

    // A timer callback that fails is caught the same way, and the loop
    // still runs the next timer.
    bool later = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("Timer failed"); });
    QTimer::singleShot(5, [&later] { later = true; });
    ASSERT_TRUE(test::WaitUntil([&] { return later; }, 5000)) << "later";
    ASSERT_TRUE(test::WaitUntil([&] { return seen.size() == 2; }, 5000)) << "seen.size() == 2";
    EXPECT_EQ(seen.value(1).toStdString(), "Timer failed");
}

}  // namespace
}  // namespace reversi
