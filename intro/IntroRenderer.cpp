// The frame steps of the intro renderer.
#include "IntroRenderer.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "IntroTables.h"
#include "IntroText.h"

namespace reversi::intro {

namespace {

constexpr int InkBlue = 0xD1, InkGreen = 0xE5, InkRed = 0xFD;
// Coordinates beyond this are treated as off the band entirely.
constexpr float Far = 1.0e6f;

// The integer part, for values already known to lie within +-Far or clamped
// there, so the conversion is always defined.
int Trunc(float v) {
    if (!(v > -Far)) return -static_cast<int>(Far);
    if (!(v < Far)) return static_cast<int>(Far);
    return static_cast<int>(v);
}

std::uint32_t Tint(std::uint32_t p, int keep, const IntroTables& t) {
    // Each channel keeps `keep`/256 of itself and takes (255 - keep)/256 of
    // the ink; the fourth byte stays.
    const int b = t.Blend(static_cast<int>(p & 0xFF), keep) + t.Blend(InkBlue, 255 - keep);
    const int g = t.Blend(static_cast<int>((p >> 8) & 0xFF), keep) + t.Blend(InkGreen, 255 - keep);
    const int r = t.Blend(static_cast<int>((p >> 16) & 0xFF), keep) + t.Blend(InkRed, 255 - keep);
    return (p & 0xFF000000u) | static_cast<std::uint32_t>(r) << 16 |
           static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

}  // namespace

IntroRenderer::IntroRenderer(const IntroAssets& assets)
    : assets_(assets),
      frame_(static_cast<std::size_t>(FrameWidth * FrameHeight)),
      zbuffer_(static_cast<std::size_t>(FrameWidth * BandHeight)),
      shade_(static_cast<std::size_t>(FrameWidth * BandHeight)),
      front_(assets.Front().begin(), assets.Front().end()),
      projected_(assets.Mesh().vertices.size()) {
    Tables();  // built before the first frame, not during it
}

bool IntroRenderer::Render(const IntroView& view) {
    if (hasFrame_ && view == last_) return false;
    last_ = view;
    hasFrame_ = true;
    DrawScroller(view.scrlPos);
    FadeScrollEdges();
    ClearBuffers();
    DrawMesh(view.alfa, view.beta, view.gamma);
    DrawBackground(view.rot, view.dist, view.x, view.y);
    ComposeMesh();
    ComposeFront();
    return true;
}

void IntroRenderer::DrawScroller(int scrlPos) {
    // Computed wide: any position, however far off, draws nothing harmful.
    const long long x = std::clamp<long long>(static_cast<long long>(FrameWidth) - scrlPos,
                                              -1000000000LL, 1000000000LL);
    DrawIntroText(front_, assets_.Font(), assets_.Glyphs(), static_cast<int>(x), ScrollerRow,
                  assets_.ScrollText());
}

void IntroRenderer::FadeScrollEdges() {
    const auto fade = [this](int row, int column, int add) {
        std::uint8_t& f = front_[static_cast<std::size_t>(row * FrameWidth + column)];
        f = (f == 0 || f + add >= 256) ? 0 : static_cast<std::uint8_t>(f + add);
    };
    for (int row = 3; row <= 27; ++row) {
        for (int k = 0; k < 16; ++k) {
            fade(row, k, 255 - 15 * k);
            fade(row, FrameWidth - 16 + k, 15 * k);
        }
    }
}

void IntroRenderer::ClearBuffers() {
    std::fill(shade_.begin(), shade_.end(), 0);
    // All bits set: a NaN, which compares as neither nearer nor farther.
    std::fill(zbuffer_.begin(), zbuffer_.end(), std::bit_cast<float>(0xFFFFFFFFu));
}

void IntroRenderer::DrawMesh(int alfa, int beta, int gamma) {
    const IntroTables& t = Tables();
    const auto angle = [](int a) { return static_cast<std::size_t>(a & (FloatTurn - 1)); };
    const float ca = t.cos[angle(alfa)], sa = t.sin[angle(alfa)];
    const float cb = t.cos[angle(beta)], sb = t.sin[angle(beta)];
    const float cg = t.cos[angle(gamma)], sg = t.sin[angle(gamma)];
    const IntroMesh& mesh = assets_.Mesh();
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        const MeshVertex& v = mesh.vertices[i];
        const float t1 = cb * v.x - sb * v.z;
        const float t2 = sb * v.x + cb * v.z;
        const float X = cg * t1 + sg * v.y;
        const float t3 = cg * v.y - sg * t1;
        const float depth = ca * t2 - sa * t3 - 7;
        projected_[i] = {X / depth, (sa * t2 + ca * t3) / depth, depth};
    }
    facesDrawn_ = 0;
    for (const MeshFace& face : mesh.faces) {
        const Projected& a = projected_[face.a];
        const Projected& b = projected_[face.b];
        const Projected& c = projected_[face.c];
        const float h = (c.x - a.x) * (b.y - a.y) - (b.x - a.x) * (c.y - a.y);
        if (!(h > 0)) continue;  // faces away (or not a number)
        const float product = h * face.normalizer;
        const std::uint8_t shade =
            static_cast<std::uint8_t>(static_cast<unsigned>(Trunc(product)) & 0xFF);
        const auto onBand = [](const Projected& p) {
            return Point{p.x * 300 + 190 + 0.5f, p.y * 300 + 65 + 0.5f, p.z};
        };
        FillFace(onBand(a), onBand(b), onBand(c), shade);
    }
}

void IntroRenderer::FillFace(Point a, Point b, Point c, std::uint8_t shade) {
    for (const Point& p : {a, b, c}) {
        if (!(std::abs(p.sx) < Far && std::abs(p.sy) < Far && std::isfinite(p.z))) return;
    }
    if (a.sy > b.sy) std::swap(a, b);
    if (a.sy > c.sy) std::swap(a, c);
    if (b.sy > c.sy) std::swap(b, c);
    const int iA = Trunc(a.sy), iB = Trunc(b.sy), iC = Trunc(c.sy);
    if (iA == iB && iB == iC) return;
    const float d = (c.sx - a.sx) * (b.sy - a.sy) - (b.sx - a.sx) * (c.sy - a.sy);
    if (d == 0) return;
    const float dzdx = ((c.z - a.z) * (b.sy - a.sy) - (b.z - a.z) * (c.sy - a.sy)) / d;
    const float dzdy = ((b.z - a.z) * (c.sx - a.sx) - (c.z - a.z) * (b.sx - a.sx)) / d;
    const float sAB = b.sy > a.sy ? (b.sx - a.sx) / (b.sy - a.sy) : 1;
    const float sAC = c.sy > a.sy ? (c.sx - a.sx) / (c.sy - a.sy) : 1;
    const float sBC = c.sy > b.sy ? (c.sx - b.sx) / (c.sy - b.sy) : 1;
    bool longRight = sAC > sAB;
    if (a.sy == b.sy) longRight = a.sx > b.sx;
    if (b.sy == c.sy) longRight = c.sx > b.sx;
    const float fA = 1 - (a.sy - static_cast<float>(iA));
    const float fB = 1 - (b.sy - static_cast<float>(iB));
    ++facesDrawn_;
    if (longRight) {
        float rightX = a.sx + fA * sAC;
        if (iA < iB) {
            float leftX = a.sx + fA * sAB;
            float leftZ = a.z + fA * (sAB * dzdx + dzdy);
            FillRows(iA, iB, leftX, leftZ, rightX, sAB, sAB * dzdx + dzdy, sAC, dzdx, shade);
        }
        if (iB < iC) {
            float leftX = b.sx + fB * sBC;
            float leftZ = b.z + fB * (sBC * dzdx + dzdy);
            FillRows(iB, iC, leftX, leftZ, rightX, sBC, sBC * dzdx + dzdy, sAC, dzdx, shade);
        }
    } else {
        float leftX = a.sx + fA * sAC;
        float leftZ = a.z + fA * (sAC * dzdx + dzdy);
        if (iA < iB) {
            float rightX = a.sx + fA * sAB;
            FillRows(iA, iB, leftX, leftZ, rightX, sAC, sAC * dzdx + dzdy, sAB, dzdx, shade);
        }
        if (iB < iC) {
            float rightX = b.sx + fB * sBC;
            FillRows(iB, iC, leftX, leftZ, rightX, sAC, sAC * dzdx + dzdy, sBC, dzdx, shade);
        }
    }
}

void IntroRenderer::FillRows(int y0, int y1, float& leftX, float& leftZ, float& rightX,
                             float stepLeft, float stepLeftZ, float stepRight, float dzdx,
                             std::uint8_t shade) {
    // Band row 130 - y must lie in 0..129: rows outside are stepped over
    // without drawing, so the edges still arrive where the next half needs them.
    int advanced = 0;
    const auto advance = [&](int rows) {
        const auto n = static_cast<float>(rows);
        leftX += stepLeft * n;
        leftZ += stepLeftZ * n;
        rightX += stepRight * n;
        advanced += rows;
    };
    const int first = std::max(y0, 1);
    const int last = std::min(y1, BandHeight + 1);
    if (first > y0) advance(std::min(first, y1) - y0);
    for (int y = first; y < last; ++y) {
        const int ix = Trunc(leftX);
        float z = leftZ + (1 - (leftX - static_cast<float>(ix))) * dzdx;
        const int end = std::min(Trunc(rightX), FrameWidth);
        int column = ix;
        if (column < 0) {
            z += dzdx * static_cast<float>(-column);
            column = 0;
        }
        const std::size_t rowStart = static_cast<std::size_t>((BandHeight - y) * FrameWidth);
        for (; column < end; ++column) {
            float& stored = zbuffer_[rowStart + static_cast<std::size_t>(column)];
            if (!(stored >= z)) {
                stored = z;
                shade_[rowStart + static_cast<std::size_t>(column)] = shade;
            }
            z += dzdx;
        }
        leftX += stepLeft;
        leftZ += stepLeftZ;
        rightX += stepRight;
        ++advanced;
    }
    if (advanced < y1 - y0) advance(y1 - y0 - advanced);
}

void IntroRenderer::DrawBackground(int rot, int dist, int x, int y) {
    const IntroTables& t = Tables();
    const auto r = static_cast<std::size_t>(rot & (FixedTurn - 1));
    const auto r2 = (r + FixedTurn / 4) & (FixedTurn - 1);
    const auto dudx = static_cast<std::uint32_t>(FixedMul16(t.fixedCos[r], dist));
    const auto dvdx = static_cast<std::uint32_t>(FixedMul16(t.fixedSin[r], dist));
    const auto dudy = static_cast<std::uint32_t>(FixedMul16(t.fixedCos[r2], dist));
    const auto dvdy = static_cast<std::uint32_t>(FixedMul16(t.fixedSin[r2], dist));
    // Unsigned arithmetic: the offsets wrap at 32 bits by design.
    std::uint32_t uRow = static_cast<std::uint32_t>(x) - 190u * dudx - 130u * dudy;
    std::uint32_t vRow = static_cast<std::uint32_t>(y) - 190u * dvdx - 130u * dvdy;
    const std::uint8_t* texture = assets_.Texture().data();
    std::uint32_t* out = frame_.data();
    for (int row = 0; row < FrameHeight; ++row) {
        std::uint32_t u = uRow, v = vRow;
        for (int column = 0; column < FrameWidth; ++column) {
            u += dudx;
            v += dvdx;
            *out++ = assets_.Colour(texture[(u >> 24) * 256 + (v >> 24)]);
        }
        uRow += dudy;
        vRow += dvdy;
    }
}

void IntroRenderer::ComposeMesh() {
    const IntroTables& t = Tables();
    std::uint32_t* band = frame_.data() + static_cast<std::size_t>(BandFirstRow * FrameWidth);
    for (std::size_t i = 0; i < shade_.size(); ++i) {
        const int s = shade_[i];
        if (s == 0) continue;
        band[i] = Tint(band[i], 255 - s, t);
    }
}

void IntroRenderer::ComposeFront() {
    const IntroTables& t = Tables();
    constexpr int ShadowOffset = 2 * FrameWidth - 2;  // 2 rows down on screen, 2 columns right
    for (int i = FrameWidth * FrameHeight - 1; i >= 3 * FrameWidth; --i) {
        const int f = front_[static_cast<std::size_t>(i)];
        if (f == 0) continue;
        std::uint32_t& shadow = frame_[static_cast<std::size_t>(i - ShadowOffset)];
        const int loss = (255 - f) / 4;
        const auto darker = [loss](std::uint32_t p, int shift) {
            return static_cast<std::uint32_t>(
                       std::max(0, static_cast<int>((p >> shift) & 0xFF) - loss))
                   << shift;
        };
        shadow =
            (shadow & 0xFF000000u) | darker(shadow, 16) | darker(shadow, 8) | darker(shadow, 0);
        std::uint32_t& p = frame_[static_cast<std::size_t>(i)];
        p = Tint(p, f, t);
    }
}

std::uint64_t FrameChecksum(std::span<const std::uint32_t> frame) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::uint32_t p : frame) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (p >> (8 * i)) & 0xFF;
            hash *= 0x100000001b3ull;
        }
    }
    return hash;
}

}  // namespace reversi::intro
