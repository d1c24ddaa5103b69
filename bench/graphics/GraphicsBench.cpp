// The board is composed in software: a whole board after every position
// change, and one or a few squares on every 40 ms animation tick. These
// benchmarks show the cost of each, far below the tick.
#include <benchmark/benchmark.h>

#include "Blend.h"
#include "BoardPainter.h"
#include "BufferImage.h"
#include "Downscale.h"
#include "GameState.h"

using namespace reversi;
using namespace reversi::graphics;

namespace {

// A painter with plain sheets and the start position of a field of size n.
BoardPainter& Painter(int n) {
    static BoardPainter painters[2];
    static GameState games[2];
    BoardPainter& p = painters[n == 8 ? 0 : 1];
    GameState& game = games[n == 8 ? 0 : 1];
    if (p.BackBuffer().Empty()) {
        const int s = SquareSizeFor(n);
        p.Pictures().FigureImage = TMemBlock(15 * s, 8 * s);
        p.Pictures().HelpImage = TMemBlock(40 * s, 2 * s);
        p.Pictures().LineHImage = TMemBlock(530, 80);
        p.Pictures().LineVImage = TMemBlock(80, 490);
        p.CreateBackBuffer(n);
        p.TheCursor().SetCursorStyle(1);
    }
    game.BoardSize = n;
    NewGame(game);
    p.SetPosition(&game.Boards[0]);
    return p;
}

void DrawBoard(benchmark::State& state) {
    BoardPainter& p = Painter(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        p.DrawBoard();
        benchmark::DoNotOptimize(p.BackBuffer().Pixels().data());
    }
}
BENCHMARK(DrawBoard)->Arg(8)->Arg(10);

// One square of an animation tick: a sheet frame, a blended help mark, the
// fire step and the flaming cursor drawn and removed.
void AnimatedSquare(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    BoardPainter& p = Painter(n);
    const BoardGeometry g = p.Geometry();
    for (auto _ : state) {
        p.CopyFigureCell(3, 3, 0, 7);
        BlendToBackBuffer(p.BackBuffer(), g.SquareLeft(4), g.SquareBottom(4), g.S, g.S, 5 * g.S, 0,
                          128, p.Pictures().HelpImage);
        p.TheCursor().StepFlame();
        p.DrawCursorOn(3, 3);
        p.RemoveCursorFrom(3, 3);
        benchmark::DoNotOptimize(p.BackBuffer().Pixels().data());
    }
}
BENCHMARK(AnimatedSquare)->Arg(8)->Arg(10);

void ShrinkFigureSheet(benchmark::State& state) {
    const TMemBlock sheet(915, 488);
    for (auto _ : state) benchmark::DoNotOptimize(DownscaleImage(sheet, 735, 392));
}
BENCHMARK(ShrinkFigureSheet);

void PresentWholeBuffer(benchmark::State& state) {
    const BoardPainter& p = Painter(8);
    QImage screen(p.BackBuffer().Width(), p.BackBuffer().Height(), QImage::Format_RGB32);
    for (auto _ : state) {
        CopyToImage(p.BackBuffer(), {0, 0, screen.width(), screen.height()}, screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(PresentWholeBuffer);

}  // namespace
