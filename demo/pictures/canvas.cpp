#include "demo/pictures/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vespin::demo {

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

Shape Box(double x, double y, double w, double h) {
    return {x, y, x + w, y + h,
            [=](double px, double py) { return px >= x && px < x + w && py >= y && py < y + h; }};
}

Shape RoundedBox(double x, double y, double w, double h, double radius) {
    return {x, y, x + w, y + h, [=](double px, double py) {
                if (px < x || px >= x + w || py < y || py >= y + h) return false;
                double dx = std::max({x + radius - px, px - (x + w - radius), 0.0});
                double dy = std::max({y + radius - py, py - (y + h - radius), 0.0});
                return dx * dx + dy * dy <= radius * radius;
            }};
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
    return {cx - rx, cy - ry, cx + rx, cy + ry, [=](double px, double py) {
                double dx = (px - cx) / rx, dy = (py - cy) / ry;
                return dx * dx + dy * dy <= 1.0;
            }};
}

Shape Circle(double cx, double cy, double r) {
    return Ellipse(cx, cy, r, r);
}

Shape Polygon(std::vector<Point> points) {
    Shape s;
    s.Left = s.Top = 1e9;
    s.Right = s.Bottom = -1e9;
    for (const Point& p : points) {
        s.Left = std::min(s.Left, p.x), s.Right = std::max(s.Right, p.x);
        s.Top = std::min(s.Top, p.y), s.Bottom = std::max(s.Bottom, p.y);
    }
    s.Contains = [points = std::move(points)](double px, double py) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point& a = points[i];
            const Point& b = points[j];
            if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside;
    };
    return s;
}

Shape Taper(double cx, double top, double bottom, double top_width, double bottom_width) {
    return Polygon({{cx - top_width / 2, top},
                    {cx + top_width / 2, top},
                    {cx + bottom_width / 2, bottom},
                    {cx - bottom_width / 2, bottom}});
}

Shape Intersect(Shape a, Shape b) {
    Shape s{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom), nullptr};
    s.Contains = [a = std::move(a.Contains), b = std::move(b.Contains)](double x, double y) {
        return a(x, y) && b(x, y);
    };
    return s;
}

Shape Subtract(Shape a, Shape b) {
    Shape s{a.Left, a.Top, a.Right, a.Bottom, nullptr};
    s.Contains = [a = std::move(a.Contains), b = std::move(b.Contains)](double x, double y) {
        return a(x, y) && !b(x, y);
    };
    return s;
}

double Dice::Next() {
    m_state = m_state * 1664525u + 1013904223u;
    return (m_state >> 8) / 16777216.0;
}

Canvas::Canvas(int width, int height)
    : m_width(width),
      m_height(height),
      m_colour(size_t(width) * height * 3, 0.0),
      m_alpha(size_t(width) * height, 0.0) {}

void Canvas::Blend(int x, int y, Rgb c, double a) {
    size_t i = size_t(y) * m_width + x;
    double* p = &m_colour[i * 3];
    p[0] = c.r * a + p[0] * (1 - a);
    p[1] = c.g * a + p[1] * (1 - a);
    p[2] = c.b * a + p[2] * (1 - a);
    m_alpha[i] = a + m_alpha[i] * (1 - a);
}

void Canvas::Fill(Rgb colour) {
    VerticalGradient(0, m_height, colour, colour);
}

void Canvas::VerticalGradient(int y0, int y1, Rgb top, Rgb bottom) {
    y0 = std::max(y0, 0);
    int end = std::min(y1, m_height);
    for (int y = y0; y < end; ++y) {
        Rgb c = Mix(top, bottom, y1 - y0 > 1 ? double(y - y0) / (y1 - y0 - 1) : 0.0);
        for (int x = 0; x < m_width; ++x)
            Blend(x, y, c, 1.0);
    }
}

void Canvas::Paint(const Shape& shape, Rgb colour, double opacity) {
    Paint(
        shape, [colour](double, double) { return colour; }, opacity);
}

void Canvas::Paint(const Shape& shape, const std::function<Rgb(double, double)>& colour,
                   double opacity) {
    int x0 = std::max(0, int(std::floor(shape.Left)));
    int y0 = std::max(0, int(std::floor(shape.Top)));
    int x1 = std::min(m_width, int(std::ceil(shape.Right)) + 1);
    int y1 = std::min(m_height, int(std::ceil(shape.Bottom)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += shape.Contains(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) ? 1 : 0;
            if (hits > 0) Blend(x, y, colour(x + 0.5, y + 0.5), opacity * hits / 16.0);
        }
    }
}

Surface Canvas::Colours() const {
    Surface s(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        uint8_t* row = s.Row(y);
        for (int x = 0; x < m_width; ++x) {
            size_t i = size_t(y) * m_width + x;
            double a = m_alpha[i];
            if (a <= 0) continue;
            // Straight colour: the mask blend weighs it by the coverage itself.
            auto byte = [&](int c) {
                return uint8_t(std::clamp(std::lround(m_colour[i * 3 + c] / a), 0L, 255L));
            };
            row[x * 3] = byte(2), row[x * 3 + 1] = byte(1), row[x * 3 + 2] = byte(0);
        }
    }
    return s;
}

Surface Canvas::Coverage() const {
    Surface s(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        uint8_t* row = s.Row(y);
        for (int x = 0; x < m_width; ++x) {
            auto a =
                uint8_t(std::clamp(std::lround(m_alpha[size_t(y) * m_width + x] * 255), 0L, 255L));
            row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = a;
        }
    }
    return s;
}

Surface Canvas::Stacked() const {
    Surface colours = Colours(), coverage = Coverage();
    Surface s(m_width, 2 * m_height);
    for (int y = 0; y < m_height; ++y) {
        std::memcpy(s.Row(y), colours.Row(y), colours.Stride());
        std::memcpy(s.Row(m_height + y), coverage.Row(y), coverage.Stride());
    }
    return s;
}

}  // namespace vespin::demo
