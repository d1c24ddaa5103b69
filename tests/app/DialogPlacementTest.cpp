// Where the settings dialog and the rules page open over the main window.
#include <gtest/gtest.h>

#include "DialogPlacement.h"

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

}  // namespace
}  // namespace reversi
