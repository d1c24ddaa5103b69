// The intro's motion after fixed step counts and its renderer on fixed
// values: frame checksums, the scroller and its fade, culling and the
// z-buffer, the background lookup and the front layer's shadow.
#include <gtest/gtest.h>

#include "IntroMotion.h"
#include "IntroRenderer.h"
#include "IntroResources.h"
#include "IntroTables.h"
#include "IntroText.h"

using namespace reversi::intro;

namespace {

const IntroAssets& Assets() {
    static const IntroAssets assets = LoadIntroAssets();
    return assets;
}

// Pictures of the right sizes: blank paper, one colour everywhere.
IntroAssets PlainAssets(
    IntroMesh mesh, std::uint32_t colour = 0x00808080,
    std::vector<std::uint8_t> front = std::vector<std::uint8_t>(FrameWidth * FrameHeight, 255)) {
    std::vector<std::uint8_t> background(PaletteBytes + TextureSize * TextureSize, 0);
    for (int i = 0; i < 256; ++i) {
        for (int k = 0; k < 4; ++k)
            background[static_cast<std::size_t>(4 * i + k)] =
                static_cast<std::uint8_t>(colour >> (8 * k));
    }
    return IntroAssets(std::move(mesh), std::vector<std::uint8_t>(FontWidth * FontHeight, 255),
                       std::move(front), std::move(background));
}

// One triangle in the plane y = yPlane (model y points at the viewer when
// beta and gamma are 0), wound toward the viewer unless `away`.
void AddTriangle(IntroMesh& mesh, float yPlane, float size, float shadeNormalizer,
                 bool away = false) {
    const auto base = static_cast<std::uint16_t>(mesh.vertices.size());
    mesh.vertices.push_back({-size, yPlane, -size / 2});
    mesh.vertices.push_back({size, yPlane, -size / 2});
    mesh.vertices.push_back({0, yPlane, size / 2});
    MeshFace face{base, static_cast<std::uint16_t>(base + 1), static_cast<std::uint16_t>(base + 2),
                  shadeNormalizer};
    if (away) std::swap(face.b, face.c);
    mesh.faces.push_back(face);
}

std::uint8_t BandShade(const IntroRenderer& r, int column, int bandRow) {
    return r.ShadeMap()[static_cast<std::size_t>(bandRow * FrameWidth + column)];
}

}  // namespace

TEST(IntroMotion, StartsFromTheInitialValues) {
    IntroMotion motion(3000, 1);
    EXPECT_EQ(motion.View(), (IntroView{0, 0, 1 << 24, 0, 0, 1536, 40, 0}));
    EXPECT_GE(motion.TurnLimit(), 150);
    EXPECT_LE(motion.TurnLimit(), 249);
    motion.Step();
    EXPECT_EQ(motion.View(), (IntroView{0, 1, 1 << 24, 0, 0, 1536, 40, 1}));
    EXPECT_EQ(motion.Swing(), 1);
}

TEST(IntroMotion, AfterOneHundredStepsTheSpeedHasReachedItsLimit) {
    IntroMotion motion(3000, 2);
    for (int i = 0; i < 100; ++i) motion.Step();
    // Speeds 0, 1, ..., 80 and then 80 nineteen times more.
    const int turned = 80 * 81 / 2 + 19 * 80;
    EXPECT_EQ(turned, 4760);
    EXPECT_EQ(motion.View(), (IntroView{turned, 100, (1 << 24) + turned * 512, turned << 18,
                                        turned << 18, 1536, 40, 100}));
    EXPECT_EQ(motion.Speed(), 80);
}

TEST(IntroMotion, StaysWithinItsRangesForLong) {
    IntroMotion motion(2995, 3);
    bool reversed = false, wrappedRot = false;
    int previousRot = 0;
    for (int i = 1; i <= 20000; ++i) {
        motion.Step();
        const IntroView v = motion.View();
        ASSERT_GE(v.rot, 0);
        ASSERT_LE(v.rot, 32767);
        ASSERT_GE(v.dist, (1 << 23) - 80 * 512);
        ASSERT_LE(v.dist, (1 << 25) + 80 * 512);
        ASSERT_GE(motion.Speed(), -80);
        ASSERT_LE(motion.Speed(), 80);
        ASSERT_GE(motion.TurnLimit(), 150);
        ASSERT_LE(motion.TurnLimit(), 249);
        ASSERT_EQ(v.gamma, i % 2048);
        ASSERT_EQ(v.scrlPos, i % 2996);
        reversed = reversed || motion.Speed() < 0;
        wrappedRot = wrappedRot || std::abs(v.rot - previousRot) > 1000;
        previousRot = v.rot;
    }
    EXPECT_TRUE(reversed);
    EXPECT_TRUE(wrappedRot);
}

