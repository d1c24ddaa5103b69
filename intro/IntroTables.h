// The intro's lookup tables: sines and cosines in floating and 16.16 fixed
// point, the 256 x 256 blend table, and the 16.16 product. Built once, then
// read-only, so every renderer can share them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace reversi::intro {

inline constexpr int FloatTurn = 2048;   // angle units of the mesh: 2048 = one turn
inline constexpr int FixedTurn = 32768;  // angle units of the background

struct IntroTables {
    std::array<float, FloatTurn> sin{};  // sin(i * pi / 1024)
    std::array<float, FloatTurn> cos{};
    std::vector<std::int32_t> fixedSin;  // 16.16, FixedTurn entries
    std::vector<std::int32_t> fixedCos;
    std::vector<std::uint8_t> blend;  // [i * 256 + j] = i * j / 256
    std::uint8_t Blend(int i, int j) const { return blend[static_cast<std::size_t>(i * 256 + j)]; }
};

const IntroTables& Tables();

// The product of two 16.16 numbers: (a * b) >> 16 over 64 bits, rounding
// toward minus infinity, truncated to 32 bits.
constexpr std::int32_t FixedMul16(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(
        static_cast<std::uint64_t>((static_cast<std::int64_t>(a) * b) >> 16)));
}

}  // namespace reversi::intro
