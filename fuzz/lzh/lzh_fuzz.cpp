// libFuzzer harness of the LZH decoder. An input is a packed resource: a
// 32-bit little-endian unpacked size (capped at 128 KiB, above every
// resource) and the stream. The decoder must stay inside both buffers
// whatever the stream holds.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "LzhDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::uint32_t unpacked =
        static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
        (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    if (unpacked > (1u << 17)) return 0;
    std::vector<std::uint8_t> out(unpacked);
    reversi::graphics::LzhDecode(std::span(data + 4, size - 4), out);
    return 0;
}
