// The pictures of the simulation chapter: the selection tree's buttons, the three status panels,
// the attribute icons and panel C's highlight. Each is its colours over its opacities.

#include <cmath>
#include <cstring>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The colours of the six attributes: sword, book, heart, star, shell, leaf.
const Rgb kAttributeColours[6] = {{200, 210, 225}, {80, 130, 230},  {240, 90, 130},
                                  {250, 210, 60},  {250, 170, 130}, {90, 190, 100}};

// `canvases` one under the other, each followed by its coverage.
Surface Stack(std::initializer_list<const Canvas*> canvases) {
    int width = 0, height = 0;
    for (const Canvas* c : canvases)
        width = std::max(width, c->Width()), height += 2 * c->Height();
    Surface s(width, height);
    int y = 0;
    for (const Canvas* c : canvases) {
        for (const Surface& part : {c->Colours(), c->Coverage()}) {
            for (int r = 0; r < c->Height(); ++r)
                std::memcpy(s.Row(y + r), part.Row(r), part.Stride());
            y += c->Height();
        }
    }
    return s;
}

Shape Star(double cx, double cy, double outer, double inner) {
    std::vector<Point> points;
    for (int i = 0; i < 10; ++i) {
        double r = i % 2 ? inner : outer, a = i * kPi / 5 - kPi / 2;
        points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return Polygon(points);
}

Shape Heart(double cx, double cy, double size) {
    std::vector<Point> points;
    for (int i = 0; i < 48; ++i) {
        double t = 2 * kPi * i / 48;
        double x = 16 * std::pow(std::sin(t), 3);
        double y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        points.push_back({cx + x * size / 32, cy - y * size / 32});
    }
    return Polygon(points);
}

// Icon `a` (0..5) in a 32 x 32 cell whose top-left is (x, y), `scale` 1 for the full cell.
void PaintAttribute(Canvas& c, int a, double x, double y, double scale) {
    Rgb colour = kAttributeColours[a];
    double cx = x + 16 * scale, cy = y + 16 * scale, s = scale;
    switch (a) {
        case 0:  // sword
            c.Paint(Polygon({{cx - 2 * s, cy + 6 * s},
                             {cx - 2 * s, cy - 13 * s},
                             {cx, cy - 15 * s},
                             {cx + 2 * s, cy - 13 * s},
                             {cx + 2 * s, cy + 6 * s}}),
                    colour);
            c.Paint(Box(cx - 8 * s, cy + 6 * s, 16 * s, 3 * s), Rgb{190, 150, 60});
            c.Paint(Box(cx - 1.5 * s, cy + 9 * s, 3 * s, 6 * s), Rgb{120, 80, 50});
            break;
        case 1:  // book
            c.Paint(RoundedBox(cx - 12 * s, cy - 10 * s, 24 * s, 20 * s, 3 * s), colour);
            c.Paint(Box(cx - 1 * s, cy - 10 * s, 2 * s, 20 * s), Rgb{230, 230, 240});
            break;
        case 2:
            c.Paint(Heart(cx, cy, 26 * s), colour);
            break;
        case 3:
            c.Paint(Star(cx, cy, 14 * s, 6 * s), colour);
            break;
        case 4:  // shell
            for (int i = 0; i < 5; ++i) {
                double t = -kPi / 2 + (i - 2) * 0.38;
                c.Paint(Polygon({{cx, cy + 11 * s},
                                 {cx + 14 * s * std::cos(t - 0.18),
                                  cy + 2 * s + 14 * s * std::sin(t - 0.18)},
                                 {cx + 14 * s * std::cos(t + 0.18),
                                  cy + 2 * s + 14 * s * std::sin(t + 0.18)}}),
                        i % 2 ? colour : Mix(colour, Rgb{255, 255, 255}, 0.35));
            }
            break;
        default:  // leaf
            c.Paint(Ellipse(cx, cy, 7 * s, 13 * s), colour);
            c.Paint(Box(cx - 0.8 * s, cy - 10 * s, 1.6 * s, 22 * s), Rgb{40, 110, 50});
            break;
    }
}

// A plate of the panels: deep blue, a light rim.
void PaintPlate(Canvas& c, double x, double y, double w, double h, double radius) {
    Shape plate = RoundedBox(x, y, w, h, radius);
    c.Paint(
        plate,
        [&](double, double py) {
            return Mix(Rgb{36, 56, 104}, Rgb{16, 26, 58}, (py - y) / h);
        },
        0.88);
    c.Paint(Subtract(plate, RoundedBox(x + 2, y + 2, w - 4, h - 4, radius - 2)), Rgb{170, 200, 240},
            0.95);
}

// The panels' bars are drawn by the engine over black troughs; the troughs must be opaque.
void PaintTrough(Canvas& c, double x0, double y0, double x1, double y1) {
    c.Paint(Box(x0 - 2, y0 - 2, x1 - x0 + 4, y1 - y0 + 4), Rgb{120, 150, 200});
    c.Paint(Box(x0, y0, x1 - x0, y1 - y0), Rgb{0, 0, 0});
}

void PaintButton(Canvas& c, Rgb top, Rgb bottom, Rgb rim) {
    Shape plate = RoundedBox(2, 2, 132, 26, 9);
    c.Paint(
        plate, [&](double, double y) { return Mix(top, bottom, (y - 2) / 26); }, 0.92);
    c.Paint(Subtract(plate, RoundedBox(4, 4, 128, 22, 7)), rim);
    c.Paint(Circle(12, 15, 3), rim);
}

}  // namespace

