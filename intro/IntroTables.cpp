// Computing the intro's tables.
#include "IntroTables.h"

#include <cfenv>
#include <cmath>
#include <numbers>

namespace reversi::intro {

namespace {

IntroTables Build() {
    IntroTables t;
    const long double pi = std::numbers::pi_v<long double>;
    for (int i = 0; i < FloatTurn; ++i) {
        const long double a = i * pi / 1024;
        t.sin[i] = static_cast<float>(std::sin(a));
        t.cos[i] = static_cast<float>(std::cos(a));
    }
    t.fixedSin.resize(FixedTurn);
    t.fixedCos.resize(FixedTurn);
    for (int i = 0; i < FixedTurn; ++i) {
        // The angle is rounded to a float first; the results round halves to even.
        const long double a = static_cast<float>(i * pi / 16384);
        t.fixedSin[i] = static_cast<std::int32_t>(std::nearbyint(std::sin(a) * 65536));
        t.fixedCos[i] = static_cast<std::int32_t>(std::nearbyint(std::cos(a) * 65536));
    }
    t.blend.resize(256 * 256);
    for (int i = 0; i < 256; ++i) {
        for (int j = 0; j < 256; ++j)
            t.blend[static_cast<std::size_t>(i * 256 + j)] = static_cast<std::uint8_t>(i * j / 256);
    }
    return t;
}

}  // namespace

const IntroTables& Tables() {
    static const IntroTables tables = Build();
    return tables;
}

}  // namespace reversi::intro
