// The intro's committed resources: each decodes to exactly its size, the mesh
// fits the renderer's band at every angle, and the glyph strip holds every
// character of the charset in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QFile>

#include "IntroResources.h"
#include "IntroTables.h"
#include "LzhDecode.h"
#include "LzhEncoder.h"
#include "PackedResource.h"

using namespace reversi::intro;

namespace {

const IntroAssets& Assets() {
    static const IntroAssets assets = LoadIntroAssets();
    return assets;
}

}  // namespace

TEST(IntroResources, EachPackedPictureUnpacksToExactlyItsSize) {
    Assets();  // registers the resources
    struct Case {
        const char* name;
        std::size_t size;
    };
    for (const Case c : {Case{"INTRO_FONTIM", 56400}, Case{"INTRO_FRONTIM", 98800},
                         Case{"INTRO_BACKFONE", 66560}}) {
        const QByteArray packed =
            reversi::graphics::ReadResource(QStringLiteral(":/intro/") + c.name);
        ASSERT_GE(packed.size(), 4) << c.name;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(packed.constData());
        EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24,
                  static_cast<int>(c.size))
            << c.name;
        std::vector<std::uint8_t> out(c.size);
        reversi::graphics::UnpackResource(QStringLiteral(":/intro/") + c.name, out);
        // The committed resource is exactly what the packer makes of its content.
        const std::vector<std::uint8_t> repacked = reversi::tools::PackResourceBytes(out);
        EXPECT_TRUE(std::equal(repacked.begin(), repacked.end(), bytes, bytes + packed.size()) &&
                    repacked.size() == static_cast<std::size_t>(packed.size()))
            << c.name;
    }
}

TEST(IntroResources, MeshIsCentredScaledAndWithoutFlatFaces) {
    const IntroMesh& mesh = Assets().Mesh();
    ASSERT_GT(mesh.vertices.size(), 100u);
    ASSERT_GT(mesh.faces.size(), 100u);
    float longest = 0;
    for (const MeshVertex& v : mesh.vertices) {
        for (float c : {v.x, v.y, v.z}) {
            EXPECT_LE(std::abs(c), 3.0001f);
            longest = std::max(longest, std::abs(c));
        }
    }
    EXPECT_NEAR(longest, 3.0f, 1e-4);
    for (const MeshFace& f : mesh.faces) {
        EXPECT_GT(f.normalizer, 0.0f);
        EXPECT_TRUE(std::isfinite(f.normalizer));
        EXPECT_LT(std::max({f.a, f.b, f.c}), mesh.vertices.size());
    }
}

TEST(IntroResources, MeshStaysInsideTheBandWithShadesBelow256AtEveryAngle) {
    const IntroMesh& mesh = Assets().Mesh();
    const IntroTables& t = Tables();
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f, maxShade = 0;
    const float ca = t.cos[1536], sa = t.sin[1536], cb = t.cos[40], sb = t.sin[40];
    for (int gamma = 0; gamma < FloatTurn; ++gamma) {
        const float cg = t.cos[gamma], sg = t.sin[gamma];
        std::vector<std::array<float, 2>> p;
        for (const MeshVertex& v : mesh.vertices) {
            const float t1 = cb * v.x - sb * v.z, t2 = sb * v.x + cb * v.z;
            const float X = cg * t1 + sg * v.y, t3 = cg * v.y - sg * t1;
            const float depth = ca * t2 - sa * t3 - 7;
            p.push_back({X / depth, (sa * t2 + ca * t3) / depth});
            const float sx = p.back()[0] * 300 + 190.5f, sy = p.back()[1] * 300 + 65.5f;
            minX = std::min(minX, sx), maxX = std::max(maxX, sx);
            minY = std::min(minY, sy), maxY = std::max(maxY, sy);
        }
        for (const MeshFace& f : mesh.faces) {
            const auto &a = p[f.a], &b = p[f.b], &c = p[f.c];
            const float h = (c[0] - a[0]) * (b[1] - a[1]) - (b[0] - a[0]) * (c[1] - a[1]);
            if (h > 0) maxShade = std::max(maxShade, h * f.normalizer);
        }
    }
    // Band rows are 130 - y for y from 1 to 130, columns 0 to 379.
    EXPECT_GE(minX, 10.0f);
    EXPECT_LT(maxX, 370.0f);
    EXPECT_GE(minY, 5.0f);
    EXPECT_LT(maxY, 126.0f);
    EXPECT_LT(maxShade, 256.0f);
    EXPECT_GT(maxShade, 100.0f);  // bright enough to see
}

