// The adaptive Huffman tree and the window-position code of the LZH stream
// format used by the packed resources. The decoder (LzhDecode) and the packer
// (tools/lzh_pack) share this one definition so that they stay mirrors.
#pragma once

#include <array>
#include <cstdint>

namespace reversi::graphics::lzh {

inline constexpr int WindowSize = 4096;  // sliding window, positions mod 4096
inline constexpr int LongestMatch = 60;  // bytes
inline constexpr int Threshold = 2;      // a match is at least Threshold + 1 bytes
inline constexpr int FirstWrite = WindowSize - LongestMatch;        // 4036: window[0..4035] = ' '
inline constexpr int SymbolCount = 256 + LongestMatch - Threshold;  // 314
inline constexpr int TableSize = SymbolCount * 2 - 1;               // 627 nodes
inline constexpr int Root = TableSize - 1;                          // 626
inline constexpr std::uint16_t RebuildLimit = 0x8000;

// Upper 6 bits of a window distance and the length of its prefix code, by the
// first 8 bits of the code.
struct DistanceTables {
    std::array<std::uint8_t, 256> code{};
    std::array<std::uint8_t, 256> length{};
};

constexpr DistanceTables MakeDistanceTables() {
    DistanceTables t;
    // (values of the upper bits, first-byte values per upper value, code length)
    struct Band {
        int count, span, length;
    };
    constexpr Band bands[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5},
                              {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};
    int b = 0;
    int upper = 0;
    for (const Band& band : bands) {
        for (int n = 0; n < band.count; ++n, ++upper) {
            for (int k = 0; k < band.span; ++k, ++b) {
                t.code[b] = static_cast<std::uint8_t>(upper);
                t.length[b] = static_cast<std::uint8_t>(band.length);
            }
        }
    }
    return t;
}

inline constexpr DistanceTables Distance = MakeDistanceTables();

// The adaptive tree over the 314 symbols: 0-255 literal bytes, 256-313 match
// lengths 3 to 60. Leaves are stored as son = TableSize + symbol; the two
// children of an inner node are the nodes son and son + 1. All counts are
// 16-bit and compared unsigned. Every index stays inside the arrays whatever
// symbols are fed to Update, so a damaged stream cannot misuse the tree.
class AdaptiveTree {
public:
    AdaptiveTree() { Reset(); }

    void Reset() {
        for (int s = 0; s < SymbolCount; ++s) {
            freq_[s] = 1;
            son_[s] = static_cast<std::uint16_t>(TableSize + s);
            parent_[TableSize + s] = static_cast<std::uint16_t>(s);
        }
        for (int i = 0, j = SymbolCount; j < TableSize; i += 2, ++j) {
            freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
            son_[j] = static_cast<std::uint16_t>(i);
            parent_[i] = parent_[i + 1] = static_cast<std::uint16_t>(j);
        }
        freq_[TableSize] = 0xFFFF;
        parent_[Root] = 0;
    }

    // The first node of a decode walk; Child(node, bit) steps down.
    int Top() const { return son_[Root]; }
    int Child(int node, int bit) const { return son_[node + bit]; }
    // The node holding a symbol's leaf and a node's parent, for the packer.
    int LeafNode(int symbol) const { return parent_[TableSize + symbol]; }
    int Parent(int node) const { return parent_[node]; }
    // 1 when node is the second child of its parent.
    int Side(int node) const { return node - son_[parent_[node]]; }
    std::uint16_t RootCount() const { return freq_[Root]; }

    // Counts one more use of symbol and restores the sibling order.
    void Update(int symbol) {
        if (freq_[Root] == RebuildLimit) Rebuild();
        int c = parent_[TableSize + symbol];
        do {
            const std::uint16_t k = ++freq_[c];
            int l = c + 1;
            if (k > freq_[l]) {
                while (k > freq_[l + 1]) ++l;  // freq_[TableSize] = 0xFFFF stops it
                freq_[c] = freq_[l];
                freq_[l] = k;
                const int i = son_[c];
                parent_[i] = static_cast<std::uint16_t>(l);
                if (i < TableSize) parent_[i + 1] = static_cast<std::uint16_t>(l);
                const int j = son_[l];
                son_[l] = static_cast<std::uint16_t>(i);
                parent_[j] = static_cast<std::uint16_t>(c);
                if (j < TableSize) parent_[j + 1] = static_cast<std::uint16_t>(c);
                son_[c] = static_cast<std::uint16_t>(j);
                c = l;
            }
            c = parent_[c];
        } while (c != 0);
    }

private:
    // Halves the leaves' counts and builds the tree anew in sibling order.
    void Rebuild() {
        int j = 0;
        for (int i = 0; i < TableSize; ++i) {
            if (son_[i] >= TableSize) {
                freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
                son_[j] = son_[i];
                ++j;
            }
        }
        for (int i = 0, n = SymbolCount; n < TableSize; i += 2, ++n) {
            const std::uint16_t f = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
            // freq_[i + 1] <= f, so the search stops at i + 1 at the lowest.
            int k = n - 1;
            while (k > i + 1 && f < freq_[k]) --k;
            ++k;
            for (int m = n; m > k; --m) {
                freq_[m] = freq_[m - 1];
                son_[m] = son_[m - 1];
            }
            freq_[k] = f;
            son_[k] = static_cast<std::uint16_t>(i);
        }
        for (int i = 0; i < TableSize; ++i) {
            const int k = son_[i];
            if (k >= TableSize) {
                parent_[k] = static_cast<std::uint16_t>(i);
            } else {
                parent_[k] = parent_[k + 1] = static_cast<std::uint16_t>(i);
            }
        }
    }

    std::array<std::uint16_t, TableSize + 1> freq_{};
    std::array<std::uint16_t, TableSize> son_{};
    std::array<std::uint16_t, TableSize + SymbolCount> parent_{};
};

}  // namespace reversi::graphics::lzh
