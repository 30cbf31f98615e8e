// The demo's backgrounds: the island's lighthouse by day and by night, the keeper's room, the
// forest and the western beach at dusk. Simple shapes, no text.

#include <cmath>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

constexpr int kW = 800, kH = 600;
constexpr int kHorizon = 380;

struct IslandColours {
    Rgb SkyTop, SkyLow, SeaTop, SeaLow, Rock, Grass, Tower, Stripe, Roof, Lantern, Wave;
};

void Clouds(Canvas& c, Rgb colour, double opacity, uint32_t seed) {
    Dice dice(seed);
    for (Point at : {Point{150, 100}, Point{420, 60}, Point{300, 170}}) {
        for (int i = 0; i < 6; ++i) {
            double dx = dice.Between(-60, 60), dy = dice.Between(-12, 12);
            c.Paint(Ellipse(at.x + dx, at.y + dy, dice.Between(30, 55), dice.Between(14, 22)),
                    colour, opacity);
        }
    }
}

void Waves(Canvas& c, Rgb colour, double opacity, uint32_t seed) {
    Dice dice(seed);
    for (int i = 0; i < 140; ++i) {
        double y = dice.Between(kHorizon + 6, kH);
        double depth = (y - kHorizon) / (kH - kHorizon);  // nearer waves are longer
        c.Paint(Ellipse(dice.Between(0, kW), y, 6 + 30 * depth, 0.8 + 1.5 * depth), colour,
                opacity);
    }
}

// The cliff on the right with the lighthouse on it; `lit` adds the lantern's glow and beam.
void Island(Canvas& c, const IslandColours& k, bool lit) {
    c.Paint(Polygon({{470, 600}, {515, 430}, {560, 395}, {700, 385}, {800, 398}, {800, 600}}),
            k.Rock);
    c.Paint(
        Polygon(
            {{540, 404}, {562, 392}, {700, 382}, {800, 395}, {800, 410}, {700, 400}, {600, 410}}),
        k.Grass);
    const double cx = 640;
    c.Paint(Taper(cx, 150, 392, 44, 70), k.Tower);
    for (double top : {190.0, 260.0, 330.0})
        c.Paint(Intersect(Taper(cx, 150, 392, 44, 70), Box(0, top, kW, 30)), k.Stripe);
    c.Paint(RoundedBox(cx - 9, 350, 18, 42, 8), Mix(k.Stripe, Rgb{0, 0, 0}, 0.5));
    c.Paint(Box(cx - 32, 140, 64, 10), Rgb{60, 60, 64});
    c.Paint(Box(cx - 20, 108, 40, 32), k.Lantern);
    for (double x : {cx - 20, cx - 2, cx + 16})
        c.Paint(Box(x, 108, 4, 32), Rgb{50, 50, 55});
    c.Paint(Polygon({{cx - 28, 110}, {cx + 28, 110}, {cx, 84}}), k.Roof);
    if (lit) {
        c.Paint(Circle(cx, 124, 60), k.Lantern, 0.18);
        c.Paint(Circle(cx, 124, 30), k.Lantern, 0.3);
        c.Paint(Polygon({{cx, 118}, {0, 40}, {0, 230}, {cx, 130}}), Rgb{255, 225, 130}, 0.14);
    }
    // Foam where the sea meets the rock.
    Dice dice(7);
    for (int i = 0; i < 18; ++i)
        c.Paint(Ellipse(dice.Between(470, 540), dice.Between(520, 600), dice.Between(8, 20), 3),
                Rgb{240, 245, 250}, 0.5);
}

Canvas SeaAndSky(const IslandColours& k) {
    Canvas c(kW, kH);
    c.VerticalGradient(0, kHorizon, k.SkyTop, k.SkyLow);
    c.VerticalGradient(kHorizon, kH, k.SeaTop, k.SeaLow);
    // A low island far away on the left.
    c.Paint(Polygon({{40, kHorizon}, {90, 366}, {160, 360}, {230, 372}, {260, kHorizon}}),
            Mix(k.SkyLow, k.SeaLow, 0.55));
    return c;
}

}  // namespace

