// The quick-button bar's pictures: the plain buttons painted into the window picture, and the
// sheet "sys_qbtn" with each button lit (hovered) and on (latched), and the gauge's two strips.
// A button's image covers its whole hit rectangle, so its plate sits on an opaque square of the
// same colour in the window picture and in the sheet: the block copied over it matches exactly.

#include <cmath>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

enum class Look { Plain, Hovered, On };

struct Button {
    int x, y, w, h;  // the hit rectangle in the window
    int on_x, on_y, hover_x, hover_y;
};

constexpr Button kButtons[7] = {
    {668, 69, 35, 33, 33, 66, 33, 0},      {627, 54, 33, 32, 0, 64, 0, 32},
    {697, 25, 25, 25, 298, 51, 298, 24},   {734, 35, 46, 51, 204, 102, 204, 51},
    {730, 110, 50, 42, 250, 90, 250, 45},  {632, 101, 33, 33, 68, 66, 68, 33},
    {615, 152, 103, 36, 101, 71, 101, 36},
};

const Rgb kGround{18, 26, 56};

struct Colours {
    Rgb plate, edge, icon;
};

Colours Scheme(Look look) {
    switch (look) {
        case Look::Plain:
            return {{40, 60, 110}, {120, 150, 210}, {210, 222, 245}};
        case Look::Hovered:
            return {{80, 120, 200}, {230, 240, 255}, {255, 255, 255}};
        case Look::On:
            return {{230, 170, 60}, {255, 230, 160}, {60, 36, 10}};
    }
    return {};
}

Shape Ring(double cx, double cy, double outer, double inner) {
    return Subtract(Circle(cx, cy, outer), Circle(cx, cy, inner));
}

// The icon of button `n` (1..7) centred at (cx, cy), about `s` pixels across.
void PaintIcon(Canvas& c, int n, double cx, double cy, double s, Rgb ink) {
    double h = s / 2;
    switch (n) {
        case 1:  // skip: two arrowheads
            c.Paint(Polygon({{cx - h, cy - h * 0.7}, {cx, cy}, {cx - h, cy + h * 0.7}}), ink);
            c.Paint(Polygon({{cx, cy - h * 0.7}, {cx + h, cy}, {cx, cy + h * 0.7}}), ink);
            break;
        case 2:  // auto: an arrowhead in a ring
            c.Paint(Ring(cx, cy, h, h - 2), ink);
            c.Paint(Polygon({{cx - h * 0.35, cy - h * 0.5},
                             {cx + h * 0.55, cy},
                             {cx - h * 0.35, cy + h * 0.5}}),
                    ink);
            break;
        case 3:  // hide: a window with its bar
            c.Paint(Subtract(Box(cx - h, cy - h * 0.8, s, s * 0.8),
                             Box(cx - h + 2, cy - h * 0.8 + 4, s - 4, s * 0.8 - 6)),
                    ink);
            break;
        case 4:  // save: an arrow down into a tray
        case 5:  // load: an arrow up out of it
        {
            double dir = n == 4 ? 1 : -1, tip = cy + dir * h * 0.3, tail = cy - dir * h * 0.8;
            c.Paint(Box(cx - 2.5, std::fmin(tip, tail), 5, std::fabs(tip - tail)), ink);
            c.Paint(Polygon({{cx - h * 0.45, tip - dir * h * 0.1},
                             {cx + h * 0.45, tip - dir * h * 0.1},
                             {cx, tip + dir * h * 0.4}}),
                    ink);
            c.Paint(Subtract(Box(cx - h, cy + h * 0.45, s, h * 0.5),
                             Box(cx - h + 3, cy + h * 0.45, s - 6, h * 0.5 - 3)),
                    ink);
            break;
        }
        case 6:  // log: lines of text
            for (int i = 0; i < 3; ++i)
                c.Paint(Box(cx - h, cy - h * 0.6 + i * h * 0.6, i == 2 ? s * 0.6 : s, 3), ink);
            break;
        case 7:  // voice: a speaker and its sound
            c.Paint(Box(cx - h, cy - 4, 6, 8), ink);
            c.Paint(Polygon({{cx - h + 5, cy - 4},
                             {cx - h + 13, cy - 10},
                             {cx - h + 13, cy + 10},
                             {cx - h + 5, cy + 4}}),
                    ink);
            for (int i = 0; i < 2; ++i) {
                double r = 7 + 5 * i;
                c.Paint(
                    Intersect(Ring(cx - h + 12, cy, r, r - 2), Box(cx - h + 14, cy - r, r, 2 * r)),
                    ink);
            }
            break;
    }
}

// Button `n` in `look` with its rectangle's top-left at (x, y).
void PaintButton(Canvas& c, int n, Look look, int x, int y) {
    const Button& b = kButtons[n - 1];
    Colours k = Scheme(look);
    c.Paint(Box(x, y, b.w, b.h), kGround);
    Shape plate = RoundedBox(x + 1.5, y + 1.5, b.w - 3, b.h - 3, 6);
    c.Paint(plate, k.plate);
    c.Paint(Subtract(plate, RoundedBox(x + 3, y + 3, b.w - 6, b.h - 6, 5)), k.edge);
    double size = std::fmin(std::fmin(b.w, b.h) - 12, 22);
    PaintIcon(c, n, x + b.w / 2.0, y + b.h / 2.0, size, k.icon);
}

}  // namespace

void PaintPlainQuickButtons(Canvas& window) {
    for (int n = 1; n <= 7; ++n)
        PaintButton(window, n, Look::Plain, kButtons[n - 1].x, kButtons[n - 1].y);
}

Surface QuickButtonSheet() {
    Canvas c(480, 160);
    c.Fill(kGround);
    for (int n = 1; n <= 7; ++n) {
        const Button& b = kButtons[n - 1];
        PaintButton(c, n, Look::Hovered, b.hover_x, b.hover_y);
        PaintButton(c, n, Look::On, b.on_x, b.on_y);
    }
    // The gauge: an empty track, and the filled strip the engine cuts to the level.
    c.Paint(Box(378, 9, 100, 7), Rgb{10, 14, 30});
    c.Paint(Subtract(Box(378, 9, 100, 7), Box(379, 10, 98, 5)), Rgb{90, 110, 160});
    c.Paint(Box(378, 33, 100, 7), [](double x, double) {
        return Mix(Rgb{60, 200, 230}, Rgb{250, 250, 200}, (x - 378) / 100);
    });
    return c.Colours();
}

}  // namespace vespin::demo
