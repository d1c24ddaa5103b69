// The LZH decoder against its mirror, the packer: round trips over the cases
// that stress the window and the tree, and damaged streams that must stay
// inside their buffers.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "LzhDecode.h"
#include "LzhEncoder.h"
#include "LzhTree.h"

using namespace reversi::graphics;
using reversi::tools::LzhEncode;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes FromText(const std::string& text) { return {text.begin(), text.end()}; }

// Decodes into the middle of a larger buffer whose guard bytes must stay put.
Bytes DecodeGuarded(const Bytes& stream, std::size_t count) {
    constexpr std::size_t Guard = 64;
    Bytes buffer(count + 2 * Guard, 0xA5);
    LzhDecode(stream, std::span(buffer).subspan(Guard, count));
    for (std::size_t i = 0; i < Guard; ++i) {
        EXPECT_EQ(buffer[i], 0xA5) << "written before the output at " << i;
        EXPECT_EQ(buffer[Guard + count + i], 0xA5) << "written past the output at " << i;
    }
    return {buffer.begin() + Guard, buffer.begin() + static_cast<std::ptrdiff_t>(Guard + count)};
}

Bytes RoundTrip(const Bytes& data) { return DecodeGuarded(LzhEncode(data), data.size()); }

// Text-like data: words from a small vocabulary, so that matches of every
// length and distance occur.
Bytes WordSoup(std::size_t size, unsigned seed) {
    static const char* words[] = {"reversi ", "disc ",  "board ", "corner ", "edge ", "flip ",
                                  "white ",   "black ", "move ",  "pass ",   "\n",    "0123456789"};
    std::mt19937 rng(seed);
    Bytes out;
    while (out.size() < size) {
        const std::string w = words[rng() % std::size(words)];
        out.insert(out.end(), w.begin(), w.end());
    }
    out.resize(size);
    return out;
}

Bytes Noise(std::size_t size, unsigned seed, int alphabet = 256) {
    std::mt19937 rng(seed);
    Bytes out(size);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(alphabet));
    return out;
}

}  // namespace

TEST(LzhDistanceTables, FollowThePublishedBands) {
    struct Row {
        int first, last, codeFirst, length;
    };
    const Row rows[] = {{0, 31, 0, 3},     {32, 79, 1, 4},    {80, 143, 4, 5},
                        {144, 191, 12, 6}, {192, 239, 24, 7}, {240, 255, 48, 8}};
    for (const Row& row : rows) {
        for (int b = row.first; b <= row.last; ++b) {
            EXPECT_EQ(lzh::Distance.length[b], row.length) << b;
        }
        EXPECT_EQ(lzh::Distance.code[row.first], row.codeFirst);
    }
    EXPECT_EQ(lzh::Distance.code[47], 1);
    EXPECT_EQ(lzh::Distance.code[48], 2);
    EXPECT_EQ(lzh::Distance.code[143], 11);
    EXPECT_EQ(lzh::Distance.code[239], 47);
    EXPECT_EQ(lzh::Distance.code[255], 63);
}

TEST(Lzh, EmptyOutputReadsAndWritesNothing) {
    EXPECT_TRUE(DecodeGuarded({}, 0).empty());
    EXPECT_TRUE(DecodeGuarded({0xFF, 0x00, 0x13}, 0).empty());
    EXPECT_TRUE(LzhEncode({}).empty());
}

TEST(Lzh, RoundTripsOfTypicalShapes) {
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"one byte", {0x41}},
        {"one zero byte", {0x00}},
        {"two bytes", {0xFF, 0x01}},
        {"run of one value", Bytes(5000, 0x7E)},
        {"run of spaces", Bytes(300, 0x20)},
        {"short pattern", FromText("abababababababababababababababab")},
        {"text", WordSoup(20000, 1)},
        {"noise", Noise(9000, 2)},
        {"every byte value",
         [] {
             Bytes b(256);
             for (int i = 0; i < 256; ++i) b[i] = static_cast<std::uint8_t>(i);
             return b;
         }()},
    };
    for (const auto& [name, data] : cases) {
        EXPECT_EQ(RoundTrip(data), data) << name;
    }
}

