// Where the windows opened over the main window go: the settings dialog, the
// statistics window and the others centred on it, the rules page over the
// board, each by its outer frame with the window manager's decoration.
#include <cstdlib>
#include <ostream>

#include <gtest/gtest.h>

#include "DialogPlacement.h"

// Rectangles in failure messages as x,y wxh.
static void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace reversi {
namespace {

TEST(DialogPlacement, TheSettingsDialogIsCentredOnTheWindow) {
    struct Row {
        QRect frame;
        QSize dialog;
        QPoint expected;
    };
    const Row rows[] = {
        {QRect(100, 50, 700, 600), QSize(380, 230), QPoint(260, 235)},
        {QRect(100, 50, 701, 601), QSize(380, 230), QPoint(260, 235)},  // odd: rounded down
        {QRect(0, 0, 300, 200), QSize(381, 231), QPoint(-40, -15)},     // larger: toward zero
        {QRect(-50, 10, 400, 300), QSize(400, 300), QPoint(-50, 10)},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(CentredOver(r.frame, r.dialog), r.expected)
            << r.frame.x() << "," << r.frame.y() << " " << r.frame.width() << "x"
            << r.frame.height();
    }
}

TEST(DialogPlacement, TheRulesPageCoversTheBoardArea) {
    // 8 x 8 field: 8 x 61 + 44 = 532 square board area, move list 180, status bar 22.
    const QRect r = RulesWindowRect(QPoint(300, 120), QSize(532 + 180, 532 + 22), 180, 22);
    EXPECT_EQ(r, QRect(302, 122, 528, 528));
    // With the move list hidden it takes the whole width.
    EXPECT_EQ(RulesWindowRect(QPoint(0, 0), QSize(534, 556), 0, 22), QRect(2, 2, 530, 530));
}

// Decorations as the window manager draws them: none (no window manager, and
// the offscreen platform of the widget tests), openbox around a fixed-size
// window (a 20-pixel title bar, 1-pixel borders), openbox around a resizable
// one (a 5-pixel grip at the bottom), and an uneven one.
const QMargins NoDecoration;
const QMargins OpenboxFixed(1, 20, 1, 1);
const QMargins OpenboxResizable(1, 20, 1, 5);
const QMargins Uneven(4, 30, 6, 8);

TEST(DialogPlacement, CentredWindowsAreCentredByTheirOuterFrames) {
    struct Row {
        const char* what;
        QRect over;  // the main window's outer frame
        QSize client;
        QMargins decoration;
        QRect expected;  // client geometry
    };
    const Row rows[] = {
        // Without decoration the frame is the client area.
        {"statistics, no window manager", QRect(281, 224, 718, 576), QSize(313, 355), NoDecoration,
         QRect(483, 334, 313, 355)},
        // Outer 315 x 376: frame at (483, 334), the client area 1 right and 20 down.
        {"statistics, openbox", QRect(281, 224, 720, 597), QSize(313, 355), OpenboxFixed,
         QRect(484, 354, 313, 355)},
        {"volume dialog, openbox", QRect(281, 224, 720, 597), QSize(353, 149), OpenboxFixed,
         QRect(464, 457, 353, 149)},
        // A taller bottom edge moves the frame up by half of it (rounded down).
        {"chat, resizable", QRect(281, 224, 720, 597), QSize(352, 314), OpenboxResizable,
         QRect(465, 373, 352, 314)},
        // Outer 391 x 269 over 300 x 200: halves toward zero, -45 and -34.
        {"larger than the window", QRect(0, 0, 300, 200), QSize(381, 231), Uneven,
         QRect(-41, -4, 381, 231)},
    };
    for (const auto& r : rows) {
        const QRect placed = CentredClientGeometry(r.over, r.client, r.decoration);
        EXPECT_EQ(placed, r.expected) << r.what;
        // The outer frame is centred to the pixel (up to the halves' rounding).
        const QRect frame = placed + r.decoration;
        EXPECT_LE(std::abs((frame.left() - r.over.left()) - (r.over.right() - frame.right())), 1)
            << r.what;
        EXPECT_LE(std::abs((frame.top() - r.over.top()) - (r.over.bottom() - frame.bottom())), 1)
            << r.what;
    }
}

TEST(DialogPlacement, TheRulesPageFrameCoversTheBoardBelowTheMenuBar) {
    // The main window under openbox: client area from (282, 244), a 19-pixel
    // menu bar, a move list 186 wide and a status bar 25 high.
    const QRect frame = RulesWindowRect(QPoint(282, 263), QSize(718, 557), 186, 25);
    ASSERT_EQ(frame, QRect(284, 265, 528, 528));
    struct Row {
        const char* what;
        QMargins decoration;
        QRect expected;  // client geometry
    };
    const Row rows[] = {
        {"no window manager: the client area is the frame", NoDecoration,
         QRect(284, 265, 528, 528)},
        // The title bar lies inside the frame, below the menu bar.
        {"the main window's decoration, before the page is shown", OpenboxFixed,
         QRect(285, 285, 526, 507)},
        {"its own decoration once shown", OpenboxResizable, QRect(285, 285, 526, 503)},
        {"uneven", Uneven, QRect(288, 295, 518, 490)},
    };
    for (const auto& r : rows) {
        const QRect placed = ClientInFrame(frame, r.decoration);
        EXPECT_EQ(placed, r.expected) << r.what;
        EXPECT_EQ(placed + r.decoration, frame) << r.what;
    }
}

}  // namespace
}  // namespace reversi
