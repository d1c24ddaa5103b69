#include "BoardAnimations.h"

#include "Blend.h"

namespace reversi::graphics {

namespace {

// Figure sheet row (the even one of its pair) of a square of the given kind:
// while it turns, and at the last frame, where it must equal the disc at rest.
int SheetRowFor(int kind, bool lastFrame) {
    switch (kind) {
        case AnimEmptyToWhite:
            return 6;
        case AnimEmptyToBlack:
            return 4;
        case AnimBlackToWhite:
            return lastFrame ? 6 : 2;
        default:  // AnimWhiteToBlack
            return lastFrame ? 4 : 0;
    }
}

}  // namespace

int MoveAnimationKindFor(int oldCell, int newCell) {
    if (newCell == CellWhite) {
        if (oldCell == CellEmpty) return AnimEmptyToWhite;
        if (oldCell == CellBlack) return AnimBlackToWhite;
    } else if (newCell == CellBlack) {
        if (oldCell == CellEmpty) return AnimEmptyToBlack;
        if (oldCell == CellWhite) return AnimWhiteToBlack;
    }
    return AnimNone;
}

BoardAnimations::BoardAnimations(BoardPainter& painter, std::function<bool()> browsing,
                                 std::function<void()> moveAnimationStarted)
    : Browsing(std::move(browsing)),
      MoveAnimationStarted(std::move(moveAnimationStarted)),
      painter_(painter) {}

void BoardAnimations::Tick() {
    if (MoveAnimationEnabled) MoveAnimationStep();
    if (CursorAnimationEnabled) CursorAnimationStep();
    if (HelpAnimationEnabled) HelpAnimationStep();
}

void BoardAnimations::SaveOldBoard() {
    ClearHelpMarks();
    oldbrd = painter_.Position();
    HelpMoveNoMoves1st = false;
}

bool BoardAnimations::StartMoveAnimation() {
    if (!options_.animationOn) return false;
    const tBoard& now = painter_.Position();
    for (std::size_t i = 0; i < animmap.size(); ++i)
        animmap[i] = MoveAnimationKindFor(oldbrd[i], now[i]);
    if (MoveAnimationStarted) MoveAnimationStarted();
    CurrentAnimFrame = 0;
    CursorAnimationEnabled = false;
    MoveAnimationEnabled = true;
    return true;
}

void BoardAnimations::StopMoveAnimation() {
    MoveAnimationEnabled = false;
    CursorAnimationEnabled = true;
}

void BoardAnimations::ClearHelpMarks() {
    if (HelpAnimationEnabled) {
        const int n = painter_.Geometry().N;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                const int mark = WhereCanMove[SquareIndex(x, y, n)];
                if (mark == MarkAvailable || mark == MarkPrevious) painter_.DrawSquare(x, y);
            }
    }
    HelpAnimationEnabled = false;
    CursorAnimationEnabled = true;
}

bool BoardAnimations::StartHelpAnimation(const tBoard& legalSquares) {
    if (IsBrowsing() || HelpAnimationEnabled || MoveAnimationEnabled) return false;

    WhereCanMove.fill(MarkNone);
    const int n = painter_.Geometry().N;
    const tBoard& now = painter_.Position();
    bool any = false;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int sq = SquareIndex(x, y, n);
            if (legalSquares[static_cast<std::size_t>(sq)] != 0) {
                WhereCanMove[sq] = MarkAvailable;
                any = true;
            }
            if (!HelpMoveNoMoves1st && now[sq] != oldbrd[sq]) {
                WhereCanMove[sq] = MarkPrevious;
                any = true;
            }
        }
    if (!any) return false;
    CursorAnimationEnabled = false;
    HelpAnimationEnabled = true;
    HelpMoveAnimFrame = 0;
    return true;
}

bool BoardAnimations::SquareStep(int x, int y) {
    BoardPainter& p = painter_;
    const bool onCursor = x == p.NewPosX && y == p.NewPosY;
    if (onCursor) {
        p.DrawCursorOn(p.NewPosX, p.NewPosY);
        const bool cursorMoved = p.NewPosX != p.OldPosX || p.NewPosY != p.OldPosY;
        if (cursorMoved && (x != p.OldPosX || y != p.OldPosY))
            p.PresentSquare(p.OldPosX, p.OldPosY);
        p.OldPosX = p.NewPosX;
        p.OldPosY = p.NewPosY;
    }
    p.PresentSquare(x, y);
    if (onCursor) p.RemoveCursorFrom(p.NewPosX, p.NewPosY);
    return onCursor;
}

