// The figure sheet (discs at rest and every frame of the flip and placing
// animations) and the help sheet (the pulsing mark of an available move).
#pragma once

#include "Image.h"

// 15 x 8 cells. Rows in pairs (even square, odd square): 0/1 yellow turning
// green, 2/3 green turning yellow, 4/5 green being placed, 6/7 yellow being
// placed. Column = frame; column 0 of rows 4 to 7 is the empty square and
// column 14 of rows 4 to 7 the disc at rest.
Image figureSheet();

// 40 x 2 cells: column = frame of the mark, row 0 even squares, row 1 odd.
Image helpSheet();
