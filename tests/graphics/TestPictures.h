// Synthetic pictures for the graphics tests: JPEG files written with libjpeg,
// sheets with one colour per cell, and a temporary program folder with DATA.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "PixelBuffer.h"

namespace reversi::graphics::test {

// Colour (0x00RRGGBB) of the pixel in column x, row y from the top.
using PixelSource = std::function<Pixel(int x, int y)>;

// Writes a baseline colour JPEG (quality 100, no chroma subsampling).
void WriteJpeg(const std::filesystem::path& file, int width, int height, const PixelSource& source);
// A grey JPEG (one component, value 128) and a CMYK one (four components).
void WriteGreyJpeg(const std::filesystem::path& file, int width, int height);
void WriteCmykJpeg(const std::filesystem::path& file, int width, int height);

// A distinct colour for cell (column, row) of a sheet, far from its neighbours.
Pixel CellColour(int column, int row);
// A sheet of cols x rows cells of size s, each cell one colour (CellColour),
// in the bottom-up layout: sheet row 0 is the top row of cells.
TMemBlock CellSheet(int cols, int rows, int s);

// A fresh empty folder under the system's temporary folder, removed on
// destruction; Data() is its DATA subfolder (created).
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Data() const { return path_ / "DATA"; }
    // Writes the six picture files with one colour per cell (sheets) or per
    // 20-pixel strip (border strips).
    void WriteAllPictures() const;

private:
    std::filesystem::path path_;
};

// True when every channel of a and b differs by at most tolerance.
bool Near(Pixel a, Pixel b, int tolerance);

}  // namespace reversi::graphics::test
