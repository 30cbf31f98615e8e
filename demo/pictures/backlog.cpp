// The log screen's pictures: its scroll bar (colours beside their opacities), the thumb and the
// icon of a voice line.

#include <cstring>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

// The bar's picture keeps its opacities to the right of its colours, each half as wide.
Surface SideBySide(const Canvas& c) {
    Surface colours = c.Colours(), coverage = c.Coverage();
    Surface s(2 * c.Width(), c.Height());
    for (int y = 0; y < c.Height(); ++y) {
        std::memcpy(s.Row(y), colours.Row(y), colours.Stride());
        std::memcpy(s.Row(y) + colours.Stride(), coverage.Row(y), coverage.Stride());
    }
    return s;
}

// An arrow head pointing up (or down) inside a 32-pixel-wide button whose top is at `top`.
Shape Arrow(double top, bool up) {
    double tip = up ? top + 5 : top + 15, base = up ? top + 15 : top + 5;
    return Polygon({{16, tip}, {24, base}, {8, base}});
}

}  // namespace

Surface BacklogBar() {
    Canvas c(32, 570);
    c.Paint(RoundedBox(2, 0, 30, 570, 8), Rgb{20, 30, 60}, 0.75);
    c.Paint(RoundedBox(9, 24, 16, 522, 6), Rgb{90, 110, 160}, 0.6);   // the track
    c.Paint(RoundedBox(2, 0, 30, 20, 6), Rgb{70, 100, 170}, 0.95);    // up, y 10..29 on screen
    c.Paint(RoundedBox(2, 550, 30, 20, 6), Rgb{70, 100, 170}, 0.95);  // down, y 560..579
    c.Paint(Arrow(0, true), Rgb{235, 240, 255});
    c.Paint(Arrow(550, false), Rgb{235, 240, 255});
    return SideBySide(c);
}

Surface BacklogThumb() {
    Canvas c(24, 30);
    c.Fill(Rgb{24, 34, 66});
    c.Paint(RoundedBox(1, 1, 22, 28, 6), Rgb{200, 215, 250});
    c.Paint(RoundedBox(4, 4, 16, 22, 4), Rgb{120, 150, 220});
    return c.Colours();
}

Surface VoiceMarkIcon() {
    Canvas c(40, 20);
    c.Fill(Rgb{0, 0, 0});
    c.Paint(RoundedBox(1, 1, 38, 18, 6), Rgb{60, 120, 90});
    c.Paint(Box(8, 7, 5, 6), Rgb{240, 250, 240});  // a loudspeaker
    c.Paint(Polygon({{12, 7}, {19, 3}, {19, 17}, {12, 13}}), Rgb{240, 250, 240});
    for (double r : {4.0, 7.5}) {  // two sound waves to the right of the speaker
        Shape ring = Subtract(Circle(20, 10, r + 1.5), Circle(20, 10, r));
        c.Paint(Intersect(ring, Box(21, 0, 19, 20)), Rgb{240, 250, 240});
    }
    return c.Colours();
}

}  // namespace vespin::demo
