// Shrinking of the picture sheets to the smaller square size of the 10 x 10 field.
#pragma once

#include "PixelBuffer.h"

namespace reversi::graphics {

// Shrinks src into a dstWidth x dstHeight picture (both bottom-up). Every
// source pixel is spread over a small tent of destination pixels (weight 4 at
// its nearest position, 1 on the three neighbours half a step further) and
// each destination pixel is the weighted mean. Positions advance by repeated
// 32-bit float addition, so the result is the same on every machine. Meant
// for shrinking (destination not larger than source); a destination pixel
// that receives no weight stays black. The pad byte of the result is 0.
TMemBlock DownscaleImage(const TMemBlock& src, int dstWidth, int dstHeight);

}  // namespace reversi::graphics
