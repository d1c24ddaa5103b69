// Waiting for a condition while the event loop runs, in a way GoogleTest
// sees: QTest's QTRY_ macros report to a QTest run that does not exist here,
// so their failures would pass unseen.
#pragma once

#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTest>

namespace reversi::test {

// Handles events until `condition` holds or `timeoutMs` has passed; true
// when it holds. Use as ASSERT_TRUE(WaitUntil(...)) << "what was awaited".
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) return false;
        QTest::qWait(2);
    }
    return true;
}

// The barrier of a check that nothing more follows what was done: a queued
// call posted now runs only after every event and queued call (a zero-time
// single shot included) posted before it. True once it has run. Use as
// ASSERT_TRUE(PostedEventsHandled()) before the check.
inline bool PostedEventsHandled(int timeoutMs = 30000) {
    bool ran = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&ran] { ran = true; }, Qt::QueuedConnection);
    return WaitUntil([&ran] { return ran; }, timeoutMs);
}

}  // namespace reversi::test
