// A failure inside any event handler is shown in the error box and the
// program carries on; it never unwinds through the event loop.
#include <stdexcept>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

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

// Closes the first error box that appears and remembers its text.
struct BoxCloser {
    QString seen;
    int boxes = 0;
    QTimer timer;
    BoxCloser() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxes;
                seen = box->text();
                box->done(QMessageBox::Ok);
            }
        });
        timer.start(10);
    }
};

TEST(Application, FailureInAHandlerIsShownAndTheLoopGoesOn) {
    FailingObject target;
    BoxCloser closer;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(target.handled, 1);
    EXPECT_EQ(closer.boxes, 1);
    EXPECT_EQ(closer.seen.toStdString(), "Stream read error");

    // A timer callback that fails is caught the same way.
    bool later = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("Timer failed"); });
    QTimer::singleShot(5, [&later] { later = true; });
    for (int i = 0; i < 100 && !later; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(later);
    EXPECT_EQ(closer.boxes, 2);
    EXPECT_EQ(closer.seen.toStdString(), "Timer failed");
}

}  // namespace
}  // namespace reversi
