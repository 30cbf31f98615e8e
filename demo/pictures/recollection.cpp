// The recollection screen's pictures: "ss_kaiso" (the screen: a parchment grid for the scene
// titles, the panel of the play-list slots on the right and the buttons' plain looks), "ss_btn"
// (slot tabs, the buttons' hover looks with their pressed looks below) and "ss_tab" (the column
// of page tabs and, beside it, each tab's current look).

#include <vector>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

const Rgb kNightTop{12, 18, 46}, kNightBottom{30, 22, 58};
const Rgb kParchment{236, 226, 196}, kParchmentEdge{150, 120, 70};
const Rgb kPlate{70, 84, 140}, kPlateEdge{170, 180, 220}, kIcon{235, 235, 250};
const Rgb kHover{110, 130, 200}, kPressed{40, 48, 96}, kGold{240, 205, 110};

// A seven-segment digit in boxes, `u` pixels a unit (2 wide, 4 high).
void Digit(Canvas& c, int d, double x, double y, double u, Rgb colour) {
    static const char* kSegments[10] = {"abcdef", "bc",     "abged", "abgcd",   "fgbc",
                                        "afgcd",  "afgedc", "abc",   "abcdefg", "abcdfg"};
    double t = u * 0.6;
    for (const char* s = kSegments[d % 10]; *s; ++s) {
        switch (*s) {
            case 'a':
                c.Paint(Box(x, y, 2 * u + t, t), colour);
                break;
            case 'b':
                c.Paint(Box(x + 2 * u, y, t, 2 * u + t), colour);
                break;
            case 'c':
                c.Paint(Box(x + 2 * u, y + 2 * u, t, 2 * u + t), colour);
                break;
            case 'd':
                c.Paint(Box(x, y + 4 * u, 2 * u + t, t), colour);
                break;
            case 'e':
                c.Paint(Box(x, y + 2 * u, t, 2 * u + t), colour);
                break;
            case 'f':
                c.Paint(Box(x, y, t, 2 * u + t), colour);
                break;
            case 'g':
                c.Paint(Box(x, y + 2 * u, 2 * u + t, t), colour);
                break;
        }
    }
}

void Number(Canvas& c, int n, double x, double y, double u, Rgb colour) {
    if (n >= 10) {
        Digit(c, n / 10, x - 1.6 * u, y, u, colour);
        Digit(c, n % 10, x + 1.6 * u, y, u, colour);
    } else {
        Digit(c, n, x, y, u, colour);
    }
}

// The icon of each button, centred in a w x h plate at (x, y).
void Icon(Canvas& c, int code, double x, double y, double w, double h, Rgb colour) {
    double cx = x + w / 2, cy = y + h / 2;
    switch (code) {
        case 301:  // leave: an arrow to the left
            c.Paint(Polygon({{cx - 30, cy}, {cx - 12, cy - 14}, {cx - 12, cy + 14}}), colour);
            c.Paint(Box(cx - 13, cy - 5, 42, 10), colour);
            break;
        case 302:  // play the slot: two triangles
            c.Paint(Polygon({{cx - 20, cy - 14}, {cx, cy}, {cx - 20, cy + 14}}), colour);
            c.Paint(Polygon({{cx, cy - 14}, {cx + 20, cy}, {cx, cy + 14}}), colour);
            break;
        case 303:  // clear: a cross
            c.Paint(Polygon({{cx - 14, cy - 10},
                             {cx - 10, cy - 14},
                             {cx + 14, cy + 10},
                             {cx + 10, cy + 14}}),
                    colour);
            c.Paint(Polygon({{cx + 14, cy - 10},
                             {cx + 10, cy - 14},
                             {cx - 14, cy + 10},
                             {cx - 10, cy + 14}}),
                    colour);
            break;
        case 304:  // delete one: a bar
            c.Paint(Box(cx - 14, cy - 3, 28, 6), colour);
            break;
        case 305:  // add: a plus
            c.Paint(Box(cx - 10, cy - 3, 20, 6), colour);
            c.Paint(Box(cx - 3, cy - 10, 6, 20), colour);
            break;
        case 306:  // play one: a triangle
            c.Paint(Polygon({{cx - 8, cy - 10}, {cx + 10, cy}, {cx - 8, cy + 10}}), colour);
            break;
        case 307:  // name: a pen
            c.Paint(Polygon({{cx - 14, cy + 14},
                             {cx - 10, cy + 4},
                             {cx + 8, cy - 14},
                             {cx + 14, cy - 8},
                             {cx - 4, cy + 10}}),
                    colour);
            break;
    }
}

