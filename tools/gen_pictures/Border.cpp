#include "Border.h"

#include "Layout.h"
#include "Noise.h"
#include "Shading.h"

#include <cmath>

namespace {

// What the cross-section of the frame looks like at distance d (0 at the
// outer edge, 20 at the field): the slope of the surface (rising toward the
// field when positive) and the material there.
enum class Material { Wood, Gold, Steel, Dark };
struct Profile {
    double slope;
    Material material;
};

Profile woodProfile(double d) {
    if (d < 1.5) return {2.2, Material::Wood};
    if (d < 8.0) return {1.1 * (8.0 - d) / 6.5, Material::Wood};
    if (d < 12.5) return {-0.05, Material::Wood};
    if (d < 15.5) return {1.4 - 2.8 * (d - 12.5) / 3.0, Material::Gold};
    if (d < 18.0) return {0.0, Material::Wood};
    if (d < 19.2) return {-1.6, Material::Wood};
    return {-1.6, Material::Dark};
}

Profile steelProfile(double d) {
    if (d < 3.0) return {1.3, Material::Steel};
    if (d < 13.5) return {0.0, Material::Steel};
    if (d < 14.8) return {-1.6, Material::Steel};
    if (d < 16.1) return {1.6, Material::Steel};
    if (d < 17.0) return {0.0, Material::Steel};
    if (d < 19.2) return {-1.1, Material::Steel};
    return {-1.1, Material::Dark};
}

Rgb shadeSurface(Material m, Vec n, Rgb base) {
    const double diffuse = std::max(0.0, dot(n, kLight));
    const double nh = std::max(0.0, dot(n, kHalf));
    switch (m) {
        case Material::Wood:
            return screen(base * (0.32 + 0.78 * diffuse), Rgb{255, 236, 215},
                          0.30 * std::pow(nh, 24.0) + 0.25 * std::pow(nh, 160.0));
        case Material::Gold:
            return screen(Rgb{206, 160, 70} * (0.25 + 0.85 * diffuse), Rgb{255, 250, 220},
                          0.75 * std::pow(nh, 50.0));
        case Material::Steel:
            return screen(base * (0.35 + 0.75 * diffuse), Rgb{235, 245, 255},
                          0.30 * std::pow(nh, 18.0) + 0.5 * std::pow(nh, 120.0));
        case Material::Dark:
            return base * 0.35;
    }
    return base;
}

// One frame sample at (x, y) of a square frame `total` pixels wide.
Rgb frameSample(int style, double x, double y, int total) {
    const double left = x, right = total - x, top = y, bottom = total - y;
    // Which side the point belongs to: the nearest outer edge (mitred corners).
    double d = left;
    Vec inward{1, 0, 0};
    double along = y;
    int side = 0;
    if (right < d) {
        d = right;
        inward = {-1, 0, 0};
        along = y;
        side = 1;
    }
    if (top < d) {
        d = top;
        inward = {0, 1, 0};
        along = x;
        side = 2;
    }
    if (bottom < d) {
        d = bottom;
        inward = {0, -1, 0};
        along = x;
        side = 3;
    }

    if (style == 1) {
        // Rivets in the four corners.
        const double cx = x < total / 2.0 ? kBorder / 2.0 : total - kBorder / 2.0;
        const double cy = y < total / 2.0 ? kBorder / 2.0 : total - kBorder / 2.0;
        const double rx = x - cx, ry = y - cy, r = std::sqrt(rx * rx + ry * ry);
        constexpr double rivet = 4.2;
        if (r < rivet) {
            const double h = std::sqrt(std::max(0.0, 1.0 - (r / rivet) * (r / rivet)));
            const Vec n = normalise({rx / rivet, ry / rivet, h + 0.25});
            return shadeSurface(Material::Steel, n, Rgb{150, 156, 166});
        }
        if (r < rivet + 1.2) return Rgb{52, 56, 64};
    }

    const Profile p = style == 0 ? woodProfile(d) : steelProfile(d);
    const Vec n = normalise({-p.slope * inward.x, -p.slope * inward.y, 1.0});
    Rgb base;
    if (style == 0) {
        // Walnut with its grain running along each side.
        const std::uint32_t seed = 41u + std::uint32_t(side) * 13u;
        const double warp = fractalNoise(along * 0.012, d * 0.05, seed, 3);
        const double grain = 0.5 + 0.5 * std::sin((d + 9.0 * warp) * 1.1);
        const double tone = 1.0 + 0.10 * (grain - 0.5) + 0.08 * (warp - 0.5);
        base = Rgb{54, 25, 15} * tone;
    } else {
        // Blue-grey metal with a slow sheen along each side.
        const double sheen = 0.5 + 0.5 * std::sin(along * 0.011 + side * 1.7);
        base = Rgb{104, 116, 134} * (0.94 + 0.12 * sheen);
    }
    Rgb c = shadeSurface(p.material, n, base);
    // A fine seam where the mitred pieces meet.
    if (std::abs(std::abs(x - total / 2.0) - std::abs(y - total / 2.0)) < 0.5 && d < kBorder - 0.8)
        c = c * (style == 0 ? 0.6 : 0.75);
    return c;
}

}  // namespace

Image borderFrame(int style, int fieldPixels) {
    const int total = fieldPixels + 2 * kBorder;
    constexpr int sub = 3;
    Image frame(total, total);
    for (int y = 0; y < total; ++y)
        for (int x = 0; x < total; ++x) {
            if (x >= kBorder && x < total - kBorder && y >= kBorder && y < total - kBorder)
                continue;
            Rgb sum{};
            for (int j = 0; j < sub; ++j)
                for (int i = 0; i < sub; ++i)
                    sum = sum + frameSample(style, x + (i + 0.5) / sub, y + (j + 0.5) / sub, total);
            frame.at(x, y) = sum * (1.0 / (sub * sub));
        }
    return frame;
}

BorderStrips borderStrips(int style) {
    const Image small = borderFrame(style, 8 * kCell);        // 528 x 528
    const Image large = borderFrame(style, 10 * kSmallCell);  // 530 x 530
    const int s = small.width(), l = large.width();
    BorderStrips out{Image(kHorzStripLength, kStripPictureDepth),
                     Image(kStripPictureDepth, kVertStripLength)};
    // Strips of the 8 x 8 field are 2 pixels shorter; their unused ends repeat
    // the last pixel (crop clamps) so that nothing odd sits in the files.
    out.horizontal.paste(small.crop(0, 0, kHorzStripLength, kBorder), 0, 0);
    out.horizontal.paste(small.crop(0, s - kBorder, kHorzStripLength, kBorder), 0, kBorder);
    out.horizontal.paste(large.crop(0, 0, kHorzStripLength, kBorder), 0, 2 * kBorder);
    out.horizontal.paste(large.crop(0, l - kBorder, kHorzStripLength, kBorder), 0, 3 * kBorder);
    out.vertical.paste(small.crop(0, kBorder, kBorder, kVertStripLength), 0, 0);
    out.vertical.paste(small.crop(s - kBorder, kBorder, kBorder, kVertStripLength), kBorder, 0);
    out.vertical.paste(large.crop(0, kBorder, kBorder, kVertStripLength), 2 * kBorder, 0);
    out.vertical.paste(large.crop(l - kBorder, kBorder, kBorder, kVertStripLength), 3 * kBorder, 0);
    return out;
}
