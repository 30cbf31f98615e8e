#pragma once
// Solid shapes without outline for the weight maps of the shape transitions and the iris: a disc
// and a polygon, filled with one grey level (all three bytes of each pixel alike). A pixel
// belongs to a shape when its centre lies inside it, so shapes that share an edge never overlap
// and a disc about a point between pixels is symmetric.

#include <array>
#include <cstdint>
#include <span>

#include "core/graphics/surface.h"

namespace vespin {

struct Point {
    int x = 0;
    int y = 0;
};

// How far the disc of radius r about the pixel corner (cx, cy) reaches on row y: the pixels
// cx - h .. cx + h - 1 of that row are inside. 0 when the row misses the disc.
int DiscHalfWidth(int r, int cy, int y);

// Fills the disc of radius r about the pixel corner (cx, cy), clipped to the surface.
void FillDisc(Surface& target, int cx, int cy, int r, uint8_t grey);

// Fills a polygon by the even-odd rule, clipped to the surface. The vertices may lie far
// outside it.
void FillPolygon(Surface& target, std::span<const Point> points, uint8_t grey);

// The point at `radius` and `degrees` from (cx, cy), measured from the left and turning
// downward: (cx - radius cos a, cy + radius sin a), truncated toward zero.
Point PolarPoint(int cx, int cy, double radius, double degrees);

// A ten-point star about (cx, cy): point i at (36 i + turn) degrees, at `outer` for even i and
// `inner` for odd i.
std::array<Point, 10> StarPoints(int cx, int cy, double outer, double inner, int turn);

}  // namespace vespin
