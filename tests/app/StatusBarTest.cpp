// The status bar as a player sees it around the menus: a menu's hint shows
// while the menu is open and the three panels come back however it closes;
// a refused statistics value is said in the bar, readable, once the window
// is up.
#include <functional>
#include <memory>
#include <string>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
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

// Generous: these tests run beside many others on a busy machine.
constexpr int DeadlineMs = 30000;

// Runs the event loop until everything posted before this call has been
// handled (events are handled in the order they were posted): the watch on
// the menus, for one, looks at a closing only once its events have run.
bool RunEventsPostedSoFar() {
    bool reached = false;
    QTimer::singleShot(0, [&reached] { reached = true; });
    return WaitUntil([&reached] { return reached; }, DeadlineMs);
}

class StatusBarTest : public testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        // No tip of the day over the windows of these tests.
        QSettings().setValue(QStringLiteral("options/showtips"), QStringLiteral("no"));
        // The pointer (a real one on X11) away from where the menus open: a
        // menu that opens under it highlights the item there, as it would for
        // a player, and the keys of these tests would start from that item.
        const QPoint corner = QGuiApplication::primaryScreen()->geometry().bottomRight();
        QCursor::setPos(corner);
        EXPECT_TRUE(WaitUntil([&] { return QCursor::pos() == corner; }, DeadlineMs))
            << "the pointer did not move";
    }
    void TearDown() override {
        // A menu a failed test left open must not reach the next test.
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }

    std::unique_ptr<TReversiForm> ShowWindow() {
        auto form = std::make_unique<TReversiForm>();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get(), DeadlineMs));
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get(), DeadlineMs));
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
        if (!WaitUntil([&] { return QApplication::activePopupWidget() == opened; }, DeadlineMs))
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
        ASSERT_TRUE(WaitUntil([&] { return !match->isVisible(); }, DeadlineMs))
            << "the menu stays open";
        EXPECT_TRUE(WaitUntil([&] { return PanelsShown(*form); }, DeadlineMs))
            << "the bar still shows \"" << form->statusBar()->currentMessage().toStdString()
            << "\"";
        // Back with their texts.
        EXPECT_EQ(form->StatusPanelText(0), turn);
        EXPECT_EQ(form->StatusPanelText(1).toStdString(), "Yellow 2 : Green 2");
        EXPECT_EQ(form->StatusPanelText(2).toStdString(), "Move 0/0");
    }
}

TEST_F(StatusBarTest, EveryItemUnderThePointerShowsItsOwnHintGreyedOrNot) {
    struct Move {
        const char* menu;
        const char* from;      // an item first under the pointer, or none
        const char* fromHint;  // its hint
        const char* to;        // a greyed item reached next
        const char* toHint;
    };
    const Move moves[] = {
        {"NetMenu", "NetMenuListing", "Allow remote player to call you", "NetMenuDisconnect",
         "Disconnect from remote player"},
        {"NetMenu", "NetMenuListing", "Allow remote player to call you", "NetMenuSendMessage",
         "Send a message to remote player"},
        {"ListMenu", nullptr, nullptr, "ListMenuUndoMove", "Undo last move"},
        {"ListMenu", "ShowMoves1", "Show or hide moves list", "ListMenuRedoMove",
         "Redo to next move"},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.to);
        auto form = ShowWindow();
        QMenu* menu = OpenByClick(*form, move.menu);
        const auto itemCentre = [&](const char* name) {
            QAction* item = menu->findChild<QAction*>(QString::fromLatin1(name));
            EXPECT_NE(item, nullptr) << name;
            return item ? menu->actionGeometry(item).center() : QPoint();
        };
        if (move.from != nullptr) {
            QTest::mouseMove(menu, itemCentre(move.from));
            EXPECT_TRUE(WaitUntil(
                [&] { return form->statusBar()->currentMessage() == move.fromHint; }, DeadlineMs))
                << "the bar shows \"" << form->statusBar()->currentMessage().toStdString() << "\"";
        }
        const QAction* greyed = menu->findChild<QAction*>(QString::fromLatin1(move.to));
        ASSERT_NE(greyed, nullptr);
        ASSERT_FALSE(greyed->isEnabled());
        QTest::mouseMove(menu, itemCentre(move.to));
        EXPECT_TRUE(WaitUntil([&] { return form->statusBar()->currentMessage() == move.toHint; },
                              DeadlineMs))
            << "the bar shows \"" << form->statusBar()->currentMessage().toStdString() << "\"";
        // Whatever the move set going has run, the menu still open: no panels.
        ASSERT_TRUE(RunEventsPostedSoFar());
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), move.toHint);
        EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());

        QTest::keyClick(menu, Qt::Key_Escape);
        EXPECT_TRUE(
            WaitUntil([&] { return !menu->isVisible() && PanelsShown(*form); }, DeadlineMs));
    }
}

