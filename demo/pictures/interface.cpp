// The demo's smaller pictures: the parts sheet for `ptset`, the card for `direct`, and the
// message window's picture and click-wait marker.

#include <cmath>
#include <cstring>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

constexpr double kPi = 3.14159265358979323846;

Shape Star(double cx, double cy, double outer, double inner, double turn) {
    std::vector<Point> points;
    for (int i = 0; i < 10; ++i) {
        double r = i % 2 ? inner : outer, a = turn + i * kPi / 5 - kPi / 2;
        points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return Polygon(points);
}

}  // namespace

Surface PartsSheet() {
    Canvas c(256, 128);
    // Top row: a gull, a star, a boat, a lantern; bottom row: a shell and a flower.
    c.Paint(
        Polygon({{6, 30}, {22, 22}, {32, 34}, {42, 22}, {58, 30}, {42, 28}, {32, 40}, {22, 28}}),
        Rgb{240, 240, 245});
    c.Paint(Polygon({{30, 34}, {34, 34}, {32, 40}}), Rgb{240, 170, 40});
    c.Paint(Star(96, 34, 28, 12, 0), Rgb{250, 214, 60});
    c.Paint(Star(96, 34, 14, 6, 0), Rgb{255, 240, 150});
    c.Paint(Polygon({{132, 42}, {188, 42}, {178, 56}, {142, 56}}), Rgb{130, 80, 50});
    c.Paint(Box(158, 8, 3, 36), Rgb{90, 60, 40});
    c.Paint(Polygon({{162, 10}, {184, 38}, {162, 38}}), Rgb{250, 250, 240});
    c.Paint(Polygon({{156, 14}, {156, 38}, {138, 38}}), Rgb{230, 90, 70});
    c.Paint(Box(214, 6, 20, 6), Rgb{60, 60, 60});
    c.Paint(RoundedBox(208, 12, 32, 40, 6), Rgb{60, 60, 60});
    c.Paint(RoundedBox(212, 16, 24, 32, 4), Rgb{255, 224, 120});
    c.Paint(Ellipse(224, 34, 5, 9), Rgb{255, 150, 50});
    c.Paint(Box(206, 52, 36, 6), Rgb{60, 60, 60});
    for (int i = 0; i < 5; ++i) {
        double a = -kPi / 2 + (i - 2) * 0.42;
        c.Paint(Polygon({{32, 116},
                         {32 + 28 * std::cos(a - 0.2), 96 + 28 * std::sin(a - 0.2)},
                         {32 + 28 * std::cos(a + 0.2), 96 + 28 * std::sin(a + 0.2)}}),
                i % 2 ? Rgb{250, 200, 180} : Rgb{240, 170, 150});
    }
    for (int i = 0; i < 6; ++i) {
        double a = i * kPi / 3;
        c.Paint(Circle(96 + 14 * std::cos(a), 96 + 14 * std::sin(a), 11), Rgb{240, 120, 170});
    }
    c.Paint(Circle(96, 96, 9), Rgb{250, 220, 60});
    // ptset leaves out exactly one colour: no softened edge may fall between it and the icon.
    Surface colours = c.Colours(), coverage = c.Coverage();
    for (int y = 0; y < colours.Height(); ++y) {
        uint8_t* row = colours.Row(y);
        for (int x = 0; x < colours.Width(); ++x) {
            if (coverage.Row(y)[x * 3] >= 128) continue;
            row[x * 3] = 255, row[x * 3 + 1] = 255, row[x * 3 + 2] = 0;
        }
    }
    return colours;
}

Surface IslandMap() {
    Canvas c(240, 160);
    c.Fill(Rgb{120, 82, 50});
    c.Paint(Box(6, 6, 228, 148), Rgb{238, 224, 186});
    c.Paint(Box(16, 16, 208, 128), Rgb{150, 190, 210});
    c.Paint(Polygon({{60, 60}, {110, 36}, {170, 48}, {196, 96}, {150, 126}, {84, 118}, {48, 92}}),
            Rgb{150, 180, 110});
    c.Paint(Polygon({{90, 70}, {120, 56}, {150, 78}, {128, 100}, {96, 96}}), Rgb{110, 150, 86});
    c.Paint(Circle(178, 66, 6), Rgb{200, 50, 40});  // the lighthouse
    for (int i = 0; i < 6; ++i)                     // the path from the harbour
        c.Paint(Circle(70 + i * 20, 112 - i * 8, 2.2), Rgb{120, 82, 50});
    c.Paint(Star(36, 36, 12, 4, 0), Rgb{120, 82, 50});
    return c.Colours();
}

Surface WindowPicture() {
    Canvas c(784, 192);
    Shape panel = RoundedBox(2, 8, 780, 182, 16);
    c.Paint(
        panel,
        [](double, double y) {
            return Mix(Rgb{30, 44, 84}, Rgb{14, 20, 44}, (y - 8) / 182);
        },
        0.8);
    c.Paint(Subtract(panel, RoundedBox(5, 11, 774, 176, 13)), Rgb{160, 190, 235}, 0.95);
    Shape plate = RoundedBox(52, 0, 136, 32, 10);  // behind the speaker's name
    c.Paint(plate, Rgb{44, 66, 118}, 0.95);
    c.Paint(Subtract(plate, RoundedBox(54, 2, 132, 28, 8)), Rgb{200, 215, 245});
    PaintPlainQuickButtons(c);
    return c.Stacked();
}

Surface ChoicePlate(bool second_style) {
    Canvas c(400, 48);
    Shape plate = RoundedBox(4, 4, 392, 40, 14);
    Rgb top = second_style ? Rgb{70, 40, 90} : Rgb{28, 52, 96};
    Rgb bottom = second_style ? Rgb{36, 18, 48} : Rgb{12, 24, 52};
    c.Paint(
        plate, [&](double, double y) { return Mix(top, bottom, (y - 4) / 40); }, 0.85);
    c.Paint(Subtract(plate, RoundedBox(6, 6, 388, 36, 12)), Rgb{190, 210, 245}, 0.95);
    return c.Stacked();
}

Surface ClickMarker() {
    Canvas c(96, 26);
    const double bob[4] = {0, 2, 4, 2};
    for (int f = 0; f < 4; ++f) {
        double cx = f * 24 + 12, top = 6 + bob[f];
        c.Paint(Circle(cx, top + 6, 10), Rgb{255, 230, 140}, 0.25);
        c.Paint(Polygon({{cx - 8, top}, {cx + 8, top}, {cx, top + 12}}), Rgb{250, 210, 90});
    }
    return c.Stacked();
}

}  // namespace vespin::demo
