#include "Sheets.h"

#include "Disc.h"
#include "Layout.h"
#include "Squares.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// A turning disc on frame f of 0..13: the turn advances a fifteenth of a half
// turn per frame (frame 14, the disc at rest with its new face, is taken
// from the placing rows). It rises while it turns and settles again.
DiscPose flipPose(int frame) {
    const double p = (frame + 1) / double(kLastFrame + 1);
    const double eased = 0.5 * p + 0.5 * smoothstep(0.0, 1.0, p);
    return {kPi * eased, 9.0 * std::sin(kPi * p), 1.0};
}

// A disc being placed, frame f of 0..14: it drops in from above while fading
// in, lands, bounces once slightly and comes to rest at frame 14.
DiscPose placePose(int frame) {
    const double t = frame / double(kLastFrame);
    const double land = 0.72;
    const double height = t < land ? 13.0 * (1.0 - (t / land) * (t / land))
                                   : 2.0 * std::sin(kPi * (t - land) / (1.0 - land));
    return {0.0, height, smoothstep(0.0, 0.35, t)};
}

void putCell(Image& sheet, int column, int row, const Image& cell) {
    sheet.paste(cell, column * kCell, row * kCell);
}

}  // namespace

Image figureSheet() {
    Image sheet(kFigureColumns * kCell, kFigureRows * kCell);
    for (int parity = 0; parity < 2; ++parity) {
        const Image tile = squareTile(parity == 0);
        for (int frame = 0; frame <= kLastFrame; ++frame) {
            // Rows 0 to 3: turning discs; the last column is never shown, so it
            // holds the disc at rest with its new face, matching what follows.
            // The disc turns so that its yellow face is always the one toward
            // the light (upper left); a yellow face turned away looks muddy.
            const DiscPose flip = frame < kLastFrame ? flipPose(frame) : DiscPose{kPi, 0, 1};
            Image cell = tile;
            paintDisc(cell, DiscPose{-flip.turn, flip.lift, flip.alpha}, kYellow, kGreen);
            putCell(sheet, frame, 0 + parity, cell);
            cell = tile;
            paintDisc(cell, flip, kGreen, kYellow);
            putCell(sheet, frame, 2 + parity, cell);
            // Rows 4 to 7: placing; column 0 is exactly the empty square.
            for (const auto& [row, colour] : {std::pair{4, kGreen}, std::pair{6, kYellow}}) {
                cell = tile;
                if (frame > 0) paintDisc(cell, placePose(frame), colour, colour);
                putCell(sheet, frame, row + parity, cell);
            }
        }
    }
    return sheet;
}

namespace {

// The available-move mark: a soft glowing dot inside a ring of light that
// breathes twice over the 40 frames, fading in at the start and out at the
// end so that it meets the plain square on both sides.
Image helpCell(const Image& tile, int frame) {
    const double envelope =
        smoothstep(-1.0, 6.0, frame) * smoothstep(-1.0, 6.0, kHelpColumns - 1 - frame);
    const double pulse = 0.5 - 0.5 * std::cos(2.0 * kPi * frame / 20.0);
    const double ringRadius = 12.0 + 5.0 * pulse;
    const double ringWidth = 1.8 + 0.6 * pulse;
    const double dotRadius = 5.0 + 1.5 * pulse;
    const double strength = envelope * (0.55 + 0.45 * pulse);
    const Rgb glow{255, 242, 190};
    const double c = kCell / 2.0;
    constexpr int sub = 4;

    Image cell = tile;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            double amount = 0;
            for (int j = 0; j < sub; ++j)
                for (int i = 0; i < sub; ++i) {
                    const double dx = x + (i + 0.5) / sub - c, dy = y + (j + 0.5) / sub - c;
                    const double d = std::sqrt(dx * dx + dy * dy);
                    const double ring = std::exp(-std::pow((d - ringRadius) / ringWidth, 2.0));
                    const double halo =
                        0.25 * std::exp(-std::pow((d - ringRadius) / (ringWidth * 3.0), 2.0));
                    const double dot = 0.85 * smoothstep(dotRadius + 1.0, dotRadius - 1.0, d);
                    amount += std::min(1.0, ring + halo + dot);
                }
            amount /= sub * sub;
            cell.at(x, y) = screen(cell.at(x, y), glow, amount * strength);
        }
    return cell;
}

}  // namespace

Image helpSheet() {
    Image sheet(kHelpColumns * kCell, kHelpRows * kCell);
    for (int parity = 0; parity < 2; ++parity) {
        const Image tile = squareTile(parity == 0);
        for (int frame = 0; frame < kHelpColumns; ++frame)
            putCell(sheet, frame, parity, helpCell(tile, frame));
    }
    return sheet;
}
