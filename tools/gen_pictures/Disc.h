// A glossy playing disc drawn into one square cell: a thin cylinder with a
// softly domed face of each colour, lit from the upper left, casting a soft
// shadow on the board. Turning it about the vertical axis shows its edge and
// then its other face.
#pragma once

#include "Image.h"

struct DiscPose {
    double turn = 0;   // rotation about the vertical axis in radians; 0 shows the front face
    double lift = 0;   // height above the board in pixels (makes it larger, moves the shadow)
    double alpha = 1;  // opacity, for a disc that fades in
};

inline constexpr Rgb kYellow{246, 204, 52};
inline constexpr Rgb kGreen{44, 160, 78};

// Draws the disc over the cell, which already holds the square's tile.
void paintDisc(Image& cell, const DiscPose& pose, Rgb front, Rgb back);
