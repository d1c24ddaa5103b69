// The check marks of the menus: every item that can be ticked shows a mark
// while it is on and none while it is off, in the menu as it is drawn, with
// its icon still there.
#include <memory>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include "EngineUnit.h"
#include "MainWindow.h"
#include "MenuIcons.h"
#include "WaitUntil.h"

namespace reversi {
namespace {
using test::WaitUntil;

// Pixels of the mark's green in `image` inside `area`.
int MarkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const QColor ink(CheckMarkInk);
            count += std::abs(c.red() - ink.red()) < 40 && std::abs(c.green() - ink.green()) < 40 &&
                     std::abs(c.blue() - ink.blue()) < 40;
        }
    }
    return count;
}

// Pixels that differ between two pictures of the same size.
int Differences(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

TEST(MenuCheckMarks, AnIconOfACheckableItemCarriesTheMarkOnlyWhenOn) {
    for (const MenuIcon kind : {MenuIcon::Animation, MenuIcon::Sound, MenuIcon::Listen}) {
        const QIcon plain = PaintMenuIcon(kind);
        const QIcon checkable = WithCheckMark(plain);
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled}) {
            const auto picture = [&](QIcon::State state) {
                return checkable.pixmap(QSize(16, 16), mode, state)
                    .toImage()
                    .convertToFormat(QImage::Format_ARGB32);
            };
            const QImage off = picture(QIcon::Off), on = picture(QIcon::On);
            ASSERT_EQ(off.size(), QSize(16, 16));
            EXPECT_EQ(off, plain.pixmap(QSize(16, 16), mode, QIcon::Off)
                               .toImage()
                               .convertToFormat(QImage::Format_ARGB32))
                << "off shows the icon as it is";
            const QRect all(0, 0, 16, 16);
            EXPECT_EQ(MarkPixels(off, all), 0);
            if (mode != QIcon::Disabled) {
                EXPECT_GE(MarkPixels(on, all), 10) << "no mark";
            }
            // The icon stays seen: the mark keeps to its lower left.
            EXPECT_EQ(on.copy(8, 0, 8, 4), off.copy(8, 0, 8, 4));
            EXPECT_GT(Differences(on, off), 20);
        }
    }
}

class MenuCheckMarkTest : public testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        QSettings().setValue(QStringLiteral("options/showtips"), QStringLiteral("no"));
        form_ = std::make_unique<TReversiForm>();
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }

    // The menu as the style draws it, opened under its title.
    static QImage Drawn(QMenu& menu) {
        menu.popup(QPoint(0, 0));
        if (!WaitUntil([&] { return menu.isVisible(); })) ADD_FAILURE() << "menu not shown";
        const QImage picture = menu.grab().toImage();
        menu.hide();
        return picture;
    }

    std::unique_ptr<TReversiForm> form_;
};

TEST_F(MenuCheckMarkTest, EveryCheckableItemIsDrawnWithItsMarkWhileOnAndWithoutWhileOff) {
    int checkable = 0;
    for (QMenu* menu : form_->menuBar()->findChildren<QMenu*>()) {
        for (QAction* item : menu->actions()) {
            if (!item->isCheckable()) continue;
            SCOPED_TRACE(item->objectName().toStdString());
            ++checkable;
            EXPECT_FALSE(item->icon().isNull()) << "the item keeps its icon";
            item->setEnabled(true);
            // The mark lies left of the caption, where the style puts icons
            // and check marks.
            const auto drawnArea = [&] {
                const QRect row = menu->actionGeometry(item);
                return QRect(row.left(), row.top(), 40, row.height());
            };
            item->setChecked(true);
            const QImage on = Drawn(*menu);
            item->setChecked(false);
            const QImage off = Drawn(*menu);
            EXPECT_GE(MarkPixels(on, drawnArea()), 10) << "no mark while on";
            EXPECT_EQ(MarkPixels(off, drawnArea()), 0) << "a mark while off";
        }
    }
    // Animation, Sound, Music, Allow call and Show moves.
    EXPECT_EQ(checkable, 5);
}

}  // namespace
}  // namespace reversi
