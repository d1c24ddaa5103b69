// LZH encoding: a hash-chain match finder over the window, the adaptive tree
// shared with the decoder, and a bit writer that fills bytes from the top.
#include "LzhEncoder.h"

#include <algorithm>

#include "LzhTree.h"

namespace reversi::tools {

namespace lzh = reversi::graphics::lzh;

namespace {

class BitWriter {
public:
    // Writes the `length` lowest bits of code, the highest of them first.
    void Put(int length, std::uint32_t code) {
        for (int i = length - 1; i >= 0; --i) {
            current_ = static_cast<std::uint8_t>((current_ << 1) | ((code >> i) & 1));
            if (++filled_ == 8) {
                bytes_.push_back(current_);
                current_ = 0;
                filled_ = 0;
            }
        }
    }
    // Pads the last byte with zero bits.
    std::vector<std::uint8_t> Finish() {
        if (filled_ > 0) bytes_.push_back(static_cast<std::uint8_t>(current_ << (8 - filled_)));
        filled_ = 0;
        return std::move(bytes_);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint8_t current_ = 0;
    int filled_ = 0;
};

void EncodeSymbol(lzh::AdaptiveTree& tree, BitWriter& out, int symbol) {
    // Walk from the leaf to the root, then write the path from the top down.
    std::vector<int> path;
    for (int node = tree.LeafNode(symbol); node != lzh::Root; node = tree.Parent(node)) {
        path.push_back(tree.Side(node));
    }
    for (auto it = path.rbegin(); it != path.rend(); ++it)
        out.Put(1, static_cast<std::uint32_t>(*it));
    tree.Update(symbol);
}

void EncodeDistance(BitWriter& out, int distance) {
    const int upper = distance >> 6;
    int first = 0;
    while (lzh::Distance.code[first] != upper) ++first;
    const int length = lzh::Distance.length[first];
    // The prefix is the top `length` bits of the first byte, then the low 6 bits.
    out.Put(length, static_cast<std::uint32_t>(first >> (8 - length)));
    out.Put(6, static_cast<std::uint32_t>(distance & 63));
}

// The data as the decoder sees its history: FirstWrite spaces, then the data.
struct History {
    std::vector<std::uint8_t> bytes;
    std::vector<int> head;   // latest position of each 3-byte hash
    std::vector<int> chain;  // previous position with the same hash
    static int Hash(const std::uint8_t* p) { return (p[0] << 8 ^ p[1] << 4 ^ p[2]) & 0xFFFF; }
    void Insert(int pos) {
        if (pos + 2 >= static_cast<int>(bytes.size())) return;
        const int h = Hash(&bytes[pos]);
        chain[pos] = head[h];
        head[h] = pos;
    }
};

}  // namespace

std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data) {
    History history;
    history.bytes.assign(lzh::FirstWrite, 0x20);
    history.bytes.insert(history.bytes.end(), data.begin(), data.end());
    history.head.assign(0x10000, -1);
    history.chain.assign(history.bytes.size(), -1);
    for (int pos = 0; pos < lzh::FirstWrite; ++pos) history.Insert(pos);

    lzh::AdaptiveTree tree;
    BitWriter out;
    const int end = static_cast<int>(history.bytes.size());
    int pos = lzh::FirstWrite;
    while (pos < end) {
        const int room = std::min(lzh::LongestMatch, end - pos);
        int bestLength = 0;
        int bestSource = 0;
        if (room > lzh::Threshold) {
            int tries = 4096;
            for (int q = history.head[History::Hash(&history.bytes[pos])];
                 q >= 0 && pos - q <= lzh::WindowSize && tries-- > 0; q = history.chain[q]) {
                int length = 0;
                while (length < room && history.bytes[q + length] == history.bytes[pos + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestSource = q;
                    if (length == room) break;
                }
            }
        }
        if (bestLength > lzh::Threshold) {
            EncodeSymbol(tree, out, 255 - lzh::Threshold + bestLength);
            EncodeDistance(out, pos - bestSource - 1);
            for (int k = 0; k < bestLength; ++k) history.Insert(pos + k);
            pos += bestLength;
        } else {
            EncodeSymbol(tree, out, history.bytes[pos]);
            history.Insert(pos);
            ++pos;
        }
    }
    return out.Finish();
}

std::vector<std::uint8_t> PackResourceBytes(std::span<const std::uint8_t> data) {
    const auto size = static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> packed = {
        static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
        static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
    const std::vector<std::uint8_t> stream = LzhEncode(data);
    packed.insert(packed.end(), stream.begin(), stream.end());
    return packed;
}

}  // namespace reversi::tools
