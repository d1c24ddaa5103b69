// The intro's software renderer: builds a 380 x 260 frame (32-bit pixels
// 0x00RRGGBB, rows bottom-up) from the intro's assets and a set of motion
// values: rotozoomed background, flat-shaded z-buffered mesh tinted toward
// the ink colour, front layer with drop shadow and the scroller. Plain C++ on
// buffers, no widgets; all buffers are sized once, nothing is allocated per
// frame.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "IntroAssets.h"
#include "IntroMotion.h"

namespace reversi::intro {

inline constexpr int BandHeight = 130;   // rows of the mesh band
inline constexpr int BandFirstRow = 95;  // frame row of band row 0
inline constexpr int ScrollerRow = 5;    // front row of the scroller's bottom

class IntroRenderer {
public:
    explicit IntroRenderer(const IntroAssets& assets);

    // Renders a frame from `view` unless the last frame was rendered from the
    // same values; the first call always renders. Returns whether it did.
    bool Render(const IntroView& view);

    bool HasFrame() const { return hasFrame_; }
    std::span<const std::uint32_t> Frame() const { return frame_; }
    std::span<const std::uint8_t> FrontLayer() const { return front_; }
    std::span<const std::uint8_t> ShadeMap() const { return shade_; }
    // Faces drawn (facing the viewer, with area) in the last frame.
    int FacesDrawn() const { return facesDrawn_; }

    // The steps of a frame, in the order Render runs them.
    void DrawScroller(int scrlPos);
    void FadeScrollEdges();
    void ClearBuffers();
    void DrawMesh(int alfa, int beta, int gamma);
    void DrawBackground(int rot, int dist, int x, int y);
    void ComposeMesh();
    void ComposeFront();

private:
    struct Projected {
        float x = 0, y = 0, z = 0;  // projected x and y, depth
    };
    struct Point {
        float sx = 0, sy = 0, z = 0;  // band coordinates and depth
    };
    void FillFace(Point a, Point b, Point c, std::uint8_t shade);
    void FillRows(int y0, int y1, float& leftX, float& leftZ, float& rightX, float stepLeft,
                  float stepLeftZ, float stepRight, float dzdx, std::uint8_t shade);

    const IntroAssets& assets_;
    std::vector<std::uint32_t> frame_;
    std::vector<float> zbuffer_;
    std::vector<std::uint8_t> shade_;
    std::vector<std::uint8_t> front_;  // the front layer; the scroller draws into it
    std::vector<Projected> projected_;
    IntroView last_{};
    bool hasFrame_ = false;
    int facesDrawn_ = 0;
};

// A 64-bit FNV-1a hash of a frame, for regression checks.
std::uint64_t FrameChecksum(std::span<const std::uint32_t> frame);

}  // namespace reversi::intro
