// Composes the board in the back buffer and puts it on screen: the border
// strips and the discs (DrawBoard), one square with the cursor on top
// (DrawSquare) and the cursor alone (PresentCursor). The cursor never stays
// in the back buffer: whatever draws it presents the affected squares and
// restores the saved cell at once.
//
// Typical use by the main window:
//   painter.SetPresenter(&boardView);
//   painter.SetPosition(&position);              // the board it shows from now on
//   LoadAllPictures(painter.Pictures(), ...);   // may throw PictureError
//   painter.TheCursor().SetCursorStyle(cursorStyle);
//   painter.CreateBackBuffer(boardSize);
//   painter.DrawBoard(); painter.PresentBuffer();
//   on mouse move: painter.NewPosX/NewPosY = square; painter.PresentCursor();
#pragma once

#include "Board.h"
#include "BoardGeometry.h"
#include "BoardPresenter.h"
#include "Cursor.h"
#include "PictureSets.h"
#include "PixelBuffer.h"

namespace reversi::graphics {

// Figure sheet rows of a square at rest (first of each even/odd pair).
inline constexpr int SheetRowBlackPlaced = 4;
inline constexpr int SheetRowWhitePlaced = 6;

class BoardPainter {
public:
    explicit BoardPainter(BoardPresenter* presenter = nullptr);
    BoardPainter(const BoardPainter&) = delete;
    BoardPainter& operator=(const BoardPainter&) = delete;

    void SetPresenter(BoardPresenter* presenter) { presenter_ = presenter; }
    // The position the painter shows: the owner keeps it alive and changes
    // it in place; null shows an empty field.
    void SetPosition(const tBoard* position) {
        position_ = position != nullptr ? position : &empty_;
    }
    const tBoard& Position() const { return *position_; }
    PictureSets& Pictures() { return pictures_; }
    const PictureSets& Pictures() const { return pictures_; }
    Cursor& TheCursor() { return cursor_; }
    TMemBlock& BackBuffer() { return back_; }
    const TMemBlock& BackBuffer() const { return back_; }
    // Field size and square size of the current back buffer.
    BoardGeometry Geometry() const { return geometry_; }

    // Replaces the back buffer with a black one for a field of boardSize
    // (8, anything else meaning 10): 528 or 530 pixels square.
    void CreateBackBuffer(int boardSize);

    // Fills the whole back buffer from the border strips and the position
    // (the one shown unless given). Puts nothing on screen.
    void DrawBoard();
    void DrawBoard(const tBoard& board);

    // Copies the figure-sheet cell (sheetRow of the even/odd pair chosen by
    // the square's parity, sheetColumn) onto square (x, y). sheetRow is the
    // even row of the pair: 0, 2, 4 or 6. For the animations as well.
    void CopyFigureCell(int x, int y, int sheetRow, int sheetColumn);
    // Copies the picture of square (x, y) at rest, by its cell code in board.
    void CopyRestingCell(int x, int y, const tBoard& board);

    // Redraws square (x, y) from the position shown and shows it, with the
    // cursor on top where it is; also shows the cursor square and the square
    // the cursor left. Squares outside the field are ignored.
    void DrawSquare(int x, int y);
    // Shows the cursor on (NewPosX, NewPosY) and takes it off (OldPosX, OldPosY).
    void PresentCursor();

    // Puts the whole back buffer / one square of it on screen.
    void PresentBuffer();
    void PresentSquare(int x, int y);

    // Lower-left corner of the cursor cell of square (x, y): the square's
    // left column, one buffer row below its lowest row.
    int CursorOriginX(int x) const { return geometry_.SquareLeft(x); }
    int CursorOriginY(int y) const { return geometry_.SquareBottom(y) - 1; }
    void DrawCursorOn(int x, int y);
    void RemoveCursorFrom(int x, int y);

    // The square under the mouse, and where the cursor was last shown.
    int NewPosX = 0, NewPosY = 0;
    int OldPosX = 0, OldPosY = 0;
    // Sheet column of a disc at rest.
    int animfrms = RestFrame;

private:
    void DrawBorderStrips();

    BoardPresenter* presenter_ = nullptr;
    tBoard empty_{};
    const tBoard* position_ = &empty_;
    PictureSets pictures_;
    Cursor cursor_;
    TMemBlock back_;
    BoardGeometry geometry_ = BoardGeometry::For(8);
};

}  // namespace reversi::graphics
