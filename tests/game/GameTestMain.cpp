// Entry of the game flow's tests: a QCoreApplication and nothing of the
// widgets, so the controller is shown to run without a window.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
