// One step of the intro's motion.
#include "IntroMotion.h"

#include <algorithm>

namespace reversi::intro {

IntroMotion::IntroMotion(int scrollPeriod, std::uint32_t seed)
    : random_(seed), scrollPeriod_(scrollPeriod), rotlim_(RandomLimit()) {}

void IntroMotion::Step() {
    drLimited_ = std::clamp(dr_, -80, 80);
    view_.rot += drLimited_;
    if (view_.rot > 32767) view_.rot -= 32768;
    if (view_.rot < 0) view_.rot += 32768;
    // The offset wraps at 32 bits (256 texels).
    const auto shift = static_cast<std::uint32_t>(drLimited_) * (1u << 18);
    view_.x = static_cast<std::int32_t>(static_cast<std::uint32_t>(view_.x) + shift);
    view_.y = static_cast<std::int32_t>(static_cast<std::uint32_t>(view_.y) + shift);
    if ((view_.dist > (1 << 23) && drLimited_ < 0) || (view_.dist < (1 << 25) && drLimited_ > 0)) {
        view_.dist += drLimited_ * 512;
    }
    if ((ddr_ > 0 && dr_ > rotlim_) || (ddr_ < 0 && dr_ < -rotlim_)) {
        rotlim_ = RandomLimit();
        ddr_ = -ddr_;
    }
    dr_ += ddr_;
    if (++view_.scrlPos > scrollPeriod_) view_.scrlPos = 0;
    ++view_.gamma;
    if (view_.alfa > 2047) view_.alfa -= 2048;
    if (view_.beta > 2047) view_.beta -= 2048;
    if (view_.gamma > 2047) view_.gamma -= 2048;
}

}  // namespace reversi::intro
