#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "JpegLoader.h"
#include "PictureSets.h"
#include "TestPictures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace reversi;
using namespace reversi::graphics;
using namespace reversi::graphics::test;

namespace {

std::vector<char> ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::filesystem::path& file, const std::vector<char>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Expects f to throw a PictureError that names `file`.
template <class F>
void ExpectPictureError(F f, const std::filesystem::path& file) {
    try {
        f();
        ADD_FAILURE() << "no error for " << file;
    } catch (const PictureError& e) {
        EXPECT_EQ(e.File(), file);
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
}

}  // namespace

TEST(CopyRow24To32, ConvertsBgrBytesIntoTheGivenRow) {
    const std::vector<std::uint8_t> src{1, 2, 3, 4, 5, 6};
    std::vector<Pixel> dest(6, 0xFFFFFFFF);
    CopyRow24To32(src, dest, 1, 2);
    EXPECT_EQ(dest[0], 0xFFFFFFFFu);
    EXPECT_EQ(dest[2], MakePixel(3, 2, 1, 0));
    EXPECT_EQ(dest[3], MakePixel(6, 5, 4, 0));
}

TEST(LoadJpegToBuffer, TopLeftPixelLandsInTheLastBufferRow) {
    TempProgramFolder folder;
    const auto file = folder.Data() / "corner.jpg";
    // Top-left 16 x 16 block red, bottom-right block green, the rest blue.
    WriteJpeg(file, 64, 48, [](int x, int y) {
        if (x < 16 && y < 16) return MakePixel(250, 0, 0);
        if (x >= 48 && y >= 32) return MakePixel(0, 250, 0);
        return MakePixel(0, 0, 250);
    });
    const TMemBlock b = LoadJpegToBuffer(file, 64, 48);
    ASSERT_EQ(b.Width(), 64);
    ASSERT_EQ(b.Height(), 48);
    EXPECT_TRUE(Near(b.At(0, 47), MakePixel(250, 0, 0), 6));
    EXPECT_TRUE(Near(b.At(63, 0), MakePixel(0, 250, 0), 6));
    EXPECT_TRUE(Near(b.At(0, 0), MakePixel(0, 0, 250), 6));
    EXPECT_EQ(PadOf(b.At(0, 47)), 0);
}

TEST(LoadJpegToBuffer, RejectsBadFilesNamingThem) {
    TempProgramFolder folder;
    const auto good = folder.Data() / "good.jpg";
    WriteJpeg(good, 64, 48, [](int x, int y) { return MakePixel(x * 4, y * 5, 100); });
    const std::vector<char> bytes = ReadAll(good);

    const auto wrongWidth = folder.Data() / "wide.jpg";
    WriteJpeg(wrongWidth, 65, 48, [](int, int) { return MakePixel(1, 2, 3); });
    const auto wrongHeight = folder.Data() / "tall.jpg";
    WriteJpeg(wrongHeight, 64, 47, [](int, int) { return MakePixel(1, 2, 3); });
    const auto cmyk = folder.Data() / "cmyk.jpg";
    WriteCmykJpeg(cmyk, 64, 48);
    const auto truncated = folder.Data() / "truncated.jpg";
    WriteAll(truncated, std::vector<char>(bytes.begin(), bytes.begin() + bytes.size() / 2));
    const auto headerOnly = folder.Data() / "header.jpg";
    WriteAll(headerOnly, std::vector<char>(bytes.begin(), bytes.begin() + 200));
    const auto corrupt = folder.Data() / "corrupt.jpg";
    std::vector<char> damaged = bytes;
    for (std::size_t i = damaged.size() / 3; i < damaged.size() - 2; i += 7)
        damaged[i] = static_cast<char>(0xFF);
    WriteAll(corrupt, damaged);
    // The header claims 60000 x 60000 pixels: rejected before decoding.
    const auto huge = folder.Data() / "huge.jpg";
    std::vector<char> claimed = bytes;
    for (std::size_t i = 0; i + 8 < claimed.size(); ++i)
        if (static_cast<unsigned char>(claimed[i]) == 0xFF &&
            static_cast<unsigned char>(claimed[i + 1]) == 0xC0) {
            for (std::size_t k : {i + 5, i + 7}) {
                claimed[k] = static_cast<char>(0xEA);  // 60000 = 0xEA60
                claimed[k + 1] = static_cast<char>(0x60);
            }
            break;
        }
    WriteAll(huge, claimed);
    const auto notJpeg = folder.Data() / "text.jpg";
    WriteAll(notJpeg, {'h', 'e', 'l', 'l', 'o'});
    const auto empty = folder.Data() / "empty.jpg";
    WriteAll(empty, {});
    const auto missing = folder.Data() / "missing.jpg";
    const auto directory = folder.Data();

    for (const auto& file : {wrongWidth, wrongHeight, huge, cmyk, truncated, headerOnly, corrupt,
                             notJpeg, empty, missing, directory}) {
        SCOPED_TRACE(file.string());
        ExpectPictureError([&] { LoadJpegToBuffer(file, 64, 48); }, file);
    }
    try {
        LoadJpegToBuffer(huge, 64, 48);
    } catch (const PictureError& e) {
        EXPECT_NE(std::string(e.what()).find("60000 x 60000"), std::string::npos) << e.what();
    }
    EXPECT_NO_THROW(LoadJpegToBuffer(good, 64, 48));
}

TEST(LoadJpegToBuffer, APipeOrADeviceIsRefusedWithoutWaiting) {
    TempProgramFolder folder;
    const auto fifo = folder.Data() / "pipe.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& file : {fifo, std::filesystem::path("/dev/zero")}) {
        SCOPED_TRACE(file.string());
        auto load = std::async(std::launch::async, [&file] {
            try {
                LoadJpegToBuffer(file, 64, 48);
            } catch (const PictureError& e) {
                return std::string(e.what());
            }
            return std::string();
        });
        if (load.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
            ADD_FAILURE() << "the loader blocked";
            // A writer on the other end frees a reader stuck in open().
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        }
        const std::string said = load.get();
        EXPECT_NE(said.find(file.string()), std::string::npos) << said;
        EXPECT_NE(said.find("not a regular file"), std::string::npos) << said;
    }
}