TEST(IntroMotion, TheSameSeedGivesTheSameMotion) {
    IntroMotion a(500, 42), b(500, 42);
    for (int i = 0; i < 3000; ++i) {
        a.Step();
        b.Step();
    }
    EXPECT_EQ(a.View(), b.View());
}

TEST(IntroRenderer, RendersOnlyWhenTheValuesChangeButAlwaysTheFirstTime) {
    IntroRenderer renderer(Assets());
    EXPECT_FALSE(renderer.HasFrame());
    const IntroView start{};  // all 0: the first frame still renders
    EXPECT_TRUE(renderer.Render(start));
    EXPECT_TRUE(renderer.HasFrame());
    EXPECT_FALSE(renderer.Render(start));
    IntroView next = start;
    next.gamma = 1;
    EXPECT_TRUE(renderer.Render(next));
}

TEST(IntroRenderer, FrameChecksumsFromFixedValues) {
    struct Case {
        IntroView view;
        std::uint64_t checksum;
    };
    const Case cases[] = {
        {{0, 0, 1 << 24, 0, 0, 1536, 40, 0}, 0xa5ed9b5e4cc42757ull},
        {{12345, 700, 3 << 23, 0x12345678, -0x6543210, 1536, 40, 777}, 0x175b2c8b185283e0ull},
        {{32767, 2995, 1 << 25, -1, 1, 1536, 40, 2047}, 0x2763493eddd8ec64ull},
    };
    for (const Case& c : cases) {
        IntroRenderer renderer(Assets());
        renderer.Render(c.view);
        const std::uint64_t sum = FrameChecksum(renderer.Frame());
        EXPECT_EQ(sum, c.checksum) << "the renderer or the committed resources changed";
        EXPECT_GT(renderer.FacesDrawn(), 0);
        EXPECT_LT(renderer.FacesDrawn(), static_cast<int>(Assets().Mesh().faces.size()));
    }
}

TEST(IntroRenderer, BackgroundLooksUpOneTexelPerPixelAtRest) {
    IntroRenderer renderer(Assets());
    renderer.DrawBackground(0, 1 << 24, 0, 0);
    const auto frame = renderer.Frame();
    for (const auto& [column, row] : {std::pair{0, 0}, {189, 130}, {379, 259}, {100, 17}}) {
        const int u = (column + 1 - 190) & 255, v = (row - 130) & 255;
        EXPECT_EQ(frame[static_cast<std::size_t>(row * FrameWidth + column)],
                  Assets().Colour(Assets().Texture()[static_cast<std::size_t>(u * 256 + v)]))
            << column << "," << row;
    }
}

TEST(IntroRenderer, ScrollerEntersAtTheRightEdge) {
    IntroRenderer renderer(Assets());
    const std::vector<std::uint8_t> before(renderer.FrontLayer().begin(),
                                           renderer.FrontLayer().end());
    renderer.DrawScroller(0);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), renderer.FrontLayer().begin()));
    renderer.DrawScroller(1);
    // Column 379 now shows the first column of "R", row by row.
    const Glyph& r = Assets().Glyphs()[MapIntroText(u"R")[0] - 1u];
    for (int row = 0; row < FontHeight; ++row) {
        EXPECT_EQ(
            renderer.FrontLayer()[static_cast<std::size_t>((ScrollerRow + row) * FrameWidth + 379)],
            Assets().Font()[static_cast<std::size_t>(row * FontWidth + r.start)]);
    }
}

