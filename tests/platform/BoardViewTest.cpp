#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "BoardPainter.h"
#include "BoardView.h"
#include "GameState.h"

using namespace reversi::graphics;
using reversi::platform::BoardView;

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = QApplication::instance() ? nullptr : new QApplication(argc, argv);
    (void)app;
}

// A buffer whose pixels tell their position: red the column, green the
// stored row, blue 7; pad byte 0.
TMemBlock Buffer(int size) {
    TMemBlock b(size, size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c) b.At(c, r) = MakePixel(c & 0xFF, r & 0xFF, 7);
    return b;
}

class BoardViewTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
};

}  // namespace

TEST_F(BoardViewTest, PresentingFlipsRowsAndSetsThePadByte) {
    BoardView view;
    const TMemBlock back = Buffer(530);
    view.PresentBuffer(back);
    EXPECT_EQ(view.size(), QSize(534, 534));
    const QImage& screen = view.Screen();
    ASSERT_EQ(screen.format(), QImage::Format_RGB32);
    EXPECT_EQ(screen.pixel(0, 0), 0xFF000000u | back.At(0, 529));
    EXPECT_EQ(screen.pixel(100, 529), 0xFF000000u | back.At(100, 0));

    TMemBlock changed = back;
    changed.Fill(MakePixel(1, 2, 3));
    view.PresentRect(changed, ScreenRect{20, 69, 49, 49});
    EXPECT_EQ(view.Screen().pixel(20, 69), 0xFF010203u);
    EXPECT_EQ(view.Screen().pixel(68, 117), 0xFF010203u);
    EXPECT_EQ(view.Screen().pixel(69, 69), 0xFF000000u | back.At(69, 529 - 69));
    EXPECT_EQ(view.Screen().pixel(20, 118), 0xFF000000u | back.At(20, 529 - 118));
}

TEST_F(BoardViewTest, PaintShowsTheBufferAtTwoTwoInsideTheFrames) {
    BoardView view;
    int firstPaints = 0;
    QObject::connect(&view, &BoardView::firstPainted, [&] { ++firstPaints; });
    const TMemBlock back = Buffer(528);
    view.PresentBuffer(back);
    ASSERT_EQ(view.size(), QSize(532, 532));
    const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(532, 532));
    const QPalette& pal = view.palette();
    const QRgb dark = pal.color(QPalette::Dark).rgb(), light = pal.color(QPalette::Light).rgb();
    const QRgb shadow = pal.color(QPalette::Shadow).rgb(),
               midlight = pal.color(QPalette::Midlight).rgb();
    EXPECT_EQ(shot.pixel(0, 0), dark);
    EXPECT_EQ(shot.pixel(0, 300), dark);
    EXPECT_EQ(shot.pixel(300, 0), dark);
    EXPECT_EQ(shot.pixel(0, 531), light);
    EXPECT_EQ(shot.pixel(531, 531), light);
    EXPECT_EQ(shot.pixel(531, 200), light);
    EXPECT_EQ(shot.pixel(531, 0), dark);
    EXPECT_EQ(shot.pixel(1, 1), shadow);
    EXPECT_EQ(shot.pixel(1, 529), shadow);
    EXPECT_EQ(shot.pixel(1, 530), midlight);
    EXPECT_EQ(shot.pixel(530, 530), midlight);
    EXPECT_EQ(shot.pixel(530, 1), shadow);
    EXPECT_EQ(shot.pixel(2, 2), 0xFF000000u | back.At(0, 527));
    EXPECT_EQ(shot.pixel(529, 529), 0xFF000000u | back.At(527, 0));

    view.grab();
    EXPECT_EQ(firstPaints, 1);
}

TEST_F(BoardViewTest, ShowsWhatTheBoardPainterPresents) {
    reversi::GameState game;
    game.BoardSize = 10;
    reversi::NewGame(game);
    BoardView view;
    BoardPainter painter(&view);
    painter.SetPosition(&game.Boards[0]);
    painter.Pictures().FigureImage = TMemBlock(15 * 49, 8 * 49);
    painter.Pictures().FigureImage.Fill(MakePixel(0, 90, 0));
    painter.CreateBackBuffer(10);
    painter.DrawBoard();
    painter.PresentBuffer();
    EXPECT_EQ(view.size(), QSize(534, 534));
    painter.NewPosX = 4;
    painter.NewPosY = 6;  // even square: outer frame 239, 195, 88
    painter.PresentCursor();
    const BoardGeometry g = painter.Geometry();
    EXPECT_EQ(view.Screen().pixel(g.SquareLeft(4) + 1, g.SquareTop(6) + 1), qRgb(239, 195, 88));
    EXPECT_EQ(view.Screen().pixel(g.SquareLeft(4) + 10, g.SquareTop(6) + 10), qRgb(0, 90, 0));
    EXPECT_EQ(view.Screen().pixel(g.SquareLeft(1) + 1, g.SquareTop(1) + 1), qRgb(0, 90, 0));
}