TEST(LoadJpegToBuffer, ShowsGreyPicturesInGrey) {
    TempProgramFolder folder;
    const auto grey = folder.Data() / "grey.jpg";
    WriteGreyJpeg(grey, 16, 8);
    const TMemBlock b = LoadJpegToBuffer(grey, 16, 8);
    EXPECT_EQ(b.At(3, 4), MakePixel(128, 128, 128, 0));
}

class PictureSetsTest : public ::testing::Test {
protected:
    void SetUp() override { folder.WriteAllPictures(); }
    TempProgramFolder folder;
    PictureSets sets;
};

TEST_F(PictureSetsTest, SheetsHaveTheirSizesForBothFields) {
    LoadFigureImage(sets, 0, false, folder.Path());
    LoadHelpImage(sets, 0, false, folder.Path());
    EXPECT_EQ(sets.FigureImageWidth(), 915);
    EXPECT_EQ(sets.FigureImageHeight(), 488);
    EXPECT_EQ(sets.HelpImageWidth(), 2440);
    EXPECT_EQ(sets.HelpImageHeight(), 122);
    // Cell (column 3, row 5 from the top) in the middle of its 61-pixel cell.
    EXPECT_TRUE(Near(sets.FigureImage.At(3 * 61 + 30, (7 - 5) * 61 + 30), CellColour(3, 5), 4));

    LoadFigureImage(sets, 0, true, folder.Path());
    LoadHelpImage(sets, 0, true, folder.Path());
    EXPECT_EQ(sets.FigureImageWidth(), 735);
    EXPECT_EQ(sets.FigureImageHeight(), 392);
    EXPECT_EQ(sets.HelpImageWidth(), 1960);
    EXPECT_EQ(sets.HelpImageHeight(), 98);
    EXPECT_TRUE(Near(sets.FigureImage.At(3 * 49 + 24, (7 - 5) * 49 + 24), CellColour(3, 5), 4));
    EXPECT_TRUE(Near(sets.HelpImage.At(39 * 49 + 24, 49 + 24), CellColour(39, 0), 4));
}

TEST(PictureSets, FigureStylesNameTheColoursYellowAndGreen) {
    for (int style : {0, 1, -1}) {
        EXPECT_EQ(FigureColourNames(style).white, "Yellow");
        EXPECT_EQ(FigureColourNames(style).black, "Green");
    }
}

TEST_F(PictureSetsTest, BorderStylesPickTheirFilesAndOthersFallBackToStyleZero) {
    LoadLineImages(sets, 1, folder.Path());
    EXPECT_TRUE(Near(sets.LineHImage.At(5, 79), MakePixel(100, 0, 100), 4));    // Lineh2 top strip
    EXPECT_TRUE(Near(sets.LineVImage.At(70, 5), MakePixel(100, 120, 100), 4));  // Linev2 last strip
    for (int style : {0, 2, -1, 1000}) {
        LoadLineImages(sets, style, folder.Path());
        EXPECT_TRUE(Near(sets.LineHImage.At(5, 79), MakePixel(200, 0, 0), 4)) << style;
        EXPECT_TRUE(Near(sets.LineVImage.At(70, 5), MakePixel(0, 120, 200), 4)) << style;
    }
    // Figure and help styles without files load style 0.
    EXPECT_NO_THROW(LoadFigureImage(sets, 7, false, folder.Path()));
    EXPECT_NO_THROW(LoadHelpImage(sets, -3, true, folder.Path()));
    EXPECT_EQ(sets.FigureImageWidth(), 915);
    EXPECT_EQ(sets.HelpImageWidth(), 1960);
}

TEST_F(PictureSetsTest, AFailedLoadKeepsThePicturesAndTheirSizes) {
    LoadAllPictures(sets, 0, 0, 0, 8, folder.Path());
    const PictureSets before = sets;

    // The second strip picture is broken: neither strip may change.
    WriteJpeg(folder.Data() / "Linev1.jpg", 80, 489, [](int, int) { return MakePixel(1, 1, 1); });
    ExpectPictureError([&] { LoadLineImages(sets, 0, folder.Path()); },
                       folder.Data() / "Linev1.jpg");
    // A loader for the other field size fails half way through the set.
    std::filesystem::remove(folder.Data() / "Help1.jpg");
    ExpectPictureError([&] { LoadAllPictures(sets, 1, 0, 0, 10, folder.Path()); },
                       folder.Data() / "Help1.jpg");
    ExpectPictureError([&] { LoadHelpImage(sets, 0, true, folder.Path()); },
                       folder.Data() / "Help1.jpg");

    EXPECT_EQ(sets.LineHImage, before.LineHImage);
    EXPECT_EQ(sets.LineVImage, before.LineVImage);
    EXPECT_EQ(sets.FigureImage, before.FigureImage);
    EXPECT_EQ(sets.HelpImage, before.HelpImage);
    EXPECT_EQ(sets.FigureImageWidth(), 915);
    EXPECT_EQ(sets.HelpImageHeight(), 122);
}
