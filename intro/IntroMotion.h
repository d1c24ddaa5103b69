// The intro's motion: eight values (background angle, zoom and offset, the
// scroller position, the mesh angles) advanced one step at a time. Plain
// state without threads, so the steps can be checked exactly.
#pragma once

#include <cstdint>
#include <random>

namespace reversi::intro {

// One consistent set of the values a frame is rendered from.
struct IntroView {
    int rot = 0;                        // background angle, 0..32767 (32768 = one turn)
    int scrlPos = 0;                    // scroller position, 0..scroll period
    int dist = 0;                       // background zoom, texels per pixel in 8.24
    int x = 0, y = 0;                   // background offset, 8.24, wrapping at 256 texels
    int alfa = 0, beta = 0, gamma = 0;  // mesh angles, 0..2047
    friend bool operator==(const IntroView&, const IntroView&) = default;
};

class IntroMotion {
public:
    // The turning speed swings back at a random limit from 150 to 249,
    // drawn from a generator seeded with `seed`.
    IntroMotion(int scrollPeriod, std::uint32_t seed);

    void Step();
    IntroView View() const { return view_; }
    int Speed() const { return drLimited_; }  // the turn applied by the last step
    int Swing() const { return dr_; }
    int TurnLimit() const { return rotlim_; }

private:
    int RandomLimit() { return 150 + static_cast<int>(random_() % 100); }

    std::mt19937 random_;
    int scrollPeriod_;
    int ddr_ = 1;
    int dr_ = 0;
    int drLimited_ = 0;
    int rotlim_;
    IntroView view_{0, 0, 1 << 24, 0, 0, 1536, 40, 0};
};

}  // namespace reversi::intro
