// The about box and the start-up logo as a person sees them: size, caption,
// a frame before the first paint, the animation moving, a click closing the
// box, and the animation stopped when it goes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "AboutUnit.h"
#include "IntroMotion.h"
#include "IntroRenderer.h"
#include "IntroResources.h"
#include "StartUpLogo.h"
#include "WaitUntil.h"

using namespace reversi::intro;

namespace {

// Set REVERSI_SCREENSHOTS to a folder to keep pictures of the box and logo.
void Keep(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("REVERSI_SCREENSHOTS");
    if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace

TEST(AboutBox, ShowsTheFrameInsideAOnePixelBorder) {
    TAboutBox box;
    EXPECT_TRUE(box.StartError().isEmpty()) << box.StartError().toStdString();
    EXPECT_EQ(box.windowTitle().toStdString(), "About...");
    EXPECT_EQ(box.size(), QSize(382, 262));
    // A frame exists before the box is ever painted.
    ASSERT_FALSE(box.FrameImage().isNull());
    EXPECT_EQ(box.FrameImage().size(), QSize(380, 260));
    const QImage shot = box.grab().toImage();
    EXPECT_EQ(shot.pixel(1, 1), box.FrameImage().pixel(0, 0));
    EXPECT_EQ(shot.pixel(380, 260), box.FrameImage().pixel(379, 259));
    EXPECT_EQ(shot.pixel(0, 100), box.palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(shot.pixel(381, 100), box.palette().color(QPalette::Light).rgb());
    EXPECT_EQ(box.cursor().shape(), Qt::PointingHandCursor);
}

TEST(AboutBox, AnimatesWhileShownAndAClickClosesIt) {
    TAboutBox box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    Keep(box, QStringLiteral("about-0"));
    const QImage first = box.FrameImage().copy();
    ASSERT_TRUE(reversi::test::WaitUntil([&] { return box.FrameImage() != first; }, 3000))
        << "the animation does not move";
    QTest::qWait(1500);
    Keep(box, QStringLiteral("about-1"));
    QTest::qWait(3000);
    Keep(box, QStringLiteral("about-2"));
    EXPECT_TRUE(box.Animating());
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(200, 100));
    ASSERT_TRUE(reversi::test::WaitUntil([&] { return !box.isVisible(); }, 3000))
        << "the click did not close the box";
    // Closed: the animation thread has ended and the last frame stays.
    EXPECT_FALSE(box.Animating());
    EXPECT_FALSE(box.FrameImage().isNull());
}

TEST(AboutBox, NoKeyClosesItButTheWindowsCloseDoes) {
    TAboutBox box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    for (const int key :
         {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
        QTest::keyClick(&box, static_cast<Qt::Key>(key));
        // A close the key had set going as a queued call would be done by now.
        ASSERT_TRUE(reversi::test::PostedEventsHandled());
        EXPECT_TRUE(box.isVisible()) << "closed by key " << key;
        EXPECT_TRUE(box.Animating());
    }
    // The window's close (its title bar's button, Alt+F4) closes it.
    box.windowHandle()->close();
    EXPECT_TRUE(reversi::test::WaitUntil([&] { return !box.isVisible(); })) << "still open";
    EXPECT_FALSE(box.Animating());
}

TEST(AboutBox, ShowAboutBoxReturnsAfterAClickAndCanOpenAgain) {
    for (int round = 0; round < 3; ++round) {
        bool clicked = false;
        QTimer clicker;
        clicker.setInterval(50);
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget())) {
                clicked = true;
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 10));
            }
        });
        clicker.start();
        // A deadline closes whatever is open, so a fault fails instead of hanging.
        QTimer::singleShot(5000, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        QElapsedTimer took;
        took.start();
        ShowAboutBox(nullptr);
        EXPECT_TRUE(clicked) << "round " << round;
        EXPECT_LT(took.elapsed(), 4000);
    }
}

TEST(AboutBox, EveryOpeningStartsTheAnimationAfresh) {
    // The first frame of a box shows the motion after its first step at most,
    // however long an earlier box ran.
    const IntroAssets assets = LoadIntroAssets();
    const auto frameAfter = [&](int steps) {
        IntroMotion motion(assets.ScrollPeriod(), 1);  // no seed matters this early
        for (int i = 0; i < steps; ++i) motion.Step();
        IntroRenderer renderer(assets);
        renderer.Render(motion.View());
        QImage image(FrameWidth, FrameHeight, QImage::Format_RGB32);
        for (int row = 0; row < FrameHeight; ++row) {
            for (int column = 0; column < FrameWidth; ++column) {
                image.setPixel(
                    column, FrameHeight - 1 - row,
                    renderer.Frame()[static_cast<std::size_t>(row * FrameWidth + column)] |
                        0xFF000000u);
            }
        }
        return image;
    };
    const QImage step0 = frameAfter(0), step1 = frameAfter(1);
    {
        TAboutBox earlier;
        earlier.show();
        QTest::qWait(300);
    }
    TAboutBox box;
    EXPECT_TRUE(box.FrameImage() == step0 || box.FrameImage() == step1);
}

TEST(StartUpLogo, ShowsTheLogoCentredWhileItLives) {
    QWidget* window = nullptr;
    {
        StartUpLogo logo;
        window = logo.Window();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->size(), QSize(252, 125));
        const QImage shot = window->grab().toImage();
        // The picture fills the form: its corners are the logo's, not the form's colour.
        EXPECT_NE(shot.pixel(125, 60), window->palette().color(QPalette::Window).rgb());
        Keep(*window, QStringLiteral("logo"));
    }
    // Gone with its owner (the pointer is not used).
}
