// The intro's pictures, drawn with Qt: the glyph strip, the front layer, the
// tiling background texture with its colour table, and the start-up logo.
#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>

// 2820 x 20 bytes, rows bottom-up, 255 paper and darker ink: the glyphs of
// the intro charset left to right, one blank column after each, no blank
// column inside a glyph, the first seven columns blank (the space).
std::vector<std::uint8_t> MakeIntroFont();

// 380 x 260 bytes, rows bottom-up, 255 paper: the lettering over the frame.
std::vector<std::uint8_t> MakeIntroFront();

// 256 colours (blue, green, red, 0) then 256 x 256 colour indices, texel
// (u, v) at byte u * 256 + v; the pattern tiles seamlessly.
std::vector<std::uint8_t> MakeIntroBackground();

// The start-up logo: a baseline JPEG of 254 x 127 pixels.
QByteArray MakeStartUpLogo();
