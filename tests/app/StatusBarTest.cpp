// The status bar as a player sees it around the menus: a menu's hint shows
// while the menu is open and the three panels come back however it closes;
// a refused statistics value is said in the bar, readable, once the window
// is up.
#include <functional>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "StatisticsTable.h"
#include "WaitUntil.h"
#include "WindowChildren.h"

namespace reversi {
namespace {
using test::Child;
using test::WaitUntil;

class StatusBarTest : public testing::Test {
protected:
    void SetUp() override {
        ResetGameState();
        QSettings().clear();
        // No tip of the day over the windows of these tests.
        QSettings().setValue(QStringLiteral("options/showtips"), QStringLiteral("no"));
    }
    void TearDown() override {
        // A menu a failed test left open must not reach the next test.
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }

    std::unique_ptr<TReversiForm> ShowWindow() {
        auto form = std::make_unique<TReversiForm>();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }

    static bool PanelsShown(const TReversiForm& form) {
        return Child<QLabel>(form, "StatusPanel0")->isVisible() &&
               form.statusBar()->currentMessage().isEmpty();
    }

    // Opens `menu` by a click on its title in the menu bar, as a player does.
    static QMenu* OpenByClick(TReversiForm& form, const char* menu) {
        QMenuBar* bar = form.menuBar();
        auto* opened = Child<QMenu>(form, menu);
        const QPoint title = bar->actionGeometry(opened->menuAction()).center();
        QTest::mouseMove(bar, title);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, title);
        if (!WaitUntil([&] { return QApplication::activePopupWidget() == opened; }))
            ADD_FAILURE() << menu << " did not open";
        return opened;
    }
};

TEST_F(StatusBarTest, TheMenuHintGoesAndThePanelsComeBackHoweverTheMenuCloses) {
    struct Way {
        const char* name;
        std::function<void(QMenu&)> close;
    };
    const Way ways[] = {
        {"Escape", [](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); }},
        // A click outside a menu reaches the open menu first, which closes.
        {"a click elsewhere",
         [](QMenu& menu) {
             QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier,
                               QPoint(-40, menu.height() + 40));
         }},
        {"an item chosen",
         [](QMenu& menu) {
             QAction* item = menu.findChild<QAction*>(QStringLiteral("ShowMoves1"));
             ASSERT_NE(item, nullptr);
             const QPoint at = menu.actionGeometry(item).center();
             QTest::mouseMove(&menu, at);
             QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, at);
         }},
        {"Alt", [](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_Alt); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        auto form = ShowWindow();
        ASSERT_TRUE(PanelsShown(*form));
        const QString turn = form->StatusPanelText(0);
        QMenu* match = OpenByClick(*form, "ListMenu");
        EXPECT_EQ(form->statusBar()->currentMessage().toStdString(),
                  "Undo, redo, show and hide moves...");
        EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());

        way.close(*match);
        ASSERT_TRUE(WaitUntil([&] { return !match->isVisible(); })) << "the menu stays open";
        EXPECT_TRUE(WaitUntil([&] { return PanelsShown(*form); }))
            << "the bar still shows \"" << form->statusBar()->currentMessage().toStdString()
            << "\"";
        // Back with their texts.
        EXPECT_EQ(form->StatusPanelText(0), turn);
        EXPECT_EQ(form->StatusPanelText(1).toStdString(), "Yellow 2 : Green 2");
        EXPECT_EQ(form->StatusPanelText(2).toStdString(), "Move 0/0");
    }
}

TEST_F(StatusBarTest, GoingOnToTheNextMenuKeepsItsHint) {
    auto form = ShowWindow();
    QMenu* game = OpenByClick(*form, "GameMenu");
    // Right goes on to "Media": the first menu closes as the next one opens.
    QTest::keyClick(game, Qt::Key_Right);
    auto* media = Child<QMenu>(*form, "Media1");
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activePopupWidget() == media; }));
    QTest::qWait(50);
    EXPECT_FALSE(form->statusBar()->currentMessage().isEmpty());
    EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());
    // So does a sub-menu opened from it.
    auto* figures = Child<QMenu>(*form, "Figures1");
    QTest::keyClick(media, Qt::Key_Right);
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activePopupWidget() == figures; }));
    QTest::qWait(50);
    EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), "Zorel Amber style figures");

    QTest::keyClick(figures, Qt::Key_Escape);
    QTest::keyClick(media, Qt::Key_Escape);
    EXPECT_TRUE(WaitUntil([&] { return PanelsShown(*form); }));
}

TEST_F(StatusBarTest, ARefusedStatisticsValueIsSaidOverThePanelsOnceTheWindowIsUp) {
    struct Stored {
        const char* what;
        QVariant value;
    };
    const Stored refused[] = {
        {"text", QStringLiteral("some text")},
        {"a number", 12},
        {"too long", QByteArray(641, '\1')},
    };
    for (const Stored& stored : refused) {
        SCOPED_TRACE(stored.what);
        ResetGameState();
        QSettings().setValue(QStringLiteral("Statistics"), stored.value);
        auto form = std::make_unique<TReversiForm>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(WaitUntil([&] {
            return form->statusBar()->currentMessage() == StatisticsRefusedMessage();
        })) << "no notice";
        // Readable: the panels are not drawn over it.
        EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());
        EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel2")->isVisible());
        form.reset();
        QSettings().remove(QStringLiteral("Statistics"));
    }
}

TEST_F(StatusBarTest, AReadableStatisticsValueGivesNoNotice) {
    QSettings().setValue(QStringLiteral("Statistics"), QByteArray(640, '\0'));
    auto form = ShowWindow();
    QTest::qWait(50);
    EXPECT_TRUE(PanelsShown(*form));
}

}  // namespace
}  // namespace reversi
