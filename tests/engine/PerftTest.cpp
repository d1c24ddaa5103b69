// Counts the leaves of the legal-move tree from the 8 x 8 start position and
// compares the engine's rules with a separate, plain grid implementation.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "EngineUnit.h"
#include "RulesCore.h"

using namespace reversi;

namespace {

// An independent model: an 8 x 8 grid of chars, walked with (dx, dy) steps.
struct Grid {
    std::array<std::array<char, 8>, 8> c{};  // c[x][y]: '.', 'W', 'B'
    static Grid Start() {
        Grid g;
        for (auto& col : g.c) col.fill('.');
        g.c[3][3] = 'W';
        g.c[4][4] = 'W';  // D5, E4
        g.c[3][4] = 'B';
        g.c[4][3] = 'B';  // D4, E5
        return g;
    }
    int Flips(int x, int y, char me, bool apply) {
        if (c[x][y] != '.') return 0;
        const char opp = me == 'W' ? 'B' : 'W';
        int total = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                if (!dx && !dy) continue;
                int n = 0, cx = x + dx, cy = y + dy;
                while (cx >= 0 && cx < 8 && cy >= 0 && cy < 8 && c[cx][cy] == opp) {
                    ++n;
                    cx += dx;
                    cy += dy;
                }
                if (n == 0 || cx < 0 || cx >= 8 || cy < 0 || cy >= 8 || c[cx][cy] != me) continue;
                total += n;
                if (apply)
                    for (int k = 1; k <= n; ++k) c[x + k * dx][y + k * dy] = me;
            }
        if (apply && total) c[x][y] = me;
        return total;
    }
};

// Leaves at `depth` plies; a side without moves passes (counts as a ply), a
// finished game is a leaf.
std::uint64_t GridPerft(Grid g, char me, int depth, bool passed = false) {
    if (depth == 0) return 1;
    std::uint64_t n = 0;
    bool any = false;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            Grid h = g;
            if (h.Flips(x, y, me, true)) {
                any = true;
                n += GridPerft(h, me == 'W' ? 'B' : 'W', depth - 1);
            }
        }
    if (any) return n;
    if (passed) return 1;
    return GridPerft(g, me == 'W' ? 'B' : 'W', depth - 1, true);
}

std::uint64_t EnginePerft(const tBoard& b, int me, int depth, bool passed = false) {
    if (depth == 0) return 1;
    std::uint64_t n = 0;
    bool any = false;
    for (int sq = Layout<8>::First; sq <= Layout<8>::Last; ++sq) {
        if (!rules::CanMove<8>(b, sq, me, 5 - me)) continue;
        any = true;
        tBoard c = b;
        rules::PlaceAndFlip<8>(c, sq, me, 5 - me);
        n += EnginePerft(c, 5 - me, depth - 1);
    }
    if (any) return n;
    if (passed) return 1;
    return EnginePerft(b, 5 - me, depth - 1, true);
}

}  // namespace

TEST(Perft, LeafCountsFromTheStartMatchAnIndependentModel) {
    // Hand-checkable first plies (4 openings, 3 replies each) and the grid
    // model for the rest.
    const std::uint64_t expected[] = {1, 4, 12, 56, 244, 1396, 8200};
    const tBoard start = rules::StartBoard<8>();
    for (int depth = 0; depth <= 6; ++depth) {
        const auto grid = GridPerft(Grid::Start(), 'W', depth);
        EXPECT_EQ(grid, expected[depth]) << "grid model, depth " << depth;
        EXPECT_EQ(EnginePerft(start, CellWhite, depth), grid) << "depth " << depth;
    }
}

TEST(Perft, RandomGamesAgreeSquareBySquare) {
    // Plays seeded random games with both models and compares the legal
    // squares and the whole position after every move, passes included.
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int game = 0; game < 200; ++game) {
        Grid g = Grid::Start();
        tBoard b = rules::StartBoard<8>();
        int me = CellWhite;
        int passes = 0;
        while (passes < 2) {
            std::vector<int> legal;
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y) {
                    const bool gridLegal = g.Flips(x, y, me == CellWhite ? 'W' : 'B', false) > 0;
                    const bool engineLegal = rules::CanMove<8>(b, SquareIndex(x, y, 8), me, 5 - me);
                    ASSERT_EQ(gridLegal, engineLegal) << "game " << game;
                    if (engineLegal) legal.push_back(SquareIndex(x, y, 8));
                }
            if (legal.empty()) {
                ++passes;
                me = 5 - me;
                continue;
            }
            passes = 0;
            const int sq = legal[next() % legal.size()];
            g.Flips(SquareColumn(sq, 8), SquareRow(sq, 8), me == CellWhite ? 'W' : 'B', true);
            rules::PlaceAndFlip<8>(b, sq, me, 5 - me);
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y) {
                    const char cell = g.c[x][y];
                    const int code = cell == 'W' ? CellWhite : cell == 'B' ? CellBlack : CellEmpty;
                    ASSERT_EQ(b[SquareIndex(x, y, 8)], code);
                }
            me = 5 - me;
        }
    }
}
