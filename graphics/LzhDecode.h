// Decoder of the LZH streams in the program's packed resources (LZSS over a
// 4096-byte window, adaptive Huffman codes for literals and match lengths).
#pragma once

#include <cstdint>
#include <span>

namespace reversi::graphics {

// Decodes the LZH stream `input` until exactly output.size() bytes are
// written. The stream carries no checksum: damaged or short input is not
// detected, but decoding never reads outside `input` (bytes past its end read
// as 0) nor writes outside `output`, and ends after output.size() bytes.
// Every call starts from a fresh decoder state; it is safe on any thread.
void LzhDecode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

}  // namespace reversi::graphics
