#include "Disc.h"

#include "Layout.h"
#include "Shading.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr double kRadius = 23.5;
constexpr double kThickness = 4.5;
constexpr double kCentre = kCell / 2.0;
constexpr int kSub = 4;  // subsamples per pixel side for smooth edges

struct Span {
    double enter, exit;
};

// Intersects a straight-down view ray through screen point (sx, sy) (relative
// to the disc centre, already divided by the lift scale) with the disc turned
// by `turn`. Returns the local hit point and local normal, and which face.
struct Hit {
    Vec point, normal;
    bool side;  // hit on the edge rather than a face
};

std::optional<Hit> trace(double sx, double sy, double turn) {
    const double c = std::cos(turn), s = std::sin(turn);
    // Ray origin far above, direction (0, 0, -1), both in the disc's frame.
    const Vec o{sx * c - 100.0 * s, sy, sx * s + 100.0 * c};
    const Vec d{s, 0.0, -c};
    if (sy * sy >= kRadius * kRadius) return std::nullopt;
    const double half = kThickness / 2;
    Span slab{-1e9, 1e9};
    if (std::abs(d.z) > 1e-9) {
        double a = (-half - o.z) / d.z, b = (half - o.z) / d.z;
        slab = {std::min(a, b), std::max(a, b)};
    } else if (std::abs(o.z) > half) {
        return std::nullopt;
    }
    const double reach = std::sqrt(kRadius * kRadius - sy * sy);
    Span tube{-1e9, 1e9};
    if (std::abs(d.x) > 1e-9) {
        double a = (-reach - o.x) / d.x, b = (reach - o.x) / d.x;
        tube = {std::min(a, b), std::max(a, b)};
    } else if (std::abs(o.x) > reach) {
        return std::nullopt;
    }
    const double enter = std::max(slab.enter, tube.enter);
    const double exit = std::min(slab.exit, tube.exit);
    if (enter > exit) return std::nullopt;
    const Vec p{o.x + enter * d.x, o.y, o.z + enter * d.z};
    if (slab.enter >= tube.enter) {
        // A face: domed a little all over and rounded off near the rim.
        const double rho = std::sqrt(p.x * p.x + p.y * p.y);
        const double r = rho / kRadius;
        const double bevel = std::max(0.0, (r - 0.8) / 0.2);
        const double slope = 0.46 * r + 2.2 * bevel * bevel;
        const double ux = rho > 1e-9 ? p.x / rho : 0, uy = rho > 1e-9 ? p.y / rho : 0;
        const double up = p.z > 0 ? 1.0 : -1.0;
        return Hit{p, normalise({ux * slope, uy * slope, up}), false};
    }
    return Hit{p, {p.x / kRadius, p.y / kRadius, 0.0}, true};
}

Rgb shade(const Hit& hit, double turn, Rgb front, Rgb back) {
    const double c = std::cos(turn), s = std::sin(turn);
    const Vec n{hit.normal.x * c + hit.normal.z * s, hit.normal.y,
                -hit.normal.x * s + hit.normal.z * c};
    Rgb base = hit.point.z >= 0 ? front : back;
    if (hit.side) base = base * 0.72;
    const double diffuse = std::max(0.0, dot(n, kLight));
    const double nh = std::max(0.0, dot(n, kHalf));
    const double gloss =
        0.10 * std::pow(nh, 6.0) + 0.30 * std::pow(nh, 40.0) + 0.75 * std::pow(nh, 500.0);
    // The lower-right edge falls off into shadow, which rounds the disc.
    const Rgb lit = base * (0.30 + 0.80 * diffuse);
    return screen(lit, Rgb{255, 255, 250}, std::min(1.0, gloss));
}

using Map = std::vector<double>;

// Fraction of each pixel covered by the disc's outline, drawn at `scale`.
Map coverage(double turn, double scale, double dx, double dy) {
    Map m(std::size_t(kCell) * kCell, 0.0);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            int hits = 0;
            for (int j = 0; j < kSub; ++j)
                for (int i = 0; i < kSub; ++i) {
                    const double sx = (x + (i + 0.5) / kSub - kCentre - dx) / scale;
                    const double sy = (y + (j + 0.5) / kSub - kCentre - dy) / scale;
                    if (trace(sx, sy, turn)) ++hits;
                }
            m[std::size_t(y) * kCell + x] = double(hits) / (kSub * kSub);
        }
    return m;
}

Map blur(const Map& src, double sigma) {
    const int reach = int(std::ceil(sigma * 3));
    std::vector<double> kernel(std::size_t(2 * reach + 1));
    double sum = 0;
    for (int k = -reach; k <= reach; ++k)
        sum += kernel[std::size_t(k + reach)] = std::exp(-0.5 * k * k / (sigma * sigma));
    for (double& k : kernel) k /= sum;
    Map tmp(src.size(), 0.0), out(src.size(), 0.0);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            for (int k = -reach; k <= reach; ++k)
                if (x + k >= 0 && x + k < kCell)
                    tmp[std::size_t(y) * kCell + x] +=
                        kernel[std::size_t(k + reach)] * src[std::size_t(y) * kCell + x + k];
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            for (int k = -reach; k <= reach; ++k)
                if (y + k >= 0 && y + k < kCell)
                    out[std::size_t(y) * kCell + x] +=
                        kernel[std::size_t(k + reach)] * tmp[std::size_t(y + k) * kCell + x];
    return out;
}

}  // namespace

void paintDisc(Image& cell, const DiscPose& pose, Rgb front, Rgb back) {
    const double scale = 1.0 + 0.018 * pose.lift;

    // The shadow: the disc's outline on the board, pushed away from the light
    // and softened the higher the disc is.
    const Map footprint = coverage(pose.turn, 1.0, 0.9 + 0.26 * pose.lift, 1.3 + 0.38 * pose.lift);
    const Map shadow = blur(footprint, 1.2 + 0.2 * pose.lift);
    const double strength = 0.62 / (1.0 + 0.06 * pose.lift) * pose.alpha;

    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            // A high disc's shadow would reach past the square; it fades out
            // over the last pixels instead of ending in a hard edge.
            const double edge =
                std::min(std::min(x, y), std::min(kCell - 1 - x, kCell - 1 - y)) + 0.5;
            const double fade = smoothstep(0.0, 4.0, edge);
            Rgb ground =
                cell.at(x, y) * (1.0 - strength * fade * shadow[std::size_t(y) * kCell + x]);
            Rgb sum{};
            int hits = 0;
            for (int j = 0; j < kSub; ++j)
                for (int i = 0; i < kSub; ++i) {
                    const double sx = (x + (i + 0.5) / kSub - kCentre) / scale;
                    const double sy = (y + (j + 0.5) / kSub - kCentre) / scale;
                    if (auto hit = trace(sx, sy, pose.turn)) {
                        sum = sum + shade(*hit, pose.turn, front, back);
                        ++hits;
                    }
                }
            const double cover = double(hits) / (kSub * kSub) * pose.alpha;
            cell.at(x, y) = hits ? mix(ground, sum * (1.0 / hits), cover) : ground;
        }
}
