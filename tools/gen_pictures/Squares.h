// The empty playing squares: one wooden tile for even squares (column + row
// even) and one for odd squares. Every cell of every sheet starts from the
// tile of its parity, so a square looks the same whatever is drawn on it.
#pragma once

#include "Image.h"

Image squareTile(bool even);
