// Decoding of the data folder's JPEG pictures into the board's pixel layout.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>

#include "PixelBuffer.h"

namespace reversi::graphics {

// A picture that could not be loaded. what() is a message for the player that
// names the file; File() is the path alone.
class PictureError : public std::runtime_error {
public:
    PictureError(const std::filesystem::path& file, const std::string& reason);
    const std::filesystem::path& File() const { return file_; }

private:
    std::filesystem::path file_;
};

// Converts `width` pixels of 3 bytes (blue, green, red) at src into 32-bit
// pixels (blue, green, red, 0) starting at pixel row * width of dest.
void CopyRow24To32(std::span<const std::uint8_t> src, std::span<Pixel> dest, int row, int width);

// Decodes a JPEG file that must be a colour (or grey) picture of exactly
// expectedWidth x expectedHeight pixels. Picture row i (0 = top) becomes
// buffer row height - 1 - i. Throws PictureError for a missing, unreadable,
// truncated or corrupt file, or one of another size or colour layout; the
// size is checked before any pixel is written.
TMemBlock LoadJpegToBuffer(const std::filesystem::path& file, int expectedWidth,
                           int expectedHeight);

}  // namespace reversi::graphics
