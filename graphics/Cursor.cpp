#include "Cursor.h"

#include <algorithm>
#include <cmath>

#include "Blend.h"

namespace reversi::graphics {

namespace {

constexpr Pixel ClassicColour1 = 0x00F0C459;  // red 240, green 196, blue 89
constexpr Pixel ClassicColour2 = 0x00D09449;  // red 208, green 148, blue 73
// Rows of the fire that the cursor shows, and the flat index that the three
// inward-pointing bands count back from (row 25, column 0, always 0).
constexpr int BandRows = 25;
constexpr int BandBackStart = 1450;

int Nearest(double v) { return static_cast<int>(std::nearbyint(v)); }

Cursor::RandomSource DefaultRandom() {
    return [engine = std::minstd_rand(std::random_device{}()),
            dist = std::uniform_int_distribution<int>(0, Cursor::FlameSeedMax)]() mutable {
        return dist(engine);
    };
}

// Adds the flame colour of cell value v to one channel, saturating at 255.
int AddFlame(int channel, int rampChannel, int v) {
    const int t = std::max(0, rampChannel - (v >> 2));
    return std::min(255, channel + t);
}

}  // namespace

Cursor::Cursor() : Cursor(DefaultRandom()) {}

Cursor::Cursor(RandomSource random) : random_(std::move(random)) { SetCursorStyle(0); }

void Cursor::SetCursorStyle(int style) {
    flaming_ = true;
    if (style == 0 || style == 1) {
        colour1_ = ClassicColour1;
        colour2_ = ClassicColour2;
    }
    if (style == 0) flaming_ = false;
    if (style == 1) BuildRamps();
}

void Cursor::BuildRamps() {
    for (int i = 0; i < 256; ++i) {
        const int g1 = i / 2 + (i > 90 ? (i - 90) / 3 : 0);
        ramp1_[i] = MakePixel(Nearest(0.8 * i), Nearest(0.76 * g1), Nearest(0.72 * (i / 3)));
        const int g2 = i / 2 + (i > 130 ? i - 130 : 0);
        ramp2_[i] = MakePixel(i, g2, i / 3);
    }
}

void Cursor::StepFlame() {
    auto F = [this](int r, int c) -> std::uint16_t& { return flame_[r * FlameColumns + c]; };
    for (int c = 0; c < FlameColumns; ++c)
        F(FlameRows - 1, c) = static_cast<std::uint16_t>(std::clamp(random_(), 0, FlameSeedMax));
    for (int r = FlameRows - 2; r >= 0; --r) {
        for (int c = 1; c < FlameColumns - 1; ++c) {
            int v = F(r, c) + F(r + 1, c - 1) + F(r + 1, c) + F(r + 1, c + 1);
            if (v > 40) v -= 40;
            F(r, c) = static_cast<std::uint16_t>(v >> 2);
        }
    }
}

void Cursor::DrawCursorCell(TMemBlock& back, int x, int y, int s, bool even) {
    if (s < 4 || s > FlameColumns + 3 || !back.Contains(x, y) ||
        !back.Contains(x + s - 1, y + s - 1)) {
        saveSize_ = 0;
        return;
    }
    saveSize_ = s;
    saveX_ = x;
    saveY_ = y;
    save_.resize(static_cast<std::size_t>(s) * s);
    for (int r = 0; r < s; ++r) {
        const auto row = back.Row(y + r).subspan(x, s);
        std::copy(row.begin(), row.end(), save_.begin() + static_cast<std::ptrdiff_t>(r) * s);
    }
    const Pixel outer = even ? colour1_ : colour2_;
    const Pixel inner = even ? colour2_ : colour1_;
    BlendFrameRect(back, x + 1, y + 1, x + s - 1, y + s - 1, outer, 1);
    if (!flaming_) {
        BlendFrameRect(back, x + 2, y + 2, x + s - 2, y + s - 2, inner, 1);
        return;
    }
    if (s >= 28) DrawFlames(back, x, y, s, even);
}

void Cursor::DrawFlames(TMemBlock& back, int x, int y, int s, bool even) const {
    const RampType& ramp = even ? ramp1_ : ramp2_;
    const int n = s - 3;
    auto add = [&](int c, int r, int v) {
        Pixel& p = back.At(x + c, y + r);
        const Pixel colour = ramp[std::min(v, 255)];
        p = MakePixel(AddFlame(RedOf(p), RedOf(colour), v),
                      AddFlame(GreenOf(p), GreenOf(colour), v),
                      AddFlame(BlueOf(p), BlueOf(colour), v), PadOf(p));
    };
    // The top band reads the fire forward, its hottest row at the square's
    // top edge; the other three read it backward so their flames also point
    // inward from the outer edge.
    for (int k = 0; k < BandRows; ++k)
        for (int j = 0; j < n; ++j) add(2 + j, s - 26 + k, flame_[FlameColumns * k + j]);
    for (int k = 0; k < BandRows; ++k)
        for (int j = 0; j < n; ++j) add(2 + j, 2 + k, flame_[BandBackStart - FlameColumns * k - j]);
    for (int k = 0; k < BandRows; ++k)
        for (int j = 0; j < n; ++j) add(2 + k, 2 + j, flame_[BandBackStart - FlameColumns * k - j]);
    for (int k = 0; k < BandRows; ++k)
        for (int j = 0; j < n; ++j)
            add(s - 2 - k, 2 + j, flame_[BandBackStart - FlameColumns * k - j]);
}

void Cursor::RestoreCursorCell(TMemBlock& back, int x, int y) {
    const int s = saveSize_;
    if (s == 0 || x != saveX_ || y != saveY_ || !back.Contains(x + s - 1, y + s - 1)) return;
    for (int r = 0; r < s; ++r) {
        const auto from = save_.begin() + static_cast<std::ptrdiff_t>(r) * s;
        std::copy(from, from + s, back.Row(y + r).begin() + x);
    }
    // The saved pixels are used once: a later restore must not paint an old
    // picture over a square drawn since.
    saveSize_ = 0;
}

}  // namespace reversi::graphics
