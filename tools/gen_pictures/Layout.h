// Sizes and cell layout of the board pictures the program reads from DATA/.
#pragma once

constexpr int kCell = 61;  // square size on the 8 x 8 field, the size of every sheet cell
constexpr int kSmallCell =
    49;  // square size on the 10 x 10 field, where the game shrinks the sheets
constexpr int kFigureColumns = 15,
              kFigureRows = 8;  // figure sheet: frame x (pair of rows per animation)
constexpr int kHelpColumns = 40, kHelpRows = 2;  // help sheet: frame x (even row, odd row)
constexpr int kLastFrame = kFigureColumns - 1;   // the column of a disc at rest
constexpr int kBorder = 20;                      // width of the border strips
// Strip pictures: Lineh is 530 x 80 (four horizontal strips), Linev 80 x 490
// (four vertical strips).
constexpr int kHorzStripLength = 530, kVertStripLength = 490, kStripPictureDepth = 4 * kBorder;