struct ButtonPlace {
    int Code, X, Y, W, H, ImageX, ImageY;
};
const ButtonPlace kButtons[] = {
    {301, 595, 2, 144, 50, 0, 96},     {302, 696, 522, 86, 54, 252, 96},
    {303, 629, 522, 54, 54, 144, 96},  {304, 563, 522, 54, 54, 198, 96},
    {305, 430, 546, 72, 30, 245, 264}, {306, 348, 546, 72, 30, 245, 204},
    {307, 724, 69, 53, 52, 48, 196},
};

void Plate(Canvas& c, const ButtonPlace& b, double x, double y, Rgb fill, Rgb icon) {
    c.Paint(RoundedBox(x, y, b.W, b.H, 6), kPlateEdge);
    c.Paint(RoundedBox(x + 2, y + 2, b.W - 4, b.H - 4, 5), fill);
    Icon(c, b.Code, x, y, b.W, b.H, icon);
}

void SlotTab(Canvas& c, double x, double y, int slot, Rgb fill, Rgb digits) {
    c.Paint(RoundedBox(x + 1, y + 1, 30, 26, 4), kPlateEdge);
    c.Paint(RoundedBox(x + 2, y + 2, 28, 24, 3), fill);
    Number(c, slot, x + 13, y + 7, 3, digits);
}

}  // namespace

Surface RecollectionScreenPicture() {
    Canvas c(800, 600);
    c.VerticalGradient(0, 600, kNightTop, kNightBottom);
    Dice dice(31);
    for (int i = 0; i < 90; ++i)
        c.Paint(Circle(dice.Between(0, 800), dice.Between(0, 600), dice.Between(0.5, 1.4)), kIcon,
                dice.Between(0.3, 0.9));
    // The grid of titles (cells from (43, 77), three columns of 160, rows of 12).
    c.Paint(RoundedBox(34, 66, 498, 476, 10), kParchmentEdge);
    c.Paint(RoundedBox(37, 69, 492, 470, 8), kParchment);
    // The panel (546, 64), 240 x 446: slot tabs on top, the name strip, the entry lines.
    c.Paint(RoundedBox(546, 64, 240, 446, 8), kParchmentEdge);
    c.Paint(RoundedBox(548, 122, 236, 386, 7), kParchment);
    c.Paint(Box(548, 64, 176, 56), Rgb{54, 46, 84});
    c.Paint(Box(556, 145, 220, 1), kParchmentEdge);
    for (int j = 0; j < 27; ++j)
        c.Paint(Box(556, 166 + 13 * j, 220, 1), Mix(kParchment, kParchmentEdge, 0.35));
    for (const ButtonPlace& b : kButtons)
        Plate(c, b, b.X, b.Y, kPlate, kIcon);
    return c.Colours();
}

Surface RecollectionButtonSheet() {
    Canvas c(340, 330);
    c.Fill(Rgb{0, 0, 0});
    for (int i = 0; i < 10; ++i) {
        SlotTab(c, 32 * i, 0, i + 1, Rgb{120, 96, 60}, kIcon);  // a slot with entries
        SlotTab(c, 32 * i, 28, i + 1, kGold, Rgb{60, 40, 10});  // the current slot
    }
    for (int b = 0; b < 5; ++b) {
        SlotTab(c, 32 * b, 56, b + 1, kHover, kIcon);        // hover, first row
        SlotTab(c, 32 * b + 160, 56, b + 6, kHover, kIcon);  // hover, second row
    }
    for (const ButtonPlace& b : kButtons) {
        Plate(c, b, b.ImageX, b.ImageY, kHover, kGold);
        Plate(c, b, b.ImageX, b.ImageY + b.H, kPressed, kGold);
    }
    return c.Colours();
}

Surface RecollectionTabs() {
    Canvas c(60, 470);
    c.Fill(kNightTop);
    for (int p = 0; p < 10; ++p) {
        for (int current = 0; current < 2; ++current) {
            double x = 30 * current, y = 47 * p;
            c.Paint(RoundedBox(x + 2, y + 2, 28, 43, 5), kPlateEdge);
            c.Paint(RoundedBox(x + 4, y + 4, 24, 39, 4), current ? kGold : kPlate);
            Number(c, p + 1, x + 12, y + 16, 3, current ? Rgb{60, 40, 10} : kIcon);
        }
    }
    return c.Colours();
}

}  // namespace vespin::demo
