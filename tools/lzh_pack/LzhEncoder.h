// The packer of the program's packed resources: the mirror of LzhDecode.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace reversi::tools {

// The LZH stream of `data` (no size header): greedy longest matches over the
// 4096-byte window that starts as spaces, coded with the shared adaptive tree.
// LzhDecode(stream, n) with n = data.size() gives data back.
std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data);

// A whole packed resource: the unpacked size (32-bit little-endian) followed
// by the stream.
std::vector<std::uint8_t> PackResourceBytes(std::span<const std::uint8_t> data);

}  // namespace reversi::tools