Surface LighthouseByDay() {
    IslandColours k{{70, 130, 205}, {195, 225, 245}, {70, 140, 185},  {25, 75, 125},
                    {115, 98, 82},  {95, 145, 75},   {242, 242, 236}, {200, 52, 44},
                    {175, 42, 36},  {250, 240, 190}, {220, 240, 250}};
    Canvas c = SeaAndSky(k);
    c.Paint(Circle(700, 80, 80), Rgb{255, 250, 220}, 0.2);
    c.Paint(Circle(700, 80, 36), Rgb{255, 248, 215});
    Clouds(c, Rgb{255, 255, 255}, 0.85, 11);
    Waves(c, k.Wave, 0.35, 3);
    Island(c, k, false);
    // Two gulls.
    for (Point g : {Point{330, 230}, Point{372, 212}}) {
        c.Paint(Polygon({{g.x - 14, g.y - 4}, {g.x, g.y + 3}, {g.x + 14, g.y - 4}, {g.x, g.y}}),
                Rgb{60, 60, 70});
    }
    return c.Colours();
}

Surface LighthouseByNight() {
    IslandColours k{{8, 12, 38},  {32, 44, 88},    {22, 40, 72},    {5, 10, 26},
                    {38, 36, 44}, {24, 44, 36},    {150, 152, 165}, {100, 34, 36},
                    {90, 30, 30}, {255, 236, 160}, {120, 140, 190}};
    Canvas c = SeaAndSky(k);
    Dice dice(29);
    for (int i = 0; i < 160; ++i) {
        double y = dice.Between(0, kHorizon - 40);
        c.Paint(Circle(dice.Between(0, kW), y, dice.Between(0.6, 1.7)), Rgb{255, 255, 240},
                dice.Between(0.4, 1.0));
    }
    // A crescent moon and its broken reflection.
    Rgb moon{245, 240, 215};
    c.Paint(Subtract(Circle(160, 90, 30), Circle(174, 82, 26)), moon);
    c.Paint(Circle(160, 90, 50), moon, 0.04);
    for (int i = 0; i < 16; ++i) {
        double y = kHorizon + 8 + i * 13;
        c.Paint(Ellipse(160 + dice.Between(-8, 8), y, 10 + i * 1.5, 1.4), moon, 0.45);
    }
    Waves(c, k.Wave, 0.18, 5);
    Island(c, k, true);
    return c.Colours();
}

Surface KeepersRoom() {
    Canvas c(kW, kH);
    c.VerticalGradient(0, 400, Rgb{205, 185, 150}, Rgb{178, 156, 124});
    c.Paint(Box(0, 360, kW, 40), Rgb{120, 86, 60});
    for (int row = 0; row < 7; ++row) {
        Rgb plank = row % 2 ? Rgb{138, 98, 68} : Rgb{128, 90, 62};
        c.Paint(Box(0, 400 + row * 30, kW, 30), plank);
        c.Paint(Box(0, 400 + row * 30, kW, 2), Rgb{80, 56, 40});
    }
    // The window onto the sea.
    c.Paint(Box(452, 82, 256, 216), Rgb{92, 62, 42});
    c.Paint(Box(464, 94, 232, 192), [](double, double y) {
        return y < 200 ? Mix(Rgb{110, 160, 215}, Rgb{200, 225, 240}, (y - 94) / 106)
                       : Mix(Rgb{60, 125, 170}, Rgb{30, 80, 130}, (y - 200) / 86);
    });
    c.Paint(Box(576, 94, 8, 192), Rgb{92, 62, 42});
    c.Paint(Box(464, 186, 232, 8), Rgb{92, 62, 42});
    c.Paint(Box(440, 296, 280, 12), Rgb{110, 76, 52});
    // A framed picture of the lighthouse, a shelf of books, a table with a lamp, a rug.
    c.Paint(Box(140, 110, 130, 100), Rgb{150, 110, 50});
    c.Paint(Box(150, 120, 110, 80), Rgb{120, 170, 210});
    c.Paint(Taper(205, 135, 195, 10, 18), Rgb{245, 245, 240});
    c.Paint(Box(728, 110, 72, 290), Rgb{100, 70, 48});
    Dice dice(41);
    for (int shelf = 0; shelf < 4; ++shelf) {
        double top = 120 + shelf * 70;
        c.Paint(Box(728, top + 60, 72, 8), Rgb{70, 48, 32});
        for (double x = 734; x < 794;) {
            double w = dice.Between(6, 12), h = dice.Between(38, 56);
            Rgb spine{int(dice.Between(60, 200)), int(dice.Between(40, 150)),
                      int(dice.Between(40, 150))};
            c.Paint(Box(x, top + 60 - h, w, h), spine);
            x += w + 1;
        }
    }
    c.Paint(Ellipse(260, 520, 220, 50), Rgb{150, 44, 46});
    c.Paint(Ellipse(260, 520, 190, 38), Rgb{175, 120, 60}, 0.6);
    c.Paint(Polygon({{90, 372}, {390, 372}, {412, 404}, {68, 404}}), Rgb{112, 76, 50});
    for (double x : {84.0, 380.0})
        c.Paint(Box(x, 404, 14, 110), Rgb{92, 62, 42});
    c.Paint(Circle(250, 300, 90), Rgb{255, 220, 140}, 0.12);
    c.Paint(Box(238, 350, 24, 24), Rgb{80, 70, 60});
    c.Paint(Ellipse(250, 322, 24, 32), Rgb{255, 228, 150}, 0.9);
    c.Paint(Box(236, 284, 28, 8), Rgb{60, 55, 50});
    return c.Colours();
}

