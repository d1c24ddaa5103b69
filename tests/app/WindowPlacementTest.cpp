// Keeping the window's centre when its size changes, and the tray decisions.
#include <gtest/gtest.h>

#include <QPixmap>
#include <QSignalSpy>
#include <QSystemTrayIcon>

#include "TrayController.h"
#include "WindowPlacement.h"

namespace reversi {
namespace {

TEST(RecentredGeometry, KeepsTheCentreTruncatingTowardsZero) {
    struct Case {
        QRect old;
        QSize size;
        QPoint topLeft;
    };
    const Case cases[] = {
        {{100, 50, 500, 400}, {620, 400}, {40, 50}},   // grows by 120: 60 to the left
        {{100, 50, 620, 400}, {500, 400}, {160, 50}},  // shrinks by 120: 60 to the right
        {{100, 50, 500, 400}, {500, 405}, {100, 48}},  // 5 taller: 2 up
        {{100, 50, 500, 405}, {500, 400}, {100, 52}},  // 5 shorter: 2 down
        {{100, 50, 500, 400}, {501, 399}, {100, 50}},  // odd 1-pixel changes: no move
        {{3, 4, 500, 400}, {700, 640}, {-97, -116}},   // not clamped to the screen
        {{10, 10, 300, 300}, {300, 300}, {10, 10}},
    };
    for (const Case& c : cases) {
        const QRect r = RecentredGeometry(c.old, c.size);
        EXPECT_EQ(r.topLeft(), c.topLeft) << c.old.width() << "x" << c.old.height();
        EXPECT_EQ(r.size(), c.size);
    }
}

TEST(RecentredGeometry, AskingTwiceDoesNotDrift) {
    const QRect old(100, 50, 500, 400);
    const QRect once = RecentredGeometry(old, {620, 460});
    EXPECT_EQ(RecentredGeometry(old, {620, 460}), once);
}

TEST(TrayDecision, HidesOnlyWithTheOptionOnAndATray) {
    EXPECT_TRUE(ShouldHideToTray(true, true));
    EXPECT_FALSE(ShouldHideToTray(true, false));  // never hide a window with no way back
    EXPECT_FALSE(ShouldHideToTray(false, true));
    EXPECT_FALSE(ShouldHideToTray(false, false));
}

class TrayControllerTest : public testing::Test {
protected:
    bool available = true;
    TrayController tray{SomeIcon(), nullptr, [this] { return available; }};
    static QIcon SomeIcon() {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::darkGreen);
        return QIcon(pixmap);
    }
    QSystemTrayIcon* icon() { return tray.findChild<QSystemTrayIcon*>(); }
};

TEST_F(TrayControllerTest, MinimisingShowsTheIconWithItsTip) {
    ASSERT_NE(icon(), nullptr);
    EXPECT_EQ(icon()->toolTip(), QStringLiteral("Zorel Reversi"));
    EXPECT_FALSE(tray.IsIconShown());
    EXPECT_TRUE(tray.HideOnMinimise(true));
    EXPECT_TRUE(tray.IsIconShown());
}

TEST_F(TrayControllerTest, NoIconWithTheOptionOffOrWithoutATray) {
    EXPECT_FALSE(tray.HideOnMinimise(false));
    EXPECT_FALSE(tray.IsIconShown());
    available = false;
    EXPECT_FALSE(tray.HideOnMinimise(true));
    EXPECT_FALSE(tray.IsIconShown());
}

TEST_F(TrayControllerTest, LeftClickOrDoubleClickRestoresAndRemovesTheIcon) {
    QSignalSpy restore(&tray, &TrayController::RestoreRequested);
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}) {
        ASSERT_TRUE(tray.HideOnMinimise(true));
        emit icon()->activated(reason);
        EXPECT_FALSE(tray.IsIconShown());
    }
    EXPECT_EQ(restore.count(), 2);
}

TEST_F(TrayControllerTest, OtherClicksDoNothing) {
    QSignalSpy restore(&tray, &TrayController::RestoreRequested);
    ASSERT_TRUE(tray.HideOnMinimise(true));
    for (auto reason :
         {QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown})
        emit icon()->activated(reason);
    EXPECT_TRUE(tray.IsIconShown());
    EXPECT_EQ(restore.count(), 0);
}

TEST_F(TrayControllerTest, RemovingTwiceIsHarmless) {
    ASSERT_TRUE(tray.HideOnMinimise(true));
    tray.RemoveIcon();
    tray.RemoveIcon();
    EXPECT_FALSE(tray.IsIconShown());
}

}  // namespace
}  // namespace reversi
