// The card battle's pictures: the table frame and its mask, the attribute icons, the card faces,
// the digit strip, the guard marker and two portraits (the player's and a slime's).

#include <cstring>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

constexpr int kCard = 72, kCardTall = 108;
constexpr int kIcon = 56, kIconTall = 64;
constexpr Rgb kTypeColours[7] = {
    {200, 200, 196}, {220, 70, 50},  {60, 120, 220}, {70, 170, 80},
    {170, 120, 60},  {240, 200, 70}, {140, 80, 170},
};
constexpr Rgb kWood{72, 46, 30};
constexpr Rgb kFelt{30, 96, 64};

// A type's emblem centred at (cx, cy): a flame, a drop, a leaf, a rock, a sun, a moon, or a
// plain ring for type 0.
void Emblem(Canvas& c, int type, double cx, double cy, double r) {
    Rgb colour = kTypeColours[type];
    Rgb light = Mix(colour, Rgb{255, 255, 255}, 0.5);
    switch (type) {
        case 1:
            c.Paint(Polygon({{cx, cy - r},
                             {cx + r * 0.8, cy + r * 0.4},
                             {cx, cy + r},
                             {cx - r * 0.8, cy + r * 0.4}}),
                    colour);
            c.Paint(Ellipse(cx, cy + r * 0.4, r * 0.35, r * 0.5), light);
            break;
        case 2:
            c.Paint(
                Polygon({{cx, cy - r}, {cx + r * 0.6, cy + r * 0.1}, {cx - r * 0.6, cy + r * 0.1}}),
                colour);
            c.Paint(Circle(cx, cy + r * 0.3, r * 0.65), colour);
            c.Paint(Circle(cx - r * 0.2, cy + r * 0.25, r * 0.2), light);
            break;
        case 3:
            c.Paint(Intersect(Circle(cx - r * 0.5, cy, r), Circle(cx + r * 0.5, cy, r)), colour);
            c.Paint(Box(cx - 1, cy - r * 0.8, 2, r * 1.6), light);
            break;
        case 4:
            c.Paint(Polygon({{cx - r, cy + r * 0.7},
                             {cx - r * 0.5, cy - r * 0.6},
                             {cx + r * 0.3, cy - r},
                             {cx + r, cy + r * 0.7}}),
                    colour);
            break;
        case 5:
            c.Paint(Circle(cx, cy, r), Mix(colour, Rgb{255, 140, 0}, 0.3));
            c.Paint(Circle(cx, cy, r * 0.7), colour);
            break;
        case 6:
            c.Paint(Subtract(Circle(cx, cy, r), Circle(cx + r * 0.45, cy - r * 0.2, r * 0.85)),
                    colour);
            break;
        default:
            c.Paint(Subtract(Circle(cx, cy, r), Circle(cx, cy, r * 0.6)), colour);
            break;
    }
}

void CardFace(Canvas& c, int left, Rgb edge, Rgb face) {
    c.Paint(RoundedBox(left, 0, kCard, kCardTall, 8), edge);
    c.Paint(RoundedBox(left + 4, 4, kCard - 8, kCardTall - 8, 6), face);
}

// Seven segments of a digit in an 18 x 36 cell: a b c d e f g, clockwise from the top, g the
// middle bar.
constexpr const char* kSegments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                       "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

void Segments(Canvas& c, int digit, double left, double grow, Rgb colour) {
    auto bar = [&](double x, double y, double w, double h) {
        c.Paint(Box(left + x - grow, y - grow, w + 2 * grow, h + 2 * grow), colour);
    };
    for (const char* s = kSegments[digit]; *s; ++s) {
        switch (*s) {
            case 'a':
                bar(4, 3, 10, 3);
                break;
            case 'b':
                bar(13, 5, 3, 12);
                break;
            case 'c':
                bar(13, 19, 3, 12);
                break;
            case 'd':
                bar(4, 30, 10, 3);
                break;
            case 'e':
                bar(2, 19, 3, 12);
                break;
            case 'f':
                bar(2, 5, 3, 12);
                break;
            case 'g':
                bar(4, 16.5, 10, 3);
                break;
        }
    }
}

Surface Portrait(int width, int height, Rgb sky, const std::function<void(Canvas&)>& figure) {
    Canvas c(width, height);
    c.VerticalGradient(0, height, sky, Mix(sky, Rgb{0, 0, 0}, 0.6));
    figure(c);
    c.Paint(Subtract(Box(0, 0, width, height), Box(5, 5, width - 10, height - 10)), kWood);
    return c.Colours();
}

}  // namespace

Character BattleFrame() {
    Canvas c(800, 600);
    c.Paint(RoundedBox(208, 120, 384, 354, 14), kWood);
    c.Paint(RoundedBox(214, 126, 372, 342, 10), kFelt);
    c.Paint(RoundedBox(264, 474, 534, 122, 10), kWood, 0.92);
    c.Paint(RoundedBox(2, 2, 526, 122, 10), kWood, 0.92);
    for (Rect plate : {Rect{78, 134, 132, 56}, Rect{664, 390, 132, 56}, Rect{52, 546, 160, 48},
                       Rect{206, 524, 70, 74}, Rect{529, 2, 70, 74}}) {
        c.Paint(RoundedBox(plate.x, plate.y, plate.w, plate.h, 8), kWood);
        c.Paint(RoundedBox(plate.x + 3, plate.y + 3, plate.w - 6, plate.h - 6, 6), Rgb{30, 24, 40});
    }
    return {c.Colours(), c.Coverage()};
}

