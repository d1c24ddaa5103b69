// Entry of the program's widget tests. One QApplication serves every test.
// Started with REVERSI_TEST_CHILD set, the binary instead plays the part of
// the program itself (see ChildProcess.h), so that tests can run a whole
// start-up in a process of its own, with a screen of their choosing.
#include <cstdlib>

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "ModalWatchdog.h"
#include "NetPlayChild.h"
#include "ReversiApplication.h"

int main(int argc, char** argv) {
    if (std::getenv(reversi::test::ChildModeVariable)) {
        if (std::getenv(reversi::test::NetPlayRoleVariable))
            return reversi::test::RunNetPlayChild(argc, argv);
        return reversi::test::RunChild(argc, argv);
    }
    // Settings written by the windows under test go to a private folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QDir::toNativeSeparators(config.path()).toLocal8Bit());
    testing::InitGoogleTest(&argc, argv);
    reversi::ReversiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quenwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Zorel Reversi 4.00"));
    // A modal window left with nothing to answer it fails its test instead
    // of holding the suite until ctest's time-out.
    reversi::test::ModalWatchdog watchdog;
    return RUN_ALL_TESTS();
}
