#include "TestPictures.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace reversi::graphics::test {

namespace {

void Compress(const std::filesystem::path& file, int width, int height, int components,
              const std::function<void(int y, std::uint8_t* row)>& fillRow) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) throw std::runtime_error("cannot write " + file.string());
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 3 ? JCS_RGB : components == 4 ? JCS_CMYK : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    if (components == 3)
        for (int i = 0; i < 3; ++i)
            cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * components);
    while (cinfo.next_scanline < cinfo.image_height) {
        fillRow(static_cast<int>(cinfo.next_scanline), row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(out);
}

}  // namespace

void WriteJpeg(const std::filesystem::path& file, int width, int height,
               const PixelSource& source) {
    Compress(file, width, height, 3, [&](int y, std::uint8_t* row) {
        for (int x = 0; x < width; ++x) {
            const Pixel p = source(x, y);
            row[3 * x] = static_cast<std::uint8_t>(RedOf(p));
            row[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(p));
            row[3 * x + 2] = static_cast<std::uint8_t>(BlueOf(p));
        }
    });
}

void WriteGreyJpeg(const std::filesystem::path& file, int width, int height) {
    Compress(file, width, height, 1, [&](int, std::uint8_t* row) {
        for (int x = 0; x < width; ++x) row[x] = 128;
    });
}

void WriteCmykJpeg(const std::filesystem::path& file, int width, int height) {
    Compress(file, width, height, 4, [&](int, std::uint8_t* row) {
        for (int x = 0; x < 4 * width; ++x) row[x] = 60;
    });
}

Pixel CellColour(int column, int row) {
    // 40 columns x 8 rows at most: spread over the colour cube.
    return MakePixel(40 + 5 * column, 30 + 28 * row, 230 - 4 * column - 10 * row);
}

TMemBlock CellSheet(int cols, int rows, int s) {
    TMemBlock sheet(cols * s, rows * s);
    for (int r = 0; r < rows * s; ++r)
        for (int c = 0; c < cols * s; ++c) {
            const int topRow = rows * s - 1 - r;
            sheet.At(c, r) = CellColour(c / s, topRow / s);
        }
    return sheet;
}

TempProgramFolder::TempProgramFolder() {
    static std::mt19937_64 rng{std::random_device{}()};
    path_ = std::filesystem::temp_directory_path() / ("reversi-graphics-" + std::to_string(rng()));
    std::filesystem::create_directories(path_ / "DATA");
}

TempProgramFolder::~TempProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempProgramFolder::WriteAllPictures() const {
    const auto cells = [](int s) { return [s](int x, int y) { return CellColour(x / s, y / s); }; };
    WriteJpeg(Data() / "Figs1.jpg", 915, 488, cells(61));
    WriteJpeg(Data() / "Help1.jpg", 2440, 122, cells(61));
    for (const char* style : {"1", "2"}) {
        const int tint = style[0] == '1' ? 0 : 100;
        WriteJpeg(Data() / (std::string("Lineh") + style + ".jpg"), 530, 80,
                  [tint](int, int y) { return MakePixel(200 - tint, 40 * (y / 20), tint); });
        WriteJpeg(Data() / (std::string("Linev") + style + ".jpg"), 80, 490,
                  [tint](int x, int) { return MakePixel(tint, 40 * (x / 20), 200 - tint); });
    }
}

bool Near(Pixel a, Pixel b, int tolerance) {
    return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
           std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
           std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

}  // namespace reversi::graphics::test