Surface AttributeIcons() {
    Canvas c(384 + 7 * kIcon, kIconTall);
    for (int side = 0; side < 2; ++side) {
        for (int a = 0; a < 7; ++a) {
            double cx = (side ? 384 : 0) + kIcon * a + kIcon / 2.0;
            c.Paint(Circle(cx, 32, 25), side ? Rgb{90, 40, 40} : Rgb{40, 50, 90});
            Emblem(c, a, cx, 32, 17);
        }
    }
    return c.Stacked();
}

Surface CardSheet() {
    Canvas c(576 + 3 * kCard, kCardTall);
    for (int type = 0; type < 7; ++type) {
        int left = kCard * type;
        CardFace(c, left, kTypeColours[type], Rgb{250, 246, 236});
        c.Paint(RoundedBox(left + 14, 28, 44, 40, 8),
                Mix(kTypeColours[type], Rgb{255, 255, 255}, 0.75));
        Emblem(c, type, left + 36, 86, 13);
    }
    CardFace(c, 504, Rgb{200, 170, 90}, Rgb{40, 44, 110});  // the back
    for (int i = 0; i < 4; ++i)
        c.Paint(Subtract(Circle(540, 54, 30 - 7 * i), Circle(540, 54, 27 - 7 * i)),
                Rgb{200, 170, 90});
    // The specials: guard, heal, double.
    CardFace(c, 576, Rgb{120, 180, 220}, Rgb{230, 244, 252});
    c.Paint(Polygon({{592, 30}, {632, 30}, {632, 60}, {612, 84}, {592, 60}}), Rgb{80, 140, 210});
    CardFace(c, 648, Rgb{120, 200, 120}, Rgb{236, 250, 236});
    c.Paint(Box(678, 30, 12, 48), Rgb{60, 170, 80});
    c.Paint(Box(660, 48, 48, 12), Rgb{60, 170, 80});
    CardFace(c, 720, Rgb{230, 180, 60}, Rgb{252, 246, 226});
    c.Paint(Polygon({{736, 36}, {744, 36}, {776, 76}, {768, 76}}), Rgb{200, 60, 60});
    c.Paint(Polygon({{768, 36}, {776, 36}, {744, 76}, {736, 76}}), Rgb{200, 60, 60});
    return c.Colours();
}

Surface CardDigits() {
    Canvas c(180, 36);
    for (int d = 0; d < 10; ++d) {
        Segments(c, d, 18.0 * d, 1.5, Rgb{20, 20, 30});
        Segments(c, d, 18.0 * d, 0, Rgb{255, 250, 220});
    }
    return c.Stacked();
}

Surface GuardMarker() {
    // Its blue byte is its opacity: bright where it shows, black around it.
    Canvas c(64, 72);
    c.Paint(Polygon({{4, 6}, {60, 6}, {60, 40}, {32, 68}, {4, 40}}), Rgb{150, 220, 255});
    c.Paint(Polygon({{12, 14}, {52, 14}, {52, 38}, {32, 58}, {12, 38}}), Rgb{90, 160, 250});
    return c.Colours();
}

Surface PlayerPortrait() {
    return Portrait(200, 360, Rgb{120, 160, 210}, [](Canvas& c) {
        c.Paint(Ellipse(100, 150, 64, 76), Rgb{110, 70, 44});
        c.Paint(Polygon({{20, 360}, {40, 250}, {160, 250}, {180, 360}}), Rgb{40, 62, 112});
        c.Paint(Ellipse(100, 160, 50, 58), Rgb{250, 222, 196});
        c.Paint(Intersect(Ellipse(100, 132, 56, 48), Box(40, 80, 120, 52)), Rgb{110, 70, 44});
        for (double x : {82.0, 118.0})
            c.Paint(Ellipse(x, 166, 6, 8), Rgb{44, 34, 36});
        c.Paint(RoundedBox(92, 194, 16, 3, 1.5), Rgb{150, 70, 70});
    });
}

Surface SlimePortrait() {
    return Portrait(200, 280, Rgb{60, 90, 60}, [](Canvas& c) {
        c.Paint(Ellipse(100, 250, 90, 18), Rgb{20, 40, 20}, 0.6);
        c.Paint(Polygon({{12, 250}, {40, 150}, {100, 70}, {160, 150}, {188, 250}}),
                Rgb{90, 200, 120});
        c.Paint(Ellipse(100, 210, 88, 48), Rgb{90, 200, 120});
        c.Paint(Ellipse(76, 110, 16, 26), Rgb{200, 250, 210}, 0.7);
        for (double x : {74.0, 126.0}) {
            c.Paint(Ellipse(x, 170, 12, 16), Rgb{255, 255, 255});
            c.Paint(Circle(x + 3, 174, 6), Rgb{20, 30, 20});
        }
        c.Paint(Intersect(Ellipse(100, 206, 26, 16), Box(70, 206, 60, 20)), Rgb{40, 90, 50});
    });
}

}  // namespace vespin::demo
