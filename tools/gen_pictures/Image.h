// A floating-point RGB picture (0..255 per channel, rows top-down) and the
// small colour helpers the painters share.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

struct Rgb {
    double r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r / 255.0, a.g * b.g / 255.0, a.b * b.b / 255.0};
}
inline Rgb mix(Rgb a, Rgb b, double t) { return a + (b - a) * t; }

inline double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
inline double smoothstep(double e0, double e1, double v) {
    const double t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// "Screen" blend of a light colour over c with opacity a: brightens without clipping.
inline Rgb screen(Rgb c, Rgb light, double a) {
    auto one = [a](double d, double s) { return d + (255.0 - d) * (s / 255.0) * a; };
    return {one(c.r, light.r), one(c.g, light.g), one(c.b, light.b)};
}

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = {})
        : w_(width), h_(height), px_(std::size_t(width) * height, fill) {}

    int width() const { return w_; }
    int height() const { return h_; }
    Rgb& at(int x, int y) { return px_[std::size_t(y) * w_ + x]; }
    const Rgb& at(int x, int y) const { return px_[std::size_t(y) * w_ + x]; }

    // Copies src into this picture with its top-left corner at (dx, dy), clipped.
    void paste(const Image& src, int dx, int dy) {
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                if (dx + x >= 0 && dx + x < w_ && dy + y >= 0 && dy + y < h_)
                    at(dx + x, dy + y) = src.at(x, y);
    }

    Image crop(int x0, int y0, int width, int height) const {
        Image out(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.at(x, y) = at(std::clamp(x0 + x, 0, w_ - 1), std::clamp(y0 + y, 0, h_ - 1));
        return out;
    }

private:
    int w_ = 0, h_ = 0;
    std::vector<Rgb> px_;
};
