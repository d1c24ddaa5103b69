// Conversion of bottom-up pixel blocks into top-down QImages for the screen
// and for PNG files.
#pragma once

#include <QImage>

#include "BoardPresenter.h"
#include "PixelBuffer.h"

namespace reversi::graphics {

// A Format_RGB32 copy of the whole block, top row first, pad byte 0xFF.
QImage BufferToImage(const TMemBlock& block);
// Copies rect (screen orientation) of block into the same place of image,
// flipping rows and setting the pad byte to 0xFF; clipped to both. image
// must be Format_RGB32.
void CopyToImage(const TMemBlock& block, ScreenRect rect, QImage& image);

}  // namespace reversi::graphics
