#include "Noise.h"

#include <cmath>

double hashNoise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= std::uint32_t(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= std::uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return double(h & 0xFFFFFFu) / double(0x1000000);
}

double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    auto fade = [](double t) { return t * t * (3 - 2 * t); };
    const double tx = fade(x - fx), ty = fade(y - fy);
    const double a = hashNoise(ix, iy, seed), b = hashNoise(ix + 1, iy, seed);
    const double c = hashNoise(ix, iy + 1, seed), d = hashNoise(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fractalNoise(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + std::uint32_t(i) * 101u) * amp;
        norm += amp;
        amp *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / norm;
}
