// Deterministic smooth value noise: the same bytes on every run and every
// machine, with no dependence on a library's random generator.
#pragma once

#include <cstdint>

double hashNoise(int x, int y, std::uint32_t seed);         // 0..1, one value per lattice point
double valueNoise(double x, double y, std::uint32_t seed);  // 0..1, smooth between lattice points
double fractalNoise(double x, double y, std::uint32_t seed, int octaves);  // 0..1, sum of octaves
