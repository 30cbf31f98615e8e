#pragma once
// A small painter for the demo's generated pictures: filled shapes with soft (supersampled)
// edges, gradients and a coverage plane, so that character pictures come out with their masks.
// Everything is computed from fixed numbers: the same program writes the same pictures.

#include <cstdint>
#include <functional>
#include <vector>

#include "core/graphics/surface.h"

namespace vespin::demo {

struct Rgb {
    int r = 0, g = 0, b = 0;
};
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b

struct Point {
    double x = 0, y = 0;
};

// A region of the plane: its bounding box and a test for points inside.
struct Shape {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::function<bool(double, double)> Contains;
};

Shape Box(double x, double y, double w, double h);
Shape RoundedBox(double x, double y, double w, double h, double radius);
Shape Ellipse(double cx, double cy, double rx, double ry);
Shape Circle(double cx, double cy, double r);
Shape Polygon(std::vector<Point> points);  // even-odd rule
// A quadrilateral tapering from a top width to a bottom width, both centred on `cx`.
Shape Taper(double cx, double top, double bottom, double top_width, double bottom_width);
// The part of `a` that is also in `b`, and the part of `a` outside `b`.
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);

// A deterministic pseudo-random sequence for stars, leaves and sparkles.
class Dice {
  public:
    explicit Dice(uint32_t seed) : m_state(seed) {}
    double Next();  // in [0, 1)
    double Between(double lo, double hi) { return lo + (hi - lo) * Next(); }

  private:
    uint32_t m_state;
};

class Canvas {
  public:
    // A canvas starts transparent black; painting makes it opaque where it covers.
    Canvas(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Fill(Rgb colour);
    // Rows y0 .. y1 - 1 blended from `top` to `bottom`, opaque.
    void VerticalGradient(int y0, int y1, Rgb top, Rgb bottom);
    // Paints `shape` with `colour` at `opacity`, its edge softened over 4 x 4 samples a pixel.
    void Paint(const Shape& shape, Rgb colour, double opacity = 1.0);
    // The same with a colour that varies over the shape.
    void Paint(const Shape& shape, const std::function<Rgb(double, double)>& colour,
               double opacity = 1.0);

    // The colours where painted (black where nothing is), and the coverage as a grey picture
    // (255 opaque): a character picture and its mask.
    Surface Colours() const;
    Surface Coverage() const;
    // The colours over the coverage, twice the canvas's height: the layout of the interface
    // pictures whose lower half is their mask or opacity.
    Surface Stacked() const;

  private:
    void Blend(int x, int y, Rgb c, double a);

    int m_width, m_height;
    std::vector<double> m_colour;  // premultiplied red, green, blue
    std::vector<double> m_alpha;
};

}  // namespace vespin::demo
