// The pictures of the save and load screens: a title drawn in strokes, a panel at the top where
// the engine writes the hovered slot's first page rows, and 32 numbered slot plates in two
// columns where it writes the captions and pulses the hovered plate. The engine adds the picture
// to the game's frame darkened to 30/256, so dark colours let the game show through.

#include <algorithm>
#include <cmath>
#include <vector>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

// A line of the given width with round ends.
Shape Stroke(Point a, Point b, double width) {
    double r = width / 2;
    return {std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r,
            std::max(a.y, b.y) + r, [=](double x, double y) {
                double dx = b.x - a.x, dy = b.y - a.y;
                double len2 = dx * dx + dy * dy;
                double t =
                    len2 > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
                double px = a.x + t * dx - x, py = a.y + t * dy - y;
                return px * px + py * py <= r * r;
            }};
}

using Strokes = std::vector<std::vector<Point>>;

// Capital letters on a 4 x 6 grid, as polylines.
Strokes Letter(char c) {
    switch (c) {
        case 'S':
            return {{{4, 0}, {0, 0}, {0, 3}, {4, 3}, {4, 6}, {0, 6}}};
        case 'A':
            return {{{0, 6}, {2, 0}, {4, 6}}, {{1, 3.6}, {3, 3.6}}};
        case 'V':
            return {{{0, 0}, {2, 6}, {4, 0}}};
        case 'E':
            return {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}};
        case 'L':
            return {{{0, 0}, {0, 6}, {4, 6}}};
        case 'O':
            return {{{0, 0}, {4, 0}, {4, 6}, {0, 6}, {0, 0}}};
        case 'D':
            return {{{0, 0}, {0, 6}, {2.5, 6}, {4, 4.5}, {4, 1.5}, {2.5, 0}, {0, 0}}};
        default:
            return {};
    }
}

// Digits as seven segments on a 2 x 4 grid (a b c d e f g, the usual order).
Strokes Digit(int d) {
    static const char* kSegments[10] = {"abcdef", "bc",     "abged", "abgcd",   "fgbc",
                                        "afgcd",  "afgedc", "abc",   "abcdefg", "abcdfg"};
    const Point a0{0, 0}, a1{2, 0}, m0{0, 2}, m1{2, 2}, d0{0, 4}, d1{2, 4};
    Strokes out;
    for (const char* s = kSegments[d]; *s; ++s) {
        switch (*s) {
            case 'a':
                out.push_back({a0, a1});
                break;
            case 'b':
                out.push_back({a1, m1});
                break;
            case 'c':
                out.push_back({m1, d1});
                break;
            case 'd':
                out.push_back({d0, d1});
                break;
            case 'e':
                out.push_back({m0, d0});
                break;
            case 'f':
                out.push_back({a0, m0});
                break;
            case 'g':
                out.push_back({m0, m1});
                break;
        }
    }
    return out;
}

void Draw(Canvas& c, const Strokes& strokes, double x, double y, double unit, double width,
          Rgb colour) {
    for (const auto& line : strokes) {
        for (size_t i = 1; i < line.size(); ++i) {
            Point a{x + line[i - 1].x * unit, y + line[i - 1].y * unit};
            Point b{x + line[i].x * unit, y + line[i].y * unit};
            c.Paint(Stroke(a, b, width), colour);
        }
    }
}

struct Theme {
    Rgb Top, Bottom, Plate, Edge, Badge, Title;
};

// One plate: the badge with the slot's number where the strip's first 16 pixels pulse, then the
// caption's place from x + 24 on.
void SlotPlate(Canvas& c, const Theme& k, int slot, double left, double top) {
    c.Paint(RoundedBox(left, top, 344, 24, 5), k.Edge);
    c.Paint(RoundedBox(left + 1, top + 1, 342, 22, 4), k.Plate);
    c.Paint(RoundedBox(left + 1, top + 3, 15, 18, 3), k.Badge);
    Draw(c, Digit(slot / 10), left + 3, top + 7, 2.5, 1.3, k.Title);
    Draw(c, Digit(slot % 10), left + 10, top + 7, 2.5, 1.3, k.Title);
}

Surface ScreenPicture(const Theme& k, const char* title) {
    Canvas c(800, 600);
    c.VerticalGradient(0, 600, k.Top, k.Bottom);
    // The panel for the preview rows at (130, 24 + 12 i).
    c.Paint(RoundedBox(122, 16, 500, 66, 8), k.Edge, 0.6);
    c.Paint(RoundedBox(124, 18, 496, 62, 7), k.Plate);
    double x = 640;
    for (const char* p = title; *p; ++p, x += 36)
        Draw(c, Letter(*p), x, 26, 6.5, 5, k.Title);
    c.Paint(Box(40, 88, 720, 1.5), k.Edge, 0.8);
    for (int n = 1; n <= 32; ++n) {
        bool left = n <= 16;
        int row = (n - 1) % 16;
        SlotPlate(c, k, n, left ? 46 : 414, 97 + 30 * row);
    }
    return c.Colours();
}

}  // namespace

Surface SaveScreenPicture(bool load) {
    // Darker than they look on their own: the game's frame adds a little of itself.
    const Theme save{{14, 20, 52},   {6, 8, 26},   {22, 32, 70},
                     {90, 110, 170}, {60, 46, 20}, {240, 210, 120}};
    const Theme loading{{10, 40, 40},   {4, 16, 18},  {16, 52, 54},
                        {80, 160, 150}, {20, 60, 50}, {170, 240, 220}};
    return load ? ScreenPicture(loading, "LOAD") : ScreenPicture(save, "SAVE");
}

}  // namespace vespin::demo
