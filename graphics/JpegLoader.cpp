#include "JpegLoader.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "RegularFile.h"

namespace reversi::graphics {

PictureError::PictureError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error("Cannot load the picture \"" + file.string() + "\": " + reason + "."),
      file_(file) {}

void CopyRow24To32(std::span<const std::uint8_t> src, std::span<Pixel> dest, int row, int width) {
    Pixel* out = dest.data() + static_cast<std::size_t>(row) * width;
    const std::uint8_t* in = src.data();
    for (int i = 0; i < width; ++i, in += 3) out[i] = MakePixel(in[2], in[1], in[0]);
}

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: we
// jump back to the decoder's entry point instead of letting the library end
// the program. Warnings (truncated or damaged data that libjpeg would patch
// over with grey) are treated as errors too: a damaged picture is rejected.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int msgLevel) {
    if (msgLevel < 0) OnError(cinfo);  // a warning: damaged data
}

enum class DecodeResult { Ok, LibraryError, NotColour, WrongSize };

struct DecodeOutput {
    char message[JMSG_LENGTH_MAX] = {};
    unsigned width = 0;
    unsigned height = 0;
    int components = 0;
};

// Everything between setjmp and a possible longjmp is plain C data, so the
// jump skips no destructor. dest holds expectedW x expectedH pixels.
DecodeResult Decode(const std::uint8_t* data, std::size_t size, int expectedW, int expectedH,
                    Pixel* dest, DecodeOutput* out) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.message[0] = '\0';
    if (setjmp(err.jump)) {
        std::memcpy(out->message, err.message, sizeof out->message);
        jpeg_destroy_decompress(&cinfo);
        return DecodeResult::LibraryError;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    out->width = cinfo.image_width;
    out->height = cinfo.image_height;
    out->components = cinfo.num_components;
    // Colour (3 components) and grey (1, shown as grey colour) pictures only.
    if (cinfo.num_components != 3 && cinfo.num_components != 1) {
        jpeg_destroy_decompress(&cinfo);
        return DecodeResult::NotColour;
    }
    // The size is known from the header: a wrong one is rejected before the
    // decoder allocates anything for the picture.
    if (cinfo.image_width != static_cast<JDIMENSION>(expectedW) ||
        cinfo.image_height != static_cast<JDIMENSION>(expectedH)) {
        jpeg_destroy_decompress(&cinfo);
        return DecodeResult::WrongSize;
    }
    cinfo.out_color_space = JCS_EXT_BGR;
    cinfo.buffered_image = FALSE;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != static_cast<JDIMENSION>(expectedW) ||
        cinfo.output_height != static_cast<JDIMENSION>(expectedH) || cinfo.output_components != 3) {
        out->width = cinfo.output_width;
        out->height = cinfo.output_height;
        jpeg_destroy_decompress(&cinfo);
        return DecodeResult::WrongSize;
    }
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                cinfo.output_width * 3, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int i = static_cast<int>(cinfo.output_scanline);
        if (jpeg_read_scanlines(&cinfo, row, 1) != 1) continue;
        CopyRow24To32(std::span<const std::uint8_t>(row[0], cinfo.output_width * 3),
                      std::span<Pixel>(dest, static_cast<std::size_t>(expectedW) * expectedH),
                      expectedH - 1 - i, expectedW);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return DecodeResult::Ok;
}

}  // namespace

TMemBlock LoadJpegToBuffer(const std::filesystem::path& file, int expectedWidth,
                           int expectedHeight) {
    // The pictures are a few hundred kilobytes; anything far larger is not one
    // of them and is not read into memory. Only a regular file is opened.
    constexpr std::size_t MaxFileSize = 64u << 20;
    const RegularFileBytes read = ReadRegularFile(file, MaxFileSize, LongerFile::Refuse);
    switch (read.refusal) {
        case FileRefusal::None:
            break;
        case FileRefusal::Missing:
            throw PictureError(file, "the file is missing");
        case FileRefusal::Folder:
        case FileRefusal::NotRegular:
            throw PictureError(file, "it is not a regular file");
        case FileRefusal::TooLarge:
            throw PictureError(file, "the file is too large for a picture");
        case FileRefusal::CannotOpen:
            throw PictureError(file, "the file cannot be opened (" + RefusalReason(read) + ")");
        case FileRefusal::CannotRead:
            throw PictureError(file, "the file cannot be read (" + RefusalReason(read) + ")");
    }
    const std::vector<std::uint8_t>& bytes = read.bytes;
    if (bytes.empty()) throw PictureError(file, "the file is empty");

    TMemBlock block(expectedWidth, expectedHeight);
    DecodeOutput out;
    switch (Decode(bytes.data(), bytes.size(), expectedWidth, expectedHeight, block.Pixels().data(),
                   &out)) {
        case DecodeResult::Ok:
            return block;
        case DecodeResult::LibraryError:
            throw PictureError(file, std::string("the picture is damaged or not a JPEG picture (") +
                                         out.message + ")");
        case DecodeResult::NotColour:
            throw PictureError(file,
                               "the picture has " + std::to_string(out.components) +
                                   " colour components (only colour or grey pictures are shown)");
        case DecodeResult::WrongSize:
            break;
    }
    throw PictureError(file, "the picture is " + std::to_string(out.width) + " x " +
                                 std::to_string(out.height) + " pixels instead of " +
                                 std::to_string(expectedWidth) + " x " +
                                 std::to_string(expectedHeight));
}

}  // namespace reversi::graphics
