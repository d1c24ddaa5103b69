#include "BoardPainter.h"

#include "Blend.h"

namespace reversi::graphics {

BoardPainter::BoardPainter(BoardPresenter* presenter) : presenter_(presenter) {}

void BoardPainter::CreateBackBuffer(int boardSize) {
    geometry_ = BoardGeometry::For(boardSize);
    back_ = TMemBlock(geometry_.BufferSize(), geometry_.BufferSize());
}

void BoardPainter::DrawBorderStrips() {
    const int N = geometry_.N;
    const int S = geometry_.S;
    const TMemBlock& h = pictures_.LineHImage;
    const TMemBlock& v = pictures_.LineVImage;
    // Source rows are buffer rows of the strip pictures (counted from the
    // bottom); the corners of the back buffer come from the horizontal strips.
    if (N == 8) {
        BlitToBackBuffer(back_, 0, 0, 528, 20, 0, 40, h);            // bottom
        BlitToBackBuffer(back_, 0, 8 * S + 20, 528, 20, 0, 60, h);   // top
        BlitToBackBuffer(back_, 0, 20, 20, 488, 0, 2, v);            // left
        BlitToBackBuffer(back_, 8 * S + 20, 20, 20, 488, 20, 2, v);  // right
    } else {
        BlitToBackBuffer(back_, 0, 0, 530, 20, 0, 0, h);              // bottom
        BlitToBackBuffer(back_, 0, 10 * S + 20, 530, 20, 0, 20, h);   // top
        BlitToBackBuffer(back_, 0, 20, 20, 490, 40, 0, v);            // left
        BlitToBackBuffer(back_, 10 * S + 20, 20, 20, 490, 60, 0, v);  // right
    }
}

void BoardPainter::DrawBoard() { DrawBoard(*position_); }

void BoardPainter::DrawBoard(const tBoard& board) {
    DrawBorderStrips();
    for (int x = 0; x < geometry_.N; ++x)
        for (int y = 0; y < geometry_.N; ++y) CopyRestingCell(x, y, board);
}

void BoardPainter::CopyFigureCell(int x, int y, int sheetRow, int sheetColumn) {
    if (!geometry_.Inside(x, y)) return;
    const int S = geometry_.S;
    const int row = sheetRow + (x + y) % 2;
    BlitToBackBuffer(back_, geometry_.SquareLeft(x), geometry_.SquareBottom(y), S, S,
                     sheetColumn * S, (FigureSheetRows - 1 - row) * S, pictures_.FigureImage);
}

void BoardPainter::CopyRestingCell(int x, int y, const tBoard& board) {
    if (!geometry_.Inside(x, y)) return;
    switch (board[SquareIndex(x, y, geometry_.N)]) {
        case CellWhite:
            CopyFigureCell(x, y, SheetRowWhitePlaced, animfrms);
            break;
        case CellBlack:
            CopyFigureCell(x, y, SheetRowBlackPlaced, animfrms);
            break;
        default:
            CopyFigureCell(x, y, SheetRowBlackPlaced, 0);
            break;
    }
}

void BoardPainter::DrawCursorOn(int x, int y) {
    if (!geometry_.Inside(x, y)) return;
    cursor_.DrawCursorCell(back_, CursorOriginX(x), CursorOriginY(y), geometry_.S,
                           (x + y) % 2 == 0);
}

void BoardPainter::RemoveCursorFrom(int x, int y) {
    cursor_.RestoreCursorCell(back_, CursorOriginX(x), CursorOriginY(y));
}

void BoardPainter::DrawSquare(int x, int y) {
    if (!geometry_.Inside(x, y)) return;
    CopyRestingCell(x, y, *position_);
    DrawCursorOn(NewPosX, NewPosY);
    const bool onCursor = x == NewPosX && y == NewPosY;
    if (!onCursor) {
        PresentSquare(NewPosX, NewPosY);
        RemoveCursorFrom(NewPosX, NewPosY);
    }
    const bool cursorMoved = NewPosX != OldPosX || NewPosY != OldPosY;
    if (cursorMoved && (x != OldPosX || y != OldPosY)) PresentSquare(OldPosX, OldPosY);
    OldPosX = NewPosX;
    OldPosY = NewPosY;
    PresentSquare(x, y);
    RemoveCursorFrom(NewPosX, NewPosY);
}

void BoardPainter::PresentCursor() {
    DrawCursorOn(NewPosX, NewPosY);
    PresentSquare(NewPosX, NewPosY);
    RemoveCursorFrom(NewPosX, NewPosY);
    if (OldPosX != NewPosX || OldPosY != NewPosY) PresentSquare(OldPosX, OldPosY);
    OldPosX = NewPosX;
    OldPosY = NewPosY;
}

void BoardPainter::PresentBuffer() {
    if (presenter_ != nullptr && !back_.Empty()) presenter_->PresentBuffer(back_);
}

void BoardPainter::PresentSquare(int x, int y) {
    if (presenter_ == nullptr || back_.Empty() || !geometry_.Inside(x, y)) return;
    presenter_->PresentRect(back_, ScreenRect{geometry_.SquareLeft(x), geometry_.SquareTop(y),
                                              geometry_.S, geometry_.S});
}

}  // namespace reversi::graphics
