// The busy panels: size, place, pictures, captions and blinking.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

#include "BusyPanel.h"
#include "WaitUntil.h"

namespace reversi {
namespace {

TEST(BusyPanel, BothKindsHaveTheirSizePictureAndCaption) {
    QWidget window;
    window.resize(500, 400);
    const std::tuple<BusyKind, QSize, const char*> kinds[] = {
        {BusyKind::Loading, {44, 34}, "Loading..."},
        {BusyKind::Connecting, {34, 34}, "Connecting..."},
    };
    for (const auto& [kind, pictureSize, caption] : kinds) {
        BusyPanel panel(kind, &window);
        EXPECT_EQ(panel.size(), QSize(200, 60));
        EXPECT_FALSE(panel.isVisible());
        EXPECT_EQ(panel.Picture().size(), pictureSize);
        EXPECT_EQ(BusyPanel::CaptionFor(kind), QString::fromLatin1(caption));
    }
}

TEST(BusyPanel, SitsInTheMiddleRaisedByHalfTheStatusBar) {
    EXPECT_EQ(BusyPanel::PlaceIn({500, 400}, 20), QPoint(150, 160));
    EXPECT_EQ(BusyPanel::PlaceIn({501, 401}, 21), QPoint(150, 160));
    EXPECT_EQ(BusyPanel::PlaceIn({150, 50}, 0), QPoint(-25, -5));  // truncated towards zero
}

TEST(BusyPanel, CaptionBlinksTwelveFramesOnTwelveOff) {
    for (int frame = 0; frame <= 240; ++frame)
        EXPECT_EQ(BusyPanel::CaptionShownAt(frame), frame % 24 < 12) << frame;
}

TEST(BusyPanel, StartShowsAndAnimatesStopHides) {
    QWidget window;
    window.resize(500, 400);
    window.show();
    BusyPanel panel(BusyKind::Connecting, &window);
    panel.Start(BusyPanel::PlaceIn(window.size(), 20));
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(panel.IsRunning());
    EXPECT_EQ(panel.pos(), QPoint(150, 160));
    EXPECT_EQ(panel.Frame(), 0);
    EXPECT_TRUE(panel.IsCaptionShown());
    // The caption goes after 12 frames (0.6 s); a generous bound for a busy machine.
    ASSERT_TRUE(test::WaitUntil([&] { return !panel.IsCaptionShown(); }, 5000))
        << "the caption did not go";
    EXPECT_GE(panel.Frame(), 12);
    panel.Stop();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(panel.IsRunning());
    // Started again, it begins at its first frame.
    panel.Start({0, 0});
    EXPECT_EQ(panel.Frame(), 0);
    panel.Stop();
}

TEST(BusyPanel, PaintsItsPictureAndCaption) {
    QWidget window;
    window.resize(300, 200);
    BusyPanel panel(BusyKind::Loading, &window);
    panel.Start({0, 0});
    const QImage shown = panel.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(200, 60));
    const QColor face = QApplication::palette().color(QPalette::Button);
    // The picture covers pixels that are not the face colour inside its box.
    int pictureInk = 0;
    for (int y = 12; y < 46; ++y)
        for (int x = 12; x < 56; ++x) pictureInk += shown.pixelColor(x, y) != face;
    EXPECT_GT(pictureInk, 200);
    // The caption writes text in the caption box, right of the picture.
    int captionInk = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 60; x < 170; ++x) captionInk += shown.pixelColor(x, y) != face;
    EXPECT_GT(captionInk, 30);
    panel.Stop();
}

TEST(BusyPanel, OneShowsAtATimeAndACoveredOneComesBackStillRunning) {
    QWidget window;
    window.resize(500, 400);
    window.show();
    BusyPanel connecting(BusyKind::Connecting, &window);
    BusyPanel loading(BusyKind::Loading, &window);
    connecting.Start(BusyPanel::PlaceIn(window.size(), 20));
    const QPoint place = connecting.pos();

    // A reload while the call is placed: only "Loading..." shows.
    loading.Start(BusyPanel::PlaceIn(window.size(), 20));
    EXPECT_TRUE(loading.isVisible());
    EXPECT_FALSE(connecting.isVisible());
    EXPECT_TRUE(connecting.IsRunning()) << "the call's panel is only covered";
    loading.Stop();
    EXPECT_FALSE(loading.isVisible());
    EXPECT_TRUE(connecting.isVisible());
    EXPECT_EQ(connecting.pos(), place);
    EXPECT_TRUE(connecting.IsRunning());

    // A window resized by the reload: the panel comes back in its middle.
    loading.Start(BusyPanel::PlaceIn(window.size(), 20));
    window.resize(600, 500);
    loading.Stop();
    EXPECT_EQ(connecting.pos(), place + QPoint(50, 50));

    // The call ended meanwhile: nothing comes back.
    loading.Start(BusyPanel::PlaceIn(window.size(), 20));
    connecting.Stop();
    loading.Stop();
    EXPECT_FALSE(connecting.isVisible());
    EXPECT_FALSE(loading.isVisible());

    // A panel that goes while it shows gives way as a stop does.
    connecting.Start({0, 0});
    {
        BusyPanel brief(BusyKind::Loading, &window);
        brief.Start({0, 0});
        EXPECT_FALSE(connecting.isVisible());
    }
    EXPECT_TRUE(connecting.isVisible());
    connecting.Stop();
}

TEST(BusyPanel, PanelsOfDifferentWindowsDoNotCoverEachOther) {
    QWidget first, second;
    first.show();
    second.show();
    BusyPanel a(BusyKind::Connecting, &first);
    BusyPanel b(BusyKind::Loading, &second);
    a.Start({0, 0});
    b.Start({0, 0});
    EXPECT_TRUE(a.isVisible());
    EXPECT_TRUE(b.isVisible());
    b.Stop();
    a.Stop();
}

}  // namespace
}  // namespace reversi
