// Waiting for a condition while the event loop runs, in a way GoogleTest
// sees: QTest's QTRY_ macros report to a QTest run that does not exist here,
// so their failures would pass unseen.
#pragma once

#include <functional>

#include <QElapsedTimer>
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

}  // namespace reversi::test
