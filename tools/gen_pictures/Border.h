// The border around the field, in two styles: 0 a polished walnut frame with a
// gold bead, 1 a cool blue-grey metal frame with a groove and corner rivets.
#pragma once

#include "Image.h"

// The whole frame around a field of fieldPixels x fieldPixels pixels: the 20-pixel
// border on every side, with the inside left black.
Image borderFrame(int style, int fieldPixels);

// The two strip pictures of a style, cut from the frames of both field sizes:
// horizontal 530 x 80 (8 x 8 top, 8 x 8 bottom, 10 x 10 top, 10 x 10 bottom,
// 20 rows each) and vertical 80 x 490 (8 x 8 left, 8 x 8 right, 10 x 10 left,
// 10 x 10 right, 20 columns each).
struct BorderStrips {
    Image horizontal, vertical;
};
BorderStrips borderStrips(int style);