TEST(IntroResources, GlyphStripHoldsTheWholeCharsetContiguouslyInOrder) {
    const GlyphTable& glyphs = Assets().Glyphs();
    EXPECT_EQ(glyphs[0].start, 0);
    EXPECT_EQ(glyphs[0].end, 6);
    EXPECT_EQ(glyphs[0].width, 6);
    for (int i = 1; i < IntroCharCount; ++i) {
        const Glyph& g = glyphs[static_cast<std::size_t>(i)];
        SCOPED_TRACE(i);
        EXPECT_GE(g.width, 3);
        EXPECT_LE(g.width, 20);
        // Each glyph starts right after the blank column that ends the one before.
        EXPECT_EQ(g.start, i == 1 ? 7 : glyphs[static_cast<std::size_t>(i - 1)].end + 1);
    }
    EXPECT_LT(glyphs[IntroCharCount - 1].end, FontWidth);
    for (int i = IntroCharCount; i < 256; ++i)
        EXPECT_EQ(glyphs[static_cast<std::size_t>(i)].width, 0);
    // Wider letters are wider: 'W' against 'i', 'Ж' against '.'.
    const auto width = [&](char16_t ch) {
        return glyphs[MapIntroText(std::u16string(1, ch))[0] - 1u].width;
    };
    EXPECT_GT(width(u'W'), width(u'i'));
    EXPECT_GT(width(u'Ж'), width(u'.'));
}

TEST(IntroResources, ScrollTextAndItsPeriod) {
    const IntroAssets& assets = Assets();
    ASSERT_EQ(assets.ScrollText().size(), 332u);
    EXPECT_EQ(assets.ScrollText()[0], MapIntroText(u"R")[0]);
    EXPECT_EQ(assets.ScrollPeriod(), IntroTextWidth(assets.Glyphs(), assets.ScrollText()) + 440);
    // The 47 trailing spaces alone are 282 pixels.
    EXPECT_GT(assets.ScrollPeriod(), 440 + 282 + 285 * 5);
}

TEST(IntroText, MapsTheCharsetAndReplacesOthersBySpace) {
    EXPECT_EQ(MapIntroText(u" .\"0qQйЙЁ"), (GlyphCodes{1, 2, 8, 21, 31, 57, 83, 116, 148}));
    EXPECT_EQ(MapIntroText(u"é€\t"), (GlyphCodes{1, 1, 1}));
    EXPECT_TRUE(MapIntroText(u"").empty());
}

TEST(IntroTables, FixedPointAndTrigonometry) {
    const IntroTables& t = Tables();
    EXPECT_EQ(t.fixedCos[0], 65536);
    EXPECT_EQ(t.fixedSin[0], 0);
    EXPECT_EQ(t.fixedSin[8192], 65536);
    EXPECT_EQ(t.fixedCos[16384], -65536);
    EXPECT_FLOAT_EQ(t.sin[512], 1.0f);
    EXPECT_FLOAT_EQ(t.cos[1024], -1.0f);
    EXPECT_EQ(t.Blend(255, 255), 254);
    EXPECT_EQ(t.Blend(128, 2), 1);
    EXPECT_EQ(FixedMul16(65536, 1 << 24), 1 << 24);
    EXPECT_EQ(FixedMul16(-1, 1), -1);  // rounds toward minus infinity
    EXPECT_EQ(FixedMul16(-65536, 1 << 24), -(1 << 24));
}

TEST(IntroResources, DamagedMeshesAreRefused) {
    Assets();
    const QByteArray good = reversi::graphics::ReadResource(QStringLiteral(":/intro/INTRO_3DMESH"));
    const std::vector<std::uint8_t> bytes(good.begin(), good.end());
    const auto parse = [](std::vector<std::uint8_t> b) { return ParseIntroMesh(b); };
    EXPECT_NO_THROW(parse(bytes));
    const auto with = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> b = bytes;
        b[at] = value;
        return b;
    };
    // The first part's first face starts after the header, the part's two
    // counts and its vertices.
    const std::size_t firstVertices = bytes[22] | bytes[23] << 8;
    const std::size_t firstFace = 22 + 4 + 12 * firstVertices;
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"empty", {}},
        {"header only", {bytes.begin(), bytes.begin() + 22}},
        {"cut in the last face", {bytes.begin(), bytes.end() - 1}},
        {"more parts than stored", with(4, static_cast<std::uint8_t>(bytes[4] + 1))},
        {"fewer vertices in the header", with(6, static_cast<std::uint8_t>(bytes[6] - 1))},
        {"more faces in the header", with(8, static_cast<std::uint8_t>(bytes[8] + 1))},
        {"face index beyond its part", with(firstFace, static_cast<std::uint8_t>(firstVertices))},
        {"negative part count", with(5, 0x80)},
    };
    for (const auto& [name, damaged] : cases) {
        try {
            parse(damaged);
            ADD_FAILURE() << name;
        } catch (const reversi::graphics::ResourceError& e) {
            EXPECT_STREQ(e.what(), "Resource INTRO_3DMESH is damaged") << name;
        }
    }
}
