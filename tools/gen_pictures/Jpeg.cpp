#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdint>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports errors through error_exit, which must not return; we jump
// back to the caller instead of letting the library end the program.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void onError(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    std::fprintf(stderr, "libjpeg: %s\n", text);
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

std::uint8_t toByte(double v) { return std::uint8_t(std::lround(std::clamp(v, 0.0, 255.0))); }

struct File {
    std::FILE* f = nullptr;
    ~File() {
        if (f) std::fclose(f);
    }
};

}  // namespace

bool writeJpeg(const std::string& path, const Image& img, int quality) {
    File file;
    file.f = std::fopen(path.c_str(), "wb");
    if (!file.f) {
        std::perror(path.c_str());
        return false;
    }
    std::vector<std::uint8_t> row(std::size_t(img.width()) * 3);

    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file.f);
    cinfo.image_width = JDIMENSION(img.width());
    cinfo.image_height = JDIMENSION(img.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW;  // exact integer transform: the same bytes everywhere
    cinfo.optimize_coding = TRUE;
    for (int c = 0; c < 3; ++c) {  // no chroma subsampling: the thin lines keep their colour
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const Rgb& p = img.at(x, y);
            row[std::size_t(x) * 3 + 0] = toByte(p.r);
            row[std::size_t(x) * 3 + 1] = toByte(p.g);
            row[std::size_t(x) * 3 + 2] = toByte(p.b);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    if (std::fflush(file.f) != 0) {
        std::perror(path.c_str());
        return false;
    }
    return true;
}

std::optional<Image> readJpeg(const std::string& path) {
    File file;
    file.f = std::fopen(path.c_str(), "rb");
    if (!file.f) {
        std::perror(path.c_str());
        return std::nullopt;
    }
    std::vector<std::uint8_t> pixels;

    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return std::nullopt;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file.f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t(cinfo.output_width) * 3;
    pixels.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {pixels.data() + stride * cinfo.output_scanline};
        jpeg_read_scanlines(&cinfo, rows, 1);
    }
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);

    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = pixels.data() + stride * y + std::size_t(x) * 3;
            img.at(x, y) = {double(p[0]), double(p[1]), double(p[2])};
        }
    return img;
}