Surface Forest() {
    Canvas c(kW, kH);
    c.VerticalGradient(0, 430, Rgb{185, 215, 180}, Rgb{120, 165, 120});
    c.VerticalGradient(430, kH, Rgb{74, 96, 52}, Rgb{38, 58, 30});
    Dice dice(53);
    for (int i = 0; i < 26; ++i) {  // the far trees, pale in the haze
        double x = dice.Between(-20, kW + 20), h = dice.Between(120, 220);
        c.Paint(Polygon({{x, 430 - h}, {x + 40, 440}, {x - 40, 440}}), Rgb{110, 150, 115}, 0.8);
    }
    c.Paint(Polygon({{330, 600}, {480, 600}, {418, 430}, {394, 430}}), Rgb{152, 132, 96});
    for (int i = 0; i < 4; ++i) {  // light falling between the trees
        double x = 200 + i * 130;
        c.Paint(Polygon({{x, 0}, {x + 50, 0}, {x + 150, 600}, {x + 60, 600}}), Rgb{255, 250, 200},
                0.1);
    }
    for (double side : {0.0, 1.0}) {
        for (int i = 0; i < 4; ++i) {
            double x = side ? 540 + i * 70 + dice.Between(-10, 10) : 40 + i * 75;
            double foot = 470 + dice.Between(0, 110);
            c.Paint(Box(x - 12, 100, 24, foot - 100), Rgb{92, 66, 44});
            for (int k = 0; k < 7; ++k) {
                Rgb leaf = Mix(Rgb{30, 70, 36}, Rgb{70, 120, 60}, dice.Next());
                c.Paint(Ellipse(x + dice.Between(-60, 60), dice.Between(20, 260),
                                dice.Between(40, 80), dice.Between(30, 60)),
                        leaf, 0.92);
            }
        }
    }
    for (int i = 0; i < 40; ++i) {  // flowers in the grass
        Rgb petal = i % 3 ? Rgb{250, 250, 240} : Rgb{240, 200, 60};
        c.Paint(Circle(dice.Between(0, kW), dice.Between(450, 600), 2.5), petal);
    }
    return c.Colours();
}

Surface WesternBeachAtDusk() {
    const int sea = 340, sand = 470;
    Canvas c(kW, kH);
    c.VerticalGradient(0, sea, Rgb{58, 40, 92}, Rgb{250, 152, 92});
    c.Paint(Circle(400, sea, 120), Rgb{255, 200, 120}, 0.2);
    c.Paint(Circle(400, sea, 58), Rgb{255, 210, 130});
    Dice dice(67);
    for (int i = 0; i < 7; ++i) {
        c.Paint(Ellipse(dice.Between(0, kW), dice.Between(60, 240), dice.Between(60, 140), 6),
                Rgb{200, 110, 130}, 0.55);
    }
    c.VerticalGradient(sea, sand + 10, Rgb{150, 84, 100}, Rgb{62, 50, 92});
    for (int i = 0; i < 14; ++i) {  // the sun's path on the water
        double y = sea + 6 + i * 9;
        c.Paint(Ellipse(400 + dice.Between(-10, 10), y, 50 - i * 2.5, 1.6), Rgb{255, 200, 130},
                0.6);
    }
    std::vector<Point> shore{{0, 600}, {0, sand}};
    for (int x = 0; x <= kW; x += 20)
        shore.push_back({double(x), sand + 8 * std::sin(x / 60.0)});
    shore.push_back({kW, 600});
    c.Paint(Polygon(shore), [&](double, double y) {
        return Mix(Rgb{222, 176, 140}, Rgb{178, 136, 104}, (y - sand) / (kH - sand));
    });
    for (int x = 0; x < kW; x += 20)
        c.Paint(Ellipse(x + 10, sand + 8 * std::sin((x + 10) / 60.0) - 2, 14, 2),
                Rgb{250, 235, 225}, 0.6);
    return c.Colours();
}

}  // namespace vespin::demo
