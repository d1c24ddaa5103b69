// render_board OUTDIR [PROGRAMDIR]
//
// Renders the start position of both field sizes with the pictures of
// PROGRAMDIR/DATA (default: the folder of this program) into PNG files in
// OUTDIR, as the back buffer shows them:
//   board8.png, board10.png               the start position
//   board8_cursor.png, board10_cursor.png with the classic cursor on squares (2, 2), (3, 2)
//   board8_flame.png, board10_flame.png   the same with the flaming cursor
//   board8_help.png, board10_help.png     with help-mark frame 20 on the legal moves
//   figs8.png, figs10.png, help8.png, help10.png  the loaded (and shrunk) sheets
// Prints the names of the files it wrote; a picture that does not load is
// reported with the file's name and the program ends with status 1.
#include <cstdio>
#include <filesystem>

#include <QCoreApplication>
#include <QImage>

#include "Blend.h"
#include "BoardPainter.h"
#include "BufferImage.h"
#include "GameState.h"
#include "JpegLoader.h"
#include "PictureSets.h"

using namespace reversi;
using namespace reversi::graphics;

namespace {

bool Save(const QImage& image, const std::filesystem::path& file) {
    if (!image.save(QString::fromStdString(file.string()), "PNG")) {
        std::fprintf(stderr, "Cannot write %s\n", file.string().c_str());
        return false;
    }
    std::printf("%s\n", file.string().c_str());
    return true;
}

// The board with the cursor drawn on an even square (2, 2) and an odd one
// (3, 2), the way the screen shows it; the back buffer is left as it was.
QImage WithCursor(BoardPainter& painter) {
    const TMemBlock plain = painter.BackBuffer();
    painter.DrawCursorOn(2, 2);
    painter.DrawCursorOn(3, 2);
    const QImage image = BufferToImage(painter.BackBuffer());
    painter.BackBuffer() = plain;
    return image;
}

bool RenderSize(int n, const std::filesystem::path& programDir, const std::filesystem::path& out) {
    GameState game;
    game.BoardSize = n;
    NewGame(game);
    BoardPainter painter;
    LoadAllPictures(painter.Pictures(), 0, 0, 0, n, programDir);
    painter.CreateBackBuffer(n);
    painter.DrawBoard();
    const std::string tag = std::to_string(n);
    bool ok = Save(BufferToImage(painter.BackBuffer()), out / ("board" + tag + ".png"));

    painter.TheCursor().SetCursorStyle(0);
    ok = Save(WithCursor(painter), out / ("board" + tag + "_cursor.png")) && ok;
    painter.TheCursor().SetCursorStyle(1);
    for (int i = 0; i < 80; ++i) painter.TheCursor().StepFlame();
    ok = Save(WithCursor(painter), out / ("board" + tag + "_flame.png")) && ok;

    const BoardGeometry g = painter.Geometry();
    // Help marks (a middle frame) blended over the squares where white may move.
    const TMemBlock plain = painter.BackBuffer();
    const TMemBlock& help = painter.Pictures().HelpImage;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            if (!CanMove(game, game.Boards[0], SquareIndex(x, y, n), CellWhite, CellBlack))
                continue;
            const int row = (x + y) % 2;
            BlendToBackBuffer(painter.BackBuffer(), g.SquareLeft(x), g.SquareBottom(y), g.S, g.S,
                              20 * g.S, (1 - row) * g.S, 128, help);
        }
    ok = Save(BufferToImage(painter.BackBuffer()), out / ("board" + tag + "_help.png")) && ok;
    painter.BackBuffer() = plain;

    ok = Save(BufferToImage(painter.Pictures().FigureImage), out / ("figs" + tag + ".png")) && ok;
    ok = Save(BufferToImage(painter.Pictures().HelpImage), out / ("help" + tag + ".png")) && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: render_board OUTDIR [PROGRAMDIR]\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    const std::filesystem::path programDir =
        argc == 3 ? std::filesystem::path(argv[2]) : ProgramFolder();
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    try {
        const bool ok8 = RenderSize(8, programDir, out);
        const bool ok10 = RenderSize(10, programDir, out);
        return ok8 && ok10 ? 0 : 1;
    } catch (const PictureError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
