// The board pictures in DATA/ must have exactly the sizes the picture loader
// expects (it copies cells by fixed offsets), be 3-component colour JPEGs
// with full-resolution colour, and decode without a single warning.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

std::filesystem::path dataFolder() {
    // The build puts a link to the repository's DATA next to the test program.
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "DATA";
}

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

struct Decoded {
    bool ok = false;
    std::string error;
    int width = 0, height = 0, components = 0;
    bool fullColour = false;  // every component sampled 1 x 1 (4:4:4)
    long warnings = 0;
};

// Decodes the whole file, so that damage anywhere in it shows up.
Decoded decode(const std::filesystem::path& path) {
    Decoded out;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        out.error = "cannot open";
        return out;
    }
    std::vector<unsigned char> row;
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    if (setjmp(err.jump)) {
        out.error = err.message;
        jpeg_destroy_decompress(&cinfo);
        std::fclose(file);
        return out;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    out.width = int(cinfo.image_width);
    out.height = int(cinfo.image_height);
    out.components = cinfo.num_components;
    out.fullColour = cinfo.num_components == 3;
    for (int c = 0; c < cinfo.num_components; ++c)
        out.fullColour = out.fullColour && cinfo.comp_info[c].h_samp_factor == 1 &&
                         cinfo.comp_info[c].v_samp_factor == 1;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    row.resize(std::size_t(cinfo.output_width) * cinfo.output_components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_decompress(&cinfo);
    out.warnings = err.pub.num_warnings;
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    out.ok = true;
    return out;
}

struct PictureSize {
    const char* name;
    int width, height;
};

void PrintTo(const PictureSize& p, std::ostream* os) { *os << p.name; }

class DataPictures : public testing::TestWithParam<PictureSize> {};

TEST_P(DataPictures, HasTheExactSizeAndDecodesCleanly) {
    const PictureSize& want = GetParam();
    const Decoded got = decode(dataFolder() / want.name);
    ASSERT_TRUE(got.ok) << want.name << ": " << got.error;
    EXPECT_EQ(got.width, want.width) << want.name;
    EXPECT_EQ(got.height, want.height) << want.name;
    EXPECT_EQ(got.components, 3) << want.name;
    EXPECT_TRUE(got.fullColour) << want.name << " uses chroma subsampling";
    EXPECT_EQ(got.warnings, 0) << want.name << " is damaged";
}

INSTANTIATE_TEST_SUITE_P(
    BoardPictures, DataPictures,
    testing::Values(PictureSize{"Figs1.jpg", 915, 488}, PictureSize{"Help1.jpg", 2440, 122},
                    PictureSize{"Lineh1.jpg", 530, 80}, PictureSize{"Linev1.jpg", 80, 490},
                    PictureSize{"Lineh2.jpg", 530, 80}, PictureSize{"Linev2.jpg", 80, 490}),
    [](const testing::TestParamInfo<PictureSize>& tested) {
        std::string name = tested.param.name;
        return name.substr(0, name.find('.'));
    });

}  // namespace
