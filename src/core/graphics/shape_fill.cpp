#include "core/graphics/shape_fill.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace vespin {

namespace {

void FillSpan(Surface& target, int y, int x0, int x1, uint8_t grey) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, target.Width());
    if (x1 > x0) std::memset(target.Row(y) + x0 * 3, grey, static_cast<size_t>(x1 - x0) * 3);
}

}  // namespace

int DiscHalfWidth(int r, int cy, int y) {
    // In half-pixel units the pixel centre of column cx - h lies 2h - 1 from the centre, and
    // that of row y lies 2y + 1 - 2cy from it; inside means a squared distance below (2r)^2.
    if (r <= 0) return 0;
    const int64_t dy = 2 * static_cast<int64_t>(y) + 1 - 2 * static_cast<int64_t>(cy);
    const int64_t room = 4 * static_cast<int64_t>(r) * r - dy * dy;
    if (room <= 1) return 0;
    auto inside = [room](int64_t h) { return (2 * h - 1) * (2 * h - 1) < room; };
    auto h = static_cast<int64_t>((std::sqrt(static_cast<double>(room)) + 1) / 2);
    while (h > 0 && !inside(h))
        --h;
    while (inside(h + 1))
        ++h;
    return static_cast<int>(h);
}

void FillDisc(Surface& target, int cx, int cy, int r, uint8_t grey) {
    const int top = std::max(cy - r, 0);
    const int bottom = std::min(cy + r, target.Height());
    for (int y = top; y < bottom; ++y) {
        const int h = DiscHalfWidth(r, cy, y);
        if (h > 0) FillSpan(target, y, cx - h, cx + h, grey);
    }
}

void FillPolygon(Surface& target, std::span<const Point> points, uint8_t grey) {
    if (points.size() < 3) return;
    int min_y = points[0].y;
    int max_y = points[0].y;
    for (const Point& p : points) {
        min_y = std::min(min_y, p.y);
        max_y = std::max(max_y, p.y);
    }
    const int top = std::max(min_y, 0);
    const int bottom = std::min(max_y, target.Height());
    std::vector<double> crossings;
    crossings.reserve(points.size());
    for (int y = top; y < bottom; ++y) {
        // Sample at the row's pixel centres; an edge counts from its upper end up to, not
        // including, its lower end, so a vertex is crossed once.
        const double yc = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            if (a.y == b.y) continue;
            const Point& upper = a.y < b.y ? a : b;
            const Point& lower = a.y < b.y ? b : a;
            if (yc < upper.y || yc >= lower.y) continue;
            crossings.push_back(upper.x + (yc - upper.y) * (lower.x - upper.x) /
                                              static_cast<double>(lower.y - upper.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centre x + 0.5 lies in [left, right).
            const double left = std::clamp(crossings[i], -1.0, target.Width() + 1.0);
            const double right = std::clamp(crossings[i + 1], -1.0, target.Width() + 1.0);
            FillSpan(target, y, static_cast<int>(std::ceil(left - 0.5)),
                     static_cast<int>(std::ceil(right - 0.5)), grey);
        }
    }
}

Point PolarPoint(int cx, int cy, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return Point{static_cast<int>(cx - radius * std::cos(a)),
                 static_cast<int>(cy + radius * std::sin(a))};
}

std::array<Point, 10> StarPoints(int cx, int cy, double outer, double inner, int turn) {
    std::array<Point, 10> star;
    for (int i = 0; i < 10; ++i)
        star[i] = PolarPoint(cx, cy, i % 2 == 0 ? outer : inner, 36.0 * i + turn);
    return star;
}

}  // namespace vespin