Surface TreeButtons() {
    Canvas normal(136, 30), highlighted(136, 30);
    PaintButton(normal, Rgb{40, 110, 120}, Rgb{14, 52, 64}, Rgb{160, 220, 220});
    PaintButton(highlighted, Rgb{250, 190, 80}, Rgb{200, 110, 30}, Rgb{255, 245, 200});
    return Stack({&normal, &highlighted});
}

Surface StatusPanelA() {
    Canvas c(400, 160);
    PaintPlate(c, 0, 0, 400, 84, 14);
    PaintTrough(c, 118, 6, 392, 23);
    PaintTrough(c, 101, 37, 344, 49);
    PaintTrough(c, 101, 62, 344, 74);
    c.Paint(Heart(100, 14, 18), Rgb{240, 90, 130});
    c.Paint(Star(84, 43, 9, 4), Rgb{250, 230, 80});
    c.Paint(Circle(84, 68, 7), Rgb{90, 230, 240});
    c.Paint(Circle(84, 68, 4), Rgb{30, 120, 140});
    // A lighthouse on the left, the island's mark.
    c.Paint(Taper(40, 22, 70, 10, 20), Rgb{235, 235, 240});
    c.Paint(Box(33, 38, 14, 6), Rgb{210, 60, 50});
    c.Paint(Box(31, 54, 18, 6), Rgb{210, 60, 50});
    c.Paint(Circle(40, 17, 6), Rgb{255, 220, 120});
    return Stack({&c});
}

Surface StatusPanelB() {
    Canvas c(160, 180);
    PaintPlate(c, 0, 0, 160, 176, 14);
    for (int i = 0; i < 6; ++i) {
        PaintTrough(c, 62, 8 + 28 * i, 153, 20 + 28 * i);
        PaintAttribute(c, i, 18, 28 * i, 0.85);
    }
    return Stack({&c});
}

Surface StatusPanelC() {
    Canvas c(200, 100);
    PaintPlate(c, 0, 0, 200, 100, 16);
    c.Paint(Circle(34, 32, 26), Rgb{20, 34, 70});
    c.Paint(Subtract(Circle(34, 32, 26), Circle(34, 32, 23)), Rgb{250, 210, 90});
    c.Paint(RoundedBox(104, 2, 92, 40, 8), Rgb{20, 34, 70});
    c.Paint(RoundedBox(66, 50, 64, 36, 8), Rgb{20, 34, 70});
    return Stack({&c});
}

Surface PanelAttributeIcons() {
    Canvas c(192, 32);
    for (int a = 0; a < 6; ++a)
        PaintAttribute(c, a, 32 * a, 0, 1.0);
    return Stack({&c});
}

// A gold rim around panel C's level badge and plate, with a bright band sweeping across it in
// five frames; one mask serves every frame.
Surface PanelHighlight() {
    Canvas mask(160, 100);
    Shape rim = Subtract(RoundedBox(0, 0, 160, 100, 16), RoundedBox(5, 5, 150, 90, 12));
    mask.Paint(rim, Rgb{255, 255, 255}, 0.9);
    mask.Paint(Circle(34, 32, 28), Rgb{255, 255, 255}, 0.45);
    Surface coverage = mask.Coverage();
    Surface s(160, 600);
    for (int y = 0; y < 100; ++y)
        std::memcpy(s.Row(y), coverage.Row(y), coverage.Stride());
    for (int k = 0; k < 5; ++k) {
        double band = -20 + 50.0 * k;
        for (int y = 0; y < 100; ++y) {
            uint8_t* row = s.Row(100 * (k + 1) + y);
            for (int x = 0; x < 160; ++x) {
                double d = std::abs((x + y * 0.6) - band);
                double light = d < 24 ? 1 - d / 24 : 0;
                Rgb c = Mix(Rgb{255, 200, 90}, Rgb{255, 255, 255}, light);
                row[3 * x] = static_cast<uint8_t>(c.b), row[3 * x + 1] = static_cast<uint8_t>(c.g);
                row[3 * x + 2] = static_cast<uint8_t>(c.r);
            }
        }
    }
    return s;
}

}  // namespace vespin::demo
