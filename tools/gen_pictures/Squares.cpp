#include "Squares.h"

#include "Layout.h"
#include "Noise.h"

#include <cmath>

Image squareTile(bool even) {
    // Two close shades of a warm brown wood; the grain runs across on even
    // squares and down on odd ones, like an inlaid board.
    const Rgb base = even ? Rgb{122, 78, 44} : Rgb{108, 67, 37};
    const std::uint32_t seed = even ? 11u : 29u;
    Image tile(kCell, kCell);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const double along = even ? x : y;
            const double across = even ? y : x;
            const double warp = fractalNoise(along * 0.018, across * 0.06, seed, 3);
            const double rings = 0.5 + 0.5 * std::sin((across + 14.0 * warp) * 0.52);
            const double streak = valueNoise(along * 0.06, across * 0.7, seed + 7u);
            // Thin darker lines of late wood at the crest of every ring.
            const double lines =
                std::pow(0.5 + 0.5 * std::sin((across + 14.0 * warp) * 0.52 + 1.2), 10.0);
            const double tone = 1.0 + 0.08 * (rings - 0.5) + 0.035 * (streak - 0.5) +
                                0.06 * (warp - 0.5) - 0.09 * lines;
            tile.at(x, y) = base * tone;
        }
    // A fine engraved groove between squares: lit edge at the top and left,
    // shadowed edge at the bottom and right.
    for (int i = 0; i < kCell; ++i) {
        tile.at(i, 0) = tile.at(i, 0) * 1.22;
        tile.at(0, i) = tile.at(0, i) * 1.22;
    }
    for (int i = 0; i < kCell; ++i) {
        tile.at(i, kCell - 2) = tile.at(i, kCell - 2) * 0.9;
        tile.at(kCell - 2, i) = tile.at(kCell - 2, i) * 0.9;
    }
    for (int i = 0; i < kCell; ++i) {
        tile.at(i, kCell - 1) = tile.at(i, kCell - 1) * 0.55;
        tile.at(kCell - 1, i) = tile.at(kCell - 1, i) * 0.55;
    }
    return tile;
}
