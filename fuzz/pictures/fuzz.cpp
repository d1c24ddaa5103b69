// Fuzz harness of the JPEG picture loader. The bytes are decoded as a small
// picture of a fixed size, and as the horizontal border strip of a picture
// set whose loader must leave every picture as it was when a file is refused.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "JpegLoader.h"
#include "PictureSets.h"

namespace {

namespace fs = std::filesystem;
using namespace reversi::graphics;

// The size of the small seed pictures.
constexpr int SmallWidth = 32;
constexpr int SmallHeight = 24;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "pictures: %s\n", what);
        std::abort();
    }
}

// A private program folder: DATA/Lineh1.jpg is the input, DATA/Linev1.jpg the
// real vertical strip, so that a valid input loads the whole style.
const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path f =
            fs::temp_directory_path() / ("reversi-fuzz-pictures-" + std::to_string(::getpid()));
        fs::create_directories(f / "DATA");
        std::error_code ec;
        fs::remove(f / "DATA" / "Linev1.jpg", ec);
        fs::copy_file(fs::path(REVERSI_SOURCE_DIR) / "DATA" / "Linev1.jpg",
                      f / "DATA" / "Linev1.jpg", ec);
        return f;
    }();
    // Registered after the path exists, so it runs before the path is destroyed.
    static const bool removedAtExit = std::atexit([] {
                                          std::error_code ignored;
                                          fs::remove_all(folder, ignored);
                                      }) == 0;
    (void)removedAtExit;
    return folder;
}

void WriteInput(const fs::path& file, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Pictures already loaded, each of its own size and colour (small, so that
// copying them costs little).
const PictureSets& LoadedSets() {
    static const PictureSets sets = [] {
        PictureSets s;
        s.LineHImage = TMemBlock(6, 2);
        s.LineHImage.Fill(MakePixel(1, 2, 3));
        s.LineVImage = TMemBlock(2, 6);
        s.LineVImage.Fill(MakePixel(4, 5, 6));
        s.FigureImage = TMemBlock(7, 5);
        s.HelpImage = TMemBlock(3, 9);
        return s;
    }();
    return sets;
}

bool SameSets(const PictureSets& a, const PictureSets& b) {
    return a.LineHImage == b.LineHImage && a.LineVImage == b.LineVImage &&
           a.FigureImage == b.FigureImage && a.HelpImage == b.HelpImage;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path input = Folder() / "DATA" / "Lineh1.jpg";
    WriteInput(input, data, size);

    try {
        const TMemBlock picture = LoadJpegToBuffer(input, SmallWidth, SmallHeight);
        Check(picture.Width() == SmallWidth && picture.Height() == SmallHeight, "picture size");
    } catch (const PictureError& e) {
        Check(e.File() == input, "the error names another file");
    }

    const PictureSets& before = LoadedSets();
    PictureSets sets = before;
    try {
        LoadLineImages(sets, 0, Folder());
        Check(sets.LineHImage.Width() == LineHWidth && sets.LineHImage.Height() == LineHHeight,
              "strip size");
        Check(sets.FigureImage == before.FigureImage && sets.HelpImage == before.HelpImage,
              "the border loader changed other pictures");
    } catch (const PictureError&) {
        Check(SameSets(sets, before), "a refused picture changed the loaded pictures");
    }
    return 0;
}