TEST(IntroRenderer, FadeClearsTheLeftEdgeAndLeavesAFaintRightEdge) {
    std::vector<std::uint8_t> front(FrameWidth * FrameHeight, 255);
    for (int row = 0; row < 40; ++row) {
        for (int column = 0; column < FrameWidth; ++column)
            front[static_cast<std::size_t>(row * FrameWidth + column)] = 19;
    }
    IntroAssets assets = PlainAssets({}, 0, front);
    IntroRenderer renderer(assets);
    renderer.FadeScrollEdges();
    const auto at = [&](int column, int row) {
        return renderer.FrontLayer()[static_cast<std::size_t>(row * FrameWidth + column)];
    };
    for (int row = 3; row <= 27; ++row) {
        EXPECT_EQ(at(0, row), 0);
        EXPECT_EQ(at(15, row), 20 + 30);
        EXPECT_EQ(at(16, row), 20);
        EXPECT_EQ(at(364, row), 20);
        EXPECT_EQ(at(379, row), 20 + 225);
    }
    EXPECT_EQ(at(0, 2), 20);
    EXPECT_EQ(at(0, 28), 20);
    renderer.FadeScrollEdges();  // again: the right edge now overflows to transparent
    EXPECT_EQ(at(379, 10), 0);
    EXPECT_EQ(at(365, 10), 20 + 30);
}

TEST(IntroText, GlyphsAreClippedAndAlwaysAdvanceTheirWidth) {
    const IntroAssets& assets = Assets();
    const int index = MapIntroText(u"W")[0] - 1;
    const Glyph& g = assets.Glyphs()[static_cast<std::size_t>(index)];
    struct Case {
        int x;
        int firstColumn;
        int columns;
    };
    const Case cases[] = {
        {100, 100, g.width},                      // whole
        {-3, 0, g.width - 3},                     // cut on the left
        {-g.width, 0, 0},                         // wholly left
        {380 - g.width, 380 - g.width, g.width},  // ends exactly at 379
        {378, 378, 2},                            // cut at 379
        {380, 0, 0},                              // wholly right
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> front(FrameWidth * FrameHeight, 77);
        EXPECT_EQ(DrawIntroGlyph(front, assets.Font(), assets.Glyphs(), c.x, 5, index), g.width)
            << c.x;
        int changed = 0;
        for (int column = 0; column < FrameWidth; ++column) {
            bool written = false;
            for (int row = 5; row < 25; ++row) {
                const auto value = front[static_cast<std::size_t>(row * FrameWidth + column)];
                const int source = g.start + column - c.x;
                if (column >= c.firstColumn && column < c.firstColumn + c.columns) {
                    EXPECT_EQ(
                        value,
                        assets.Font()[static_cast<std::size_t>((row - 5) * FontWidth + source)]);
                    written = true;
                } else {
                    EXPECT_EQ(value, 77) << c.x << " column " << column;
                }
            }
            changed += written;
        }
        EXPECT_EQ(changed, c.columns) << c.x;
    }
    std::vector<std::uint8_t> front(FrameWidth * FrameHeight, 77);
    EXPECT_EQ(DrawIntroGlyph(front, assets.Font(), assets.Glyphs(), 10, 5, 300), 0);
    EXPECT_EQ(DrawIntroGlyph(front, assets.Font(), assets.Glyphs(), 10, 5, 200), 0);
    EXPECT_EQ(DrawIntroGlyph(front, assets.Font(), assets.Glyphs(), 10, 255, index),
              g.width);  // cut at the top
    EXPECT_EQ(std::count(front.begin(), front.end(), 77),
              static_cast<long>(front.size()) - 5 * g.width);
}

