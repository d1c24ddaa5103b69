// The data the intro draws from: the mesh, the glyph strip with its glyph
// table, the front layer, the background texture with its colour table, and
// the scroll message as glyph codes. Built from the raw resource bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "IntroCharset.h"

namespace reversi::intro {

struct MeshVertex {
    float x = 0, y = 0, z = 0;  // model coordinates, centred, longest side -3..3
};

struct MeshFace {
    std::uint16_t a = 0, b = 0, c = 0;  // global vertex indices
    float normalizer = 0;               // 2550 / |edge x edge|, 0 for a face without area
};

struct IntroMesh {
    std::vector<MeshVertex> vertices;
    std::vector<MeshFace> faces;
};

// Where each glyph lies in the strip: columns start..end, width end - start + 1
// (the blank end column is the spacing). Width 0: no glyph.
struct Glyph {
    int start = 0, end = 0, width = 0;
};
using GlyphTable = std::array<Glyph, 256>;
using GlyphCodes = std::vector<std::uint16_t>;

// Each character becomes its position in the charset (from 1); a character
// outside it becomes 1, the space.
GlyphCodes MapIntroText(std::u16string_view text);

// The raw mesh resource: header, parts of vertices and faces. Throws
// ResourceError ("Resource NAME is damaged") for counts that disagree with
// the header or the size, and for face indices outside their part.
IntroMesh ParseIntroMesh(std::span<const std::uint8_t> bytes);

// The strip scan, on the strip as stored (paper 255).
int FindGlyphStart(std::span<const std::uint8_t> font, int column);
int FindGlyphEnd(std::span<const std::uint8_t> font, int column);
GlyphTable ScanGlyphs(std::span<const std::uint8_t> font);

// Pixels the codes advance when drawn.
int IntroTextWidth(const GlyphTable& glyphs, const GlyphCodes& codes);

class IntroAssets {
public:
    // Takes the unpacked pictures as stored (paper 255) and prepares them:
    // the glyph table is scanned, then every byte of the strip and of the
    // front layer is raised by 1 (mod 256), so paper becomes 0, transparent.
    // The sizes must be FontWidth x FontHeight, FrameWidth x FrameHeight and
    // PaletteBytes + 256 x 256.
    IntroAssets(IntroMesh mesh, std::vector<std::uint8_t> font, std::vector<std::uint8_t> front,
                std::vector<std::uint8_t> background);

    const IntroMesh& Mesh() const { return mesh_; }
    std::span<const std::uint8_t> Font() const { return font_; }
    std::span<const std::uint8_t> Front() const { return front_; }
    // Colour table entry i as a pixel 0x00RRGGBB.
    std::uint32_t Colour(int index) const { return palette_[static_cast<std::size_t>(index)]; }
    std::span<const std::uint8_t> Texture() const { return texture_; }
    const GlyphTable& Glyphs() const { return glyphs_; }
    const GlyphCodes& ScrollText() const { return scrollText_; }
    // The scroll position at which the scroller starts over.
    int ScrollPeriod() const { return scrollPeriod_; }

private:
    IntroMesh mesh_;
    std::vector<std::uint8_t> font_;
    std::vector<std::uint8_t> front_;
    std::array<std::uint32_t, 256> palette_{};
    std::vector<std::uint8_t> texture_;
    GlyphTable glyphs_{};
    GlyphCodes scrollText_;
    int scrollPeriod_ = 0;
};

}  // namespace reversi::intro