TEST_F(StatusBarTest, GoingOnToTheNextMenuKeepsItsHint) {
    auto form = ShowWindow();
    // Opened from the keyboard, the pointer left where it is: a pointer on
    // the bar (on X11 a test's mouse move puts the real one there) would open
    // the menu under it again as soon as it moved.
    auto* game = Child<QMenu>(*form, "GameMenu");
    form->menuBar()->setActiveAction(game->menuAction());
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activePopupWidget() == game; }, DeadlineMs));
    // Right goes on to "Media": the first menu closes as the next one opens.
    QTest::keyClick(game, Qt::Key_Right);
    auto* media = Child<QMenu>(*form, "Media1");
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activePopupWidget() == media; }, DeadlineMs));
    // The watch has looked at the first menu's closing.
    ASSERT_TRUE(RunEventsPostedSoFar());
    EXPECT_FALSE(form->statusBar()->currentMessage().isEmpty());
    EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());
    // So does a sub-menu opened from it, by Right on its item. The item is
    // highlighted first: on X11 the pointer's crossing events that opening a
    // menu brings can come late and take the highlight off the first item.
    auto* figures = Child<QMenu>(*form, "Figures1");
    media->setActiveAction(figures->menuAction());
    QTest::keyClick(media, Qt::Key_Right);
    ASSERT_TRUE(
        WaitUntil([&] { return QApplication::activePopupWidget() == figures; }, DeadlineMs));
    ASSERT_TRUE(RunEventsPostedSoFar());
    EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), "Zorel Amber style figures");

    QTest::keyClick(figures, Qt::Key_Escape);
    QTest::keyClick(media, Qt::Key_Escape);
    EXPECT_TRUE(WaitUntil([&] { return PanelsShown(*form); }, DeadlineMs))
        << "the bar shows \"" << form->statusBar()->currentMessage().toStdString() << "\"; open: "
        << (QApplication::activePopupWidget()
                ? QApplication::activePopupWidget()->objectName().toStdString()
                : std::string("none"));
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
        QSettings().setValue(QStringLiteral("Statistics"), stored.value);
        auto form = std::make_unique<TReversiForm>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get(), DeadlineMs));
        ASSERT_TRUE(WaitUntil(
            [&] { return form->statusBar()->currentMessage() == StatisticsRefusedMessage(); },
            DeadlineMs))
            << "no notice";
        // Readable: the panels are not drawn over it, neither now nor once
        // what the window's showing set going has run.
        EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());
        EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel2")->isVisible());
        ASSERT_TRUE(RunEventsPostedSoFar());
        EXPECT_EQ(form->statusBar()->currentMessage(), StatisticsRefusedMessage());
        EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());
        form.reset();
        QSettings().remove(QStringLiteral("Statistics"));
    }
}

TEST_F(StatusBarTest, TheNoticeStaysReadableWhenTheBarLaysItsItemsOutAgain) {
    QSettings().setValue(QStringLiteral("Statistics"), QStringLiteral("some text"));
    auto form = ShowWindow();
    ASSERT_TRUE(
        WaitUntil([&] { return form->statusBar()->currentMessage() == StatisticsRefusedMessage(); },
                  DeadlineMs))
        << "no notice";
    // A taller font changes the bar's strut, and the bar lays its items out
    // anew, as a window system's own changes of fonts and sizes make it do.
    QFont taller = form->statusBar()->font();
    taller.setPixelSize(taller.pixelSize() + 9);
    form->statusBar()->setFont(taller);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(form->statusBar()->currentMessage(), StatisticsRefusedMessage());
    EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel0")->isVisible());
    EXPECT_FALSE(Child<QLabel>(*form, "StatusPanel2")->isVisible());
    // Once the notice has gone, the panels are back.
    form->statusBar()->clearMessage();
    EXPECT_TRUE(WaitUntil([&] { return PanelsShown(*form); }, DeadlineMs));
}

TEST_F(StatusBarTest, AReadableStatisticsValueGivesNoNotice) {
    QSettings().setValue(QStringLiteral("Statistics"), QByteArray(640, '\0'));
    auto form = ShowWindow();
    // Whatever the start-up posted has run: no notice came of it.
    ASSERT_TRUE(RunEventsPostedSoFar());
    EXPECT_TRUE(PanelsShown(*form));
}

}  // namespace
}  // namespace reversi
