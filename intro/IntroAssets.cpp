// Parsing the mesh, scanning the glyph strip and preparing the pictures.
#include "IntroAssets.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

#include "PackedResource.h"

namespace reversi::intro {

namespace {

[[noreturn]] void MeshDamaged() {
    throw graphics::ResourceError("Resource INTRO_3DMESH is damaged");
}

// Little-endian reader that refuses to read past the end.
class MeshReader {
public:
    explicit MeshReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    void Skip(std::size_t n) {
        Need(n);
        pos_ += n;
    }
    int Int16() {
        Need(2);
        const auto v = static_cast<std::int16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint16_t UInt16() { return static_cast<std::uint16_t>(Int16()); }
    float Single() {
        Need(4);
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i) bits = bits << 8 | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += 4;
        return std::bit_cast<float>(bits);
    }

private:
    void Need(std::size_t n) const {
        if (bytes_.size() - pos_ < n) MeshDamaged();
    }
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

float Normalizer(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    const long double e1x = static_cast<long double>(b.x) - a.x,
                      e1y = static_cast<long double>(b.y) - a.y,
                      e1z = static_cast<long double>(b.z) - a.z;
    const long double e2x = static_cast<long double>(c.x) - b.x,
                      e2y = static_cast<long double>(c.y) - b.y,
                      e2z = static_cast<long double>(c.z) - b.z;
    const long double nx = e1y * e2z - e1z * e2y, ny = e1z * e2x - e1x * e2z,
                      nz = e1x * e2y - e1y * e2x;
    const long double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    // A face without area gets no shade rather than an infinite one.
    return length > 0 ? static_cast<float>(2550 / length) : 0.0f;
}

bool InkColumn(std::span<const std::uint8_t> font, int column) {
    if (column < 0 || column >= FontWidth) return false;
    for (int row = 0; row < FontHeight; ++row) {
        if (font[static_cast<std::size_t>(row * FontWidth + column)] != 255) return true;
    }
    return false;
}

}  // namespace

GlyphCodes MapIntroText(std::u16string_view text) {
    GlyphCodes codes;
    codes.reserve(text.size());
    for (char16_t ch : text) {
        const std::size_t at = IntroCharset.find(ch);
        codes.push_back(static_cast<std::uint16_t>(at == std::u16string_view::npos ? 1 : at + 1));
    }
    return codes;
}

IntroMesh ParseIntroMesh(std::span<const std::uint8_t> bytes) {
    MeshReader in(bytes);
    in.Skip(4);
    const int parts = in.Int16();
    const int vertexTotal = in.Int16();
    const int faceTotal = in.Int16();
    in.Skip(12);
    if (parts < 0 || vertexTotal < 0 || faceTotal < 0) MeshDamaged();
    IntroMesh mesh;
    mesh.vertices.resize(static_cast<std::size_t>(vertexTotal));
    mesh.faces.resize(static_cast<std::size_t>(faceTotal));
    int v = 0, f = 0;
    for (int part = 0; part < parts; ++part) {
        const int base = v;
        const int vertices = in.Int16();
        const int faces = in.Int16();
        if (vertices < 0 || faces < 0 || vertices > vertexTotal - v || faces > faceTotal - f)
            MeshDamaged();
        for (int i = 0; i < vertices; ++i, ++v) {
            MeshVertex& vertex = mesh.vertices[static_cast<std::size_t>(v)];
            vertex.x = in.Single();
            vertex.y = in.Single();
            vertex.z = in.Single() * 0.8f;
            if (!std::isfinite(vertex.x) || !std::isfinite(vertex.y) || !std::isfinite(vertex.z))
                MeshDamaged();
        }
        for (int i = 0; i < faces; ++i, ++f) {
            MeshFace& face = mesh.faces[static_cast<std::size_t>(f)];
            const int a = in.UInt16(), b = in.UInt16(), c = in.UInt16();
            if (a >= vertices || b >= vertices || c >= vertices) MeshDamaged();
            face.a = static_cast<std::uint16_t>(base + a);
            face.b = static_cast<std::uint16_t>(base + b);
            face.c = static_cast<std::uint16_t>(base + c);
            face.normalizer =
                Normalizer(mesh.vertices[face.a], mesh.vertices[face.b], mesh.vertices[face.c]);
        }
    }
    if (v != vertexTotal || f != faceTotal) MeshDamaged();
    if (mesh.vertices.empty()) return mesh;

    // Centre the model and scale its longest side to -3..3, mirrored through
    // its centre.
    MeshVertex low = mesh.vertices[0], high = mesh.vertices[0];
    for (const MeshVertex& p : mesh.vertices) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const MeshVertex centre{high.x - (high.x - low.x) / 2, high.y - (high.y - low.y) / 2,
                            high.z - (high.z - low.z) / 2};
    float scale = (high.x - low.x) / 6;
    scale = std::max(scale, (high.y - low.y) / 6);
    scale = std::max(scale, (high.z - low.z) / 6);
    if (scale == 0) scale = 1;
    for (MeshVertex& p : mesh.vertices) {
        p = {(centre.x - p.x) / scale, (centre.y - p.y) / scale, (centre.z - p.z) / scale};
    }
    return mesh;
}

int FindGlyphStart(std::span<const std::uint8_t> font, int column) {
    for (int c = std::max(column, 0); c < FontWidth; ++c) {
        if (InkColumn(font, c)) return c;
    }
    return 0;
}

int FindGlyphEnd(std::span<const std::uint8_t> font, int column) {
    int c = std::max(column, 0);
    while (InkColumn(font, c)) ++c;
    return c;
}

GlyphTable ScanGlyphs(std::span<const std::uint8_t> font) {
    GlyphTable glyphs{};
    glyphs[0] = {0, 6, 6};
    int a = 0;
    for (int i = 1; i < IntroCharCount; ++i) {
        const int s = FindGlyphStart(font, a + 1);
        a = FindGlyphEnd(font, s + 1);
        glyphs[static_cast<std::size_t>(i)] = {s, a, a - s + 1};
    }
    return glyphs;
}

int IntroTextWidth(const GlyphTable& glyphs, const GlyphCodes& codes) {
    int width = 0;
    for (std::uint16_t code : codes) {
        if (code >= 1 && code <= 256) width += glyphs[code - 1u].width;
    }
    return width;
}

IntroAssets::IntroAssets(IntroMesh mesh, std::vector<std::uint8_t> font,
                         std::vector<std::uint8_t> front, std::vector<std::uint8_t> background)
    : mesh_(std::move(mesh)), font_(std::move(font)), front_(std::move(front)) {
    if (font_.size() != static_cast<std::size_t>(FontWidth * FontHeight) ||
        front_.size() != static_cast<std::size_t>(FrameWidth * FrameHeight) ||
        background.size() != static_cast<std::size_t>(PaletteBytes + TextureSize * TextureSize)) {
        throw std::invalid_argument("intro pictures of the wrong size");
    }
    glyphs_ = ScanGlyphs(font_);
    for (auto& b : font_) b = static_cast<std::uint8_t>(b + 1);
    for (auto& b : front_) b = static_cast<std::uint8_t>(b + 1);
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        palette_[i] = static_cast<std::uint32_t>(background[4 * i]) |
                      static_cast<std::uint32_t>(background[4 * i + 1]) << 8 |
                      static_cast<std::uint32_t>(background[4 * i + 2]) << 16 |
                      static_cast<std::uint32_t>(background[4 * i + 3]) << 24;
    }
    texture_.assign(background.begin() + PaletteBytes, background.end());
    scrollText_ = MapIntroText(IntroScrollMessage);
    scrollPeriod_ = IntroTextWidth(glyphs_, scrollText_) + 440;
}

}  // namespace reversi::intro