TEST(Lzh, FirstMatchCopiesFromThePrefilledSpaces) {
    // Sixty spaces are one match symbol and one distance: far shorter than
    // sixty literal codes, so the packer must have taken them from the window.
    const Bytes spaces(60, 0x20);
    const Bytes stream = LzhEncode(spaces);
    EXPECT_LE(stream.size(), 4u);
    EXPECT_EQ(DecodeGuarded(stream, 60), spaces);
}

TEST(Lzh, MatchesAcrossTheWindowWrap) {
    // The write position starts at 4036 and wraps after 60 bytes; a repeated
    // block then has its source on both sides of position 4095.
    Bytes data = Noise(100, 3);
    const Bytes block = Noise(200, 4);
    data.insert(data.end(), block.begin(), block.end());
    for (int i = 0; i < 30; ++i) {
        const Bytes gap = Noise(3900, 10 + i, 16);
        data.insert(data.end(), gap.begin(), gap.end());
        data.insert(data.end(), block.begin(), block.end());
    }
    EXPECT_EQ(RoundTrip(data), data);
}

TEST(Lzh, LongStreamsRebuildTheTree) {
    // More than 0x8000 symbols: the root count reaches the limit and the tree
    // is rebuilt, several times over.
    const Bytes literals = Noise(120000, 5, 40);
    EXPECT_EQ(RoundTrip(literals), literals);
    const Bytes text = WordSoup(300000, 6);
    EXPECT_EQ(RoundTrip(text), text);
}

TEST(LzhTree, RebuildHalvesTheCountsAtTheLimit) {
    lzh::AdaptiveTree tree;
    EXPECT_EQ(tree.RootCount(), lzh::SymbolCount);
    while (tree.RootCount() < lzh::RebuildLimit) tree.Update(0);
    EXPECT_EQ(tree.RootCount(), lzh::RebuildLimit);
    tree.Update(1);
    // Symbol 0 held 0x8000 - 313 counts: halved, plus the 313 others at 1 each,
    // plus the new count of symbol 1.
    const int expected = (lzh::RebuildLimit - (lzh::SymbolCount - 1) + 1) / 2 + lzh::SymbolCount;
    EXPECT_EQ(tree.RootCount(), expected);
    // Symbol 0 is now the most frequent: the shallowest leaf.
    int depth0 = 0;
    for (int n = tree.LeafNode(0); n != lzh::Root; n = tree.Parent(n)) ++depth0;
    EXPECT_EQ(depth0, 1);
}

TEST(Lzh, OutputStopsAtTheCountEvenInsideAMatch) {
    const Bytes data = WordSoup(5000, 7);
    const Bytes stream = LzhEncode(data);
    for (std::size_t count : {1u, 59u, 61u, 1000u, 4999u}) {
        const Bytes prefix(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count));
        EXPECT_EQ(DecodeGuarded(stream, count), prefix) << count;
    }
    // Asking for more than was packed decodes the padding: still bounded.
    EXPECT_EQ(DecodeGuarded(stream, 6000).size(), 6000u);
}

TEST(Lzh, DamagedAndTruncatedStreamsStayInsideTheirBuffers) {
    const Bytes data = WordSoup(30000, 8);
    const Bytes stream = LzhEncode(data);
    std::mt19937 rng(9);
    for (int round = 0; round < 40; ++round) {
        Bytes damaged = stream;
        for (int k = 0; k < 1 + round % 5; ++k) {
            damaged[rng() % damaged.size()] ^= static_cast<std::uint8_t>(1 + rng() % 255);
        }
        DecodeGuarded(damaged, data.size());
        const Bytes cut(stream.begin(),
                        stream.begin() + static_cast<std::ptrdiff_t>(rng() % stream.size()));
        DecodeGuarded(cut, data.size());
    }
    // No input at all, or all ones (the deepest leaf every time).
    EXPECT_EQ(DecodeGuarded({}, 70000).size(), 70000u);
    EXPECT_EQ(DecodeGuarded(Bytes(50, 0xFF), 70000).size(), 70000u);
}

TEST(Lzh, DecodingIsTheSameEveryTime) {
    // No state survives a decode: a second decode of another stream in
    // between changes nothing.
    const Bytes a = WordSoup(8000, 11);
    const Bytes b = Noise(8000, 12);
    const Bytes streamA = LzhEncode(a);
    EXPECT_EQ(DecodeGuarded(streamA, a.size()), a);
    EXPECT_EQ(RoundTrip(b), b);
    EXPECT_EQ(DecodeGuarded(streamA, a.size()), a);
}