void BoardAnimations::MoveAnimationStep() {
    if (IsBrowsing()) {
        StopMoveAnimation();
        return;
    }
    painter_.TheCursor().StepFlame();
    const int f = CurrentAnimFrame;
    const int last = painter_.animfrms;
    const int n = painter_.Geometry().N;
    bool cursorDrawn = false;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int kind = animmap[SquareIndex(x, y, n)];
            if (kind <= AnimNone || kind > AnimWhiteToBlack) continue;
            painter_.CopyFigureCell(x, y, SheetRowFor(kind, f >= last), f);
            cursorDrawn = SquareStep(x, y) || cursorDrawn;
        }
    if (!cursorDrawn) painter_.PresentCursor();
    CurrentAnimFrame = f + 1;
    if (CurrentAnimFrame > last) StopMoveAnimation();
}

void BoardAnimations::CursorAnimationStep() {
    if (IsBrowsing()) return;
    painter_.TheCursor().StepFlame();
    painter_.PresentCursor();
}

void BoardAnimations::HelpAnimationStep() {
    if (IsBrowsing()) {
        ClearHelpMarks();
        return;
    }
    painter_.TheCursor().StepFlame();
    const int f = HelpMoveAnimFrame;
    const int n = painter_.Geometry().N;
    bool cursorDrawn = false;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            switch (WhereCanMove[SquareIndex(x, y, n)]) {
                case MarkAvailable:
                    // Every help style shows the sheet's frames in order.
                    cursorDrawn = DrawAvailableMoveMark(x, y, f) || cursorDrawn;
                    break;
                case MarkPrevious:
                    cursorDrawn =
                        DrawPreviousMoveMark(x, y, 255 - PrevMoveBlendTable[f]) || cursorDrawn;
                    break;
                default:
                    break;
            }
        }
    if (!cursorDrawn) painter_.PresentCursor();
    HelpMoveAnimFrame = f + 1;
    if (HelpMoveAnimFrame >= HelpFrames) ClearHelpMarks();
}

bool BoardAnimations::DrawAvailableMoveMark(int x, int y, int column) {
    const BoardGeometry geo = painter_.Geometry();
    if (!options_.showAvailableMoves || !geo.Inside(x, y)) return false;
    const int s = geo.S;
    // The sheet's top row (buffer row 1) holds the marks of even squares.
    const int sheetRow = (x + y) % 2 == 0 ? 1 : 0;
    BlitToBackBuffer(painter_.BackBuffer(), geo.SquareLeft(x), geo.SquareBottom(y), s, s,
                     column * s, sheetRow * s, painter_.Pictures().HelpImage);
    return SquareStep(x, y);
}

bool BoardAnimations::DrawPreviousMoveMark(int x, int y, int level) {
    const BoardGeometry geo = painter_.Geometry();
    if (!options_.showPreviousMove || !geo.Inside(x, y)) return false;
    const int s = geo.S;
    const int n = geo.N;
    painter_.CopyRestingCell(x, y, painter_.Position());

    // The old disc blended over the current one.
    int row = SheetRowBlackPlaced;
    int column = 0;
    switch (oldbrd[SquareIndex(x, y, n)]) {
        case CellWhite:
            row = SheetRowWhitePlaced;
            column = painter_.animfrms;
            break;
        case CellBlack:
            column = painter_.animfrms;
            break;
        default:
            break;
    }
    row += (x + y) % 2;
    TMemBlock& back = painter_.BackBuffer();
    BlendToBackBuffer(back, geo.SquareLeft(x), geo.SquareBottom(y), s, s, column * s,
                      (FigureSheetRows - 1 - row) * s, level, painter_.Pictures().FigureImage);

    // A frame that starts on the cursor's outer frame and shrinks by one
    // pixel on every side per frame while it fades in.
    const int f = HelpMoveAnimFrame;
    if (f < s / 2) {
        const int left = geo.SquareLeft(x);
        const int bottom = geo.SquareBottom(y);
        BlendFrameRect(back, left + 1 + f, bottom + f, left + s - 1 - f, bottom + s - 2 - f,
                       painter_.TheCursor().GetCursorColour(), 8 * f + 1);
    }
    return SquareStep(x, y);
}

}  // namespace reversi::graphics
