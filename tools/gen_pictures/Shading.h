// The light shared by everything painted: one direction from the upper left
// toward the viewer, so discs and frame agree. Screen axes: x to the right,
// y down, z toward the viewer.
#pragma once

#include <cmath>

struct Vec {
    double x, y, z;
};

inline Vec normalise(Vec v) {
    const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / l, v.y / l, v.z / l};
}

inline double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline const Vec kLight = normalise({-0.42, -0.62, 1.0});
// Half-way between the light and the view direction, for highlights.
inline const Vec kHalf = normalise({kLight.x, kLight.y, kLight.z + 1.0});
