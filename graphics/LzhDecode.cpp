// LZH decoding: a bit reader over the input, the shared adaptive tree for
// literals and lengths, the static prefix code for window distances.
#include "LzhDecode.h"

#include <array>

#include "LzhTree.h"

namespace reversi::graphics {

namespace {

// Bits are taken from the top of a 16-bit buffer that is refilled one byte at
// a time whenever 8 or fewer bits are left. Bytes past the end read as 0.
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> input) : input_(input) {}

    int Bit() {
        Refill();
        const int bit = (buffer_ >> 15) & 1;
        buffer_ = static_cast<std::uint16_t>(buffer_ << 1);
        --valid_;
        return bit;
    }

    int Byte() {
        Refill();
        const int byte = buffer_ >> 8;
        buffer_ = static_cast<std::uint16_t>(buffer_ << 8);
        valid_ -= 8;
        return byte;
    }

private:
    void Refill() {
        if (valid_ > 8) return;
        const unsigned next = position_ < input_.size() ? input_[position_] : 0;
        ++position_;
        buffer_ = static_cast<std::uint16_t>(buffer_ | (next << (8 - valid_)));
        valid_ += 8;
    }

    std::span<const std::uint8_t> input_;
    std::size_t position_ = 0;
    std::uint16_t buffer_ = 0;
    int valid_ = 0;
};

int DecodeSymbol(lzh::AdaptiveTree& tree, BitReader& bits) {
    int c = tree.Top();
    while (c < lzh::TableSize) c = tree.Child(c, bits.Bit());
    const int symbol = c - lzh::TableSize;
    tree.Update(symbol);
    return symbol;
}

int DecodeDistance(BitReader& bits) {
    int b = bits.Byte();
    const int upper = lzh::Distance.code[b];
    for (int extra = lzh::Distance.length[b] - 2; extra > 0; --extra) b = b * 2 + bits.Bit();
    return upper * 64 + (b & 63);
}

}  // namespace

void LzhDecode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    lzh::AdaptiveTree tree;
    BitReader bits(input);
    // The whole window starts as spaces (also the last 60 positions, so no
    // decode depends on what an earlier one left behind).
    std::array<std::uint8_t, lzh::WindowSize> window;
    window.fill(0x20);
    int r = lzh::FirstWrite;
    std::size_t produced = 0;
    const std::size_t count = output.size();
    while (produced < count) {
        const int symbol = DecodeSymbol(tree, bits);
        if (symbol < 256) {
            output[produced++] = static_cast<std::uint8_t>(symbol);
            window[r] = static_cast<std::uint8_t>(symbol);
            r = (r + 1) & (lzh::WindowSize - 1);
            continue;
        }
        const int distance = DecodeDistance(bits);
        const int start = (r - distance - 1) & (lzh::WindowSize - 1);
        const int length = symbol - 255 + lzh::Threshold;
        for (int k = 0; k < length && produced < count; ++k) {
            const std::uint8_t b = window[(start + k) & (lzh::WindowSize - 1)];
            output[produced++] = b;
            window[r] = b;
            r = (r + 1) & (lzh::WindowSize - 1);
        }
    }
}

}  // namespace reversi::graphics