TEST(IntroRenderer, FacesAwayAreCulledAndTheNearerFaceWins) {
    IntroMesh mesh;
    AddTriangle(mesh, 0.0f, 1.0f, 2000.0f);        // far, shade 2000 x h
    AddTriangle(mesh, 0.5f, 0.8f, 3000.0f);        // nearer, smaller
    AddTriangle(mesh, 1.0f, 0.5f, 4000.0f, true);  // nearest, but facing away
    IntroAssets assets = PlainAssets(std::move(mesh));
    IntroRenderer renderer(assets);
    renderer.ClearBuffers();
    renderer.DrawMesh(1536, 0, 0);
    EXPECT_EQ(renderer.FacesDrawn(), 2);
    // The centre of the band shows the nearer triangle; a point only the far
    // one covers shows the far one.
    const std::uint8_t centre = BandShade(renderer, 190, 65);
    const std::uint8_t farOnly = BandShade(renderer, 190, 85);
    EXPECT_NE(centre, 0);
    EXPECT_NE(farOnly, 0);
    EXPECT_NE(centre, farOnly);
    // Drawing the faces in the other order gives the same picture.
    IntroMesh reversed;
    AddTriangle(reversed, 0.5f, 0.8f, 3000.0f);
    AddTriangle(reversed, 0.0f, 1.0f, 2000.0f);
    IntroAssets assets2 = PlainAssets(std::move(reversed));
    IntroRenderer renderer2(assets2);
    renderer2.ClearBuffers();
    renderer2.DrawMesh(1536, 0, 0);
    EXPECT_TRUE(std::equal(renderer.ShadeMap().begin(), renderer.ShadeMap().end(),
                           renderer2.ShadeMap().begin()));
}

TEST(IntroRenderer, HugeFacesAreClippedToTheBand) {
    IntroMesh mesh;
    AddTriangle(mesh, 0.0f, 200.0f, 0.1f);  // covers the whole band and far beyond
    IntroAssets assets = PlainAssets(std::move(mesh));
    IntroRenderer renderer(assets);
    renderer.ClearBuffers();
    renderer.DrawMesh(1536, 0, 0);
    const auto shades = renderer.ShadeMap();
    ASSERT_NE(shades[0], 0);
    EXPECT_EQ(std::count(shades.begin(), shades.end(), shades[0]),
              static_cast<long>(shades.size()));
}

TEST(IntroRenderer, FacesAtTheEyeOrWithoutAreaDrawNothingWrong) {
    IntroMesh mesh;
    AddTriangle(mesh, 6.9999f, 3.0f, 1.0f);  // almost at the eye: enormous on screen
    AddTriangle(mesh, 7.0f, 1.0f, 1.0f);     // at the eye: divides by zero
    AddTriangle(mesh, 9.0f, 1.0f, 1.0f);     // behind the eye
    AddTriangle(mesh, 0.0f, 0.0f, 0.0f);     // no area
    IntroAssets assets = PlainAssets(std::move(mesh));
    IntroRenderer renderer(assets);
    for (int gamma = 0; gamma < FloatTurn; gamma += 64) {
        EXPECT_TRUE(renderer.Render(IntroView{0, 0, 1 << 24, 0, 0, 1536, 0, gamma}));
    }
    EXPECT_LE(renderer.FacesDrawn(), 3);
}

TEST(IntroRenderer, FrontLayerCastsItsShadowTwoRowsDownAndTwoColumnsRight) {
    std::vector<std::uint8_t> front(FrameWidth * FrameHeight, 255);
    front[10 * FrameWidth + 100] = 0;  // darkest ink: weight 1 kept of below
    front[1 * FrameWidth + 50] = 0;    // rows 0 to 2 never reach the frame
    IntroAssets assets = PlainAssets({}, 0x00808080, front);
    IntroRenderer renderer(assets);
    renderer.DrawBackground(0, 1 << 24, 0, 0);
    renderer.ComposeFront();
    const auto pixel = [&](int column, int row) {
        return renderer.Frame()[static_cast<std::size_t>(row * FrameWidth + column)];
    };
    const IntroTables& t = Tables();
    const std::uint32_t ink =
        static_cast<std::uint32_t>(t.Blend(0x80, 1) + t.Blend(0xFD, 254)) << 16 |
        static_cast<std::uint32_t>(t.Blend(0x80, 1) + t.Blend(0xE5, 254)) << 8 |
        static_cast<std::uint32_t>(t.Blend(0x80, 1) + t.Blend(0xD1, 254));
    EXPECT_EQ(pixel(100, 10), ink);
    EXPECT_EQ(pixel(102, 8), 0x00414141u);  // 0x80 - 254 / 4
    EXPECT_EQ(pixel(101, 8), 0x00808080u);
    EXPECT_EQ(pixel(50, 1), 0x00808080u);
}
