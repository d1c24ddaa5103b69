// Builds the block letters of the intro mesh and writes the raw resource.
#include "IntroMesh.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

struct Vec {
    double x, y, z;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A quad in the letter plane: four corners (x across, z up) in order round it.
struct Quad {
    std::array<std::array<double, 2>, 4> p;
};
Quad Rect(double x0, double z0, double x1, double z1) {
    return {{{{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}}}};
}

struct Part {
    std::vector<Vec> vertices;
    std::vector<std::array<std::uint16_t, 3>> faces;
};

// Units of the letter grid in file coordinates: the word is 30 units wide,
// which the loader scales to 6; this size sets the faces' shading range.
constexpr double Unit = 0.17;
constexpr double HalfDepth = 0.55;  // extrusion along y, in grid units

void AddBox(Part& part, const Quad& q, double left) {
    const auto base = static_cast<std::uint16_t>(part.vertices.size());
    for (double y : {-HalfDepth, HalfDepth}) {
        for (const auto& c : q.p)
            part.vertices.push_back({(left + c[0]) * Unit, y * Unit, c[1] * Unit});
    }
    Vec centre{0, 0, 0};
    for (int i = 0; i < 8; ++i) {
        centre.x += part.vertices[base + i].x / 8;
        centre.y += part.vertices[base + i].y / 8;
        centre.z += part.vertices[base + i].z / 8;
    }
    // Corners 0-3 on the near side (y < 0), 4-7 on the far side.
    const int quads[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4},
                             {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
    for (const auto& f : quads) {
        for (const auto& tri :
             {std::array<int, 3>{f[0], f[1], f[2]}, std::array<int, 3>{f[0], f[2], f[3]}}) {
            std::array<std::uint16_t, 3> face = {static_cast<std::uint16_t>(base + tri[0]),
                                                 static_cast<std::uint16_t>(base + tri[1]),
                                                 static_cast<std::uint16_t>(base + tri[2])};
            const Vec a = part.vertices[face[0]], b = part.vertices[face[1]],
                      c = part.vertices[face[2]];
            const Vec mid{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
            if (Dot(Cross(b - a, c - a), mid - centre) < 0) std::swap(face[1], face[2]);
            part.faces.push_back(face);
        }
    }
}

struct Letter {
    double width;
    std::vector<Quad> strokes;
};

Letter LetterR() {
    return {4,
            {Rect(0, 0, 1, 5), Rect(1, 4, 3, 5), Rect(1, 2, 3, 3), Rect(3, 2.2, 4, 4.8),
             Quad{{{{1.6, 2}, {2.8, 2}, {4, 0}, {2.8, 0}}}}}};
}
Letter LetterE() {
    return {3.5, {Rect(0, 0, 1, 5), Rect(1, 4, 3.5, 5), Rect(1, 2, 3, 3), Rect(1, 0, 3.5, 1)}};
}
Letter LetterV() {
    return {4,
            {Quad{{{{0, 5}, {1.1, 5}, {2.55, 0}, {1.45, 0}}}},
             Quad{{{{2.9, 5}, {4, 5}, {2.55, 0}, {1.45, 0}}}}}};
}
Letter LetterS() {
    return {4,
            {Rect(0, 4, 4, 5), Rect(0, 2.5, 1, 4), Rect(0, 2, 4, 3), Rect(3, 1, 4, 2.5),
             Rect(0, 0, 4, 1)}};
}
Letter LetterI() { return {1, {Rect(0, 0, 1, 5)}}; }

void PutI16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void PutF32(std::vector<std::uint8_t>& out, double v) {
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(v));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> MakeIntroMesh() {
    const Letter word[] = {LetterR(), LetterE(), LetterV(), LetterE(),
                           LetterR(), LetterS(), LetterI()};
    std::vector<Part> parts;
    double left = 0;
    for (const Letter& letter : word) {
        Part part;
        for (const Quad& q : letter.strokes) AddBox(part, q, left);
        parts.push_back(std::move(part));
        left += letter.width + 1;
    }
    int vertices = 0, faces = 0;
    for (const Part& p : parts) {
        vertices += static_cast<int>(p.vertices.size());
        faces += static_cast<int>(p.faces.size());
    }
    std::vector<std::uint8_t> out = {'3', 'D'};
    PutI16(out, 1);
    PutI16(out, static_cast<int>(parts.size()));
    PutI16(out, vertices);
    PutI16(out, faces);
    for (int i = 0; i < 3; ++i) PutF32(out, 0.3);
    for (const Part& p : parts) {
        PutI16(out, static_cast<int>(p.vertices.size()));
        PutI16(out, static_cast<int>(p.faces.size()));
        for (const Vec& v : p.vertices) {
            PutF32(out, v.x);
            PutF32(out, v.y);
            PutF32(out, v.z);
        }
        for (const auto& f : p.faces) {
            for (std::uint16_t i : f) PutI16(out, i);
        }
    }
    return out;
}
