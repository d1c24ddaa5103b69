// The intro's 3D mesh: the word "REVERSI" in block letters, one part per
// letter, each letter a set of extruded quads (closed boxes).
#pragma once

#include <cstdint>
#include <vector>

// The raw mesh resource: header, then per part its vertices and faces, all
// little-endian. Faces are wound so that (b - a) x (c - a) points out of
// their box in file coordinates.
std::vector<std::uint8_t> MakeIntroMesh();
