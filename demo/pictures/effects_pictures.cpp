// Pictures of the scene effects chapter: a view down the lighthouse from the sky to the sea,
// taller than the screen so that `scroll` can pan over it, and a small gull for the object layer.

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

Surface TallLighthouse() {
    constexpr int kW = 800, kH = 1400;
    Canvas c(kW, kH);
    c.VerticalGradient(0, 900, Rgb{20, 40, 110}, Rgb{150, 200, 240});
    c.VerticalGradient(900, kH, Rgb{40, 110, 170}, Rgb{10, 40, 80});
    Dice dice(7);
    for (int i = 0; i < 60; ++i)
        c.Paint(Circle(dice.Between(0, kW), dice.Between(0, 350), dice.Between(1, 2.5)),
                Rgb{255, 255, 230}, 0.8);
    for (int i = 0; i < 120; ++i) {
        double y = dice.Between(1000, kH);
        c.Paint(Ellipse(dice.Between(0, kW), y, 10 + 20 * (y - 1000) / 400, 1.5),
                Rgb{220, 240, 255}, 0.6);
    }
    c.Paint(Polygon({{300, 1400}, {340, 1000}, {400, 930}, {520, 920}, {600, 960}, {640, 1400}}),
            Rgb{90, 80, 70});
    c.Paint(Taper(470, 300, 940, 70, 130), Rgb{240, 240, 235});
    for (double top : {380.0, 540.0, 700.0, 860.0})
        c.Paint(Intersect(Taper(470, 300, 940, 70, 130), Box(0, top, kW, 60)), Rgb{200, 40, 40});
    c.Paint(Box(430, 240, 80, 60), Rgb{255, 230, 120});
    c.Paint(Polygon({{420, 242}, {520, 242}, {470, 190}}), Rgb{60, 60, 70});
    return c.Colours();
}

Surface GullObject() {
    constexpr int kSize = 48;
    Canvas c(kSize, kSize);
    c.Paint(
        Polygon({{4, 18}, {16, 12}, {24, 22}, {32, 12}, {44, 18}, {32, 16}, {24, 28}, {16, 16}}),
        Rgb{250, 250, 250});
    c.Paint(Circle(24, 24, 3), Rgb{255, 200, 60});
    return c.Stacked();
}

}  // namespace vespin::demo
