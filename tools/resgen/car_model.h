#pragma once
// Box-shaped car models built from a handful of faces: sides, a gabled roof,
// ends, an underframe and, for the end car, a cab front (optionally with a
// raked windscreen). Coordinates are whole centimetres (x along the car, cab
// at +x; y across; z up), texture coordinates pixels of the folder's texture
// atlas (car_texture.h).
#include <cstdint>
#include <string>
#include <vector>

namespace tetsuro::resgen {

struct Point {
    int32_t x = 0, y = 0, z = 0;
};

struct Face {
    std::vector<Point> v;                          // file order (quads in strip order 0 1 3 2)
    std::vector<std::pair<int32_t, int32_t>> tc;   // per vertex
    int32_t lighting = -1;                         // lit with one normal per face
};

struct CarShape {
    int32_t halfLength;  // of the body, cm
    int32_t halfWidth;
    int32_t nose;        // how far the windscreen leans back, cm (0: flat front)
};

// Heights shared by every car, cm above the rail.
inline constexpr int32_t kFloor = 100;      // body bottom
inline constexpr int32_t kBelt = 220;       // windscreen bottom at the cab front
inline constexpr int32_t kEave = 350;
inline constexpr int32_t kRidge = 385;
inline constexpr int32_t kUnderTop = 100, kUnderBottom = 40;

// Model 0 (end car, cab at +x) or model 1 (middle car).
std::vector<Face> buildCar(const CarShape& shape, bool cab);

// The three model files: vertex rows in metres, texture rows, lighting kinds.
struct ModelFiles {
    std::string vertex, coordinate, normal;
};
ModelFiles formatModel(const std::vector<Face>& faces);

// Centimetres as metres without trailing zeros ("9.85", "-1.4", "10").
std::string metres(int32_t cm);

}  // namespace tetsuro::resgen
