// Sizes and cell layout of the board pictures the program reads from DATA/.
#pragma once

constexpr int kCell = 61;  // square size on the 8 x 8 field; the 10 x 10 field shrinks the sheets
constexpr int kFigureColumns = 15, kFigureRows = 8;  // figure sheet: frame x (pair of rows per animation)
constexpr int kHelpColumns = 40, kHelpRows = 2;      // help sheet: frame x (even row, odd row)
constexpr int kLastFrame = kFigureColumns - 1;       // the column of a disc at rest
constexpr int kBorder = 20;                          // width of the border strips
constexpr int kStripLength = 530, kStripFiles = 80;  // Lineh: 530 x 80, Linev: 80 x 490
constexpr int kVertStripLength = 490;
