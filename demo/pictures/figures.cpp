// The demo's three characters, 600 rows tall, each with its mask: the guide (also smiling), the
// lighthouse keeper and a girl from the village.

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

constexpr int kHeight = 600;
constexpr Rgb kSkin{250, 222, 196};
constexpr Rgb kEye{44, 34, 36};

struct Face {
    double Cx, Cy, Rx, Ry;
};

void Eyes(Canvas& c, const Face& f, bool smiling) {
    for (double side : {-1.0, 1.0}) {
        double x = f.Cx + side * f.Rx * 0.4, y = f.Cy + f.Ry * 0.05;
        if (smiling) {  // closed, curved eyes
            c.Paint(Subtract(Ellipse(x, y + 2, 8, 6), Ellipse(x, y + 5, 8, 6)), kEye);
        } else {
            c.Paint(Ellipse(x, y, 6, 8), kEye);
            c.Paint(Circle(x + 2, y - 3, 2), Rgb{255, 255, 255});
        }
        c.Paint(Ellipse(x + side * 4, y + 16, 9, 5), Rgb{240, 150, 150}, 0.35);
    }
}

void Mouth(Canvas& c, const Face& f, bool smiling) {
    double y = f.Cy + f.Ry * 0.5;
    if (smiling) {
        c.Paint(Intersect(Ellipse(f.Cx, y - 2, 13, 9), Box(f.Cx - 14, y - 2, 28, 12)),
                Rgb{170, 60, 60});
    } else {
        c.Paint(RoundedBox(f.Cx - 7, y, 14, 3, 1.5), Rgb{150, 70, 70});
    }
}

// Shoulders widening into a long body that runs to the bottom edge.
Shape Body(double cx, double neck_y, double shoulder, double hem) {
    return Polygon({{cx - shoulder * 0.55, neck_y},
                    {cx + shoulder * 0.55, neck_y},
                    {cx + shoulder, neck_y + 40},
                    {cx + hem, kHeight},
                    {cx - hem, kHeight},
                    {cx - shoulder, neck_y + 40}});
}

Character Finish(const Canvas& c) {
    return {c.Colours(), c.Coverage()};
}

}  // namespace

Character Guide(bool smiling) {
    const double cx = 160;
    Canvas c(320, kHeight);
    Face f{cx, 152, 50, 58};
    c.Paint(Ellipse(cx, 150, 58, 70), Rgb{110, 70, 44});  // hair behind the head
    c.Paint(Box(cx - 14, 196, 28, 40), Mix(kSkin, Rgb{0, 0, 0}, 0.1));
    Rgb coat{40, 62, 112};
    c.Paint(Body(cx, 226, 112, 138), coat);
    c.Paint(Polygon({{cx - 26, 226}, {cx + 26, 226}, {cx, 290}}), Rgb{245, 245, 240});
    for (double side : {-1.0, 1.0}) {  // arms and hands
        c.Paint(Polygon({{cx + side * 100, 262},
                         {cx + side * 126, 270},
                         {cx + side * 134, 470},
                         {cx + side * 104, 470}}),
                Mix(coat, Rgb{0, 0, 0}, 0.18));
        c.Paint(Circle(cx + side * 119, 484, 17), kSkin);
    }
    for (int i = 0; i < 4; ++i)
        c.Paint(Circle(cx, 320 + i * 55, 6), Rgb{220, 180, 80});
    c.Paint(Ellipse(f.Cx, f.Cy, f.Rx, f.Ry), kSkin);
    c.Paint(Intersect(Ellipse(cx, 128, 56, 50), Box(cx - 60, 70, 120, 52)), Rgb{110, 70, 44});
    c.Paint(Ellipse(cx, 92, 96, 16), Rgb{52, 42, 36});  // the hat's brim, crown and band
    c.Paint(RoundedBox(cx - 48, 36, 96, 58, 12), Rgb{62, 50, 42});
    c.Paint(Box(cx - 48, 74, 96, 12), Rgb{160, 44, 44});
    Eyes(c, f, smiling);
    Mouth(c, f, smiling);
    return Finish(c);
}

Character Keeper() {
    const double cx = 180;
    Canvas c(360, kHeight);
    Face f{cx, 160, 56, 62};
    c.Paint(Box(cx - 18, 206, 36, 40), Mix(kSkin, Rgb{0, 0, 0}, 0.12));
    Rgb sweater{52, 84, 62};
    c.Paint(Body(cx, 232, 140, 160), sweater);
    for (int i = 0; i < 8; ++i)  // the knit's ribs
        c.Paint(Intersect(Body(cx, 232, 140, 160), Box(0, 300 + i * 38, 360, 6)),
                Mix(sweater, Rgb{255, 255, 255}, 0.15));
    c.Paint(RoundedBox(cx - 50, 226, 100, 26, 12), Mix(sweater, Rgb{0, 0, 0}, 0.2));
    for (double side : {-1.0, 1.0}) {
        c.Paint(Polygon({{cx + side * 124, 270},
                         {cx + side * 152, 282},
                         {cx + side * 162, 480},
                         {cx + side * 128, 480}}),
                Mix(sweater, Rgb{0, 0, 0}, 0.2));
        c.Paint(Circle(cx + side * 145, 494, 20), Mix(kSkin, Rgb{120, 60, 40}, 0.15));
    }
    c.Paint(Ellipse(f.Cx, f.Cy, f.Rx, f.Ry), Mix(kSkin, Rgb{160, 90, 60}, 0.15));
    c.Paint(Ellipse(cx, 222, 58, 48), Rgb{214, 214, 210});  // the beard and moustache
    c.Paint(Ellipse(cx, 196, 34, 10), Rgb{200, 200, 196});
    c.Paint(Intersect(Ellipse(cx, 128, 64, 52), Box(cx - 70, 60, 140, 56)), Rgb{32, 42, 72});
    c.Paint(Ellipse(cx + 14, 116, 70, 12), Rgb{22, 30, 54});  // the cap's visor
    c.Paint(Circle(cx, 88, 9), Rgb{220, 190, 90});
    Eyes(c, f, false);
    c.Paint(Box(f.Cx - 36, f.Cy - 22, 24, 5), Rgb{190, 190, 186});  // bushy brows
    c.Paint(Box(f.Cx + 12, f.Cy - 22, 24, 5), Rgb{190, 190, 186});
    return Finish(c);
}

Character Girl() {
    const double cx = 140;
    Canvas c(280, kHeight);
    Face f{cx, 206, 44, 50};
    Rgb hair{34, 28, 36};
    for (double side : {-1.0, 1.0}) {  // pigtails with ribbons
        c.Paint(Ellipse(cx + side * 62, 262, 20, 62), hair);
        c.Paint(Polygon({{cx + side * 50, 196}, {cx + side * 78, 184}, {cx + side * 78, 212}}),
                Rgb{250, 210, 60});
    }
    c.Paint(Ellipse(cx, 200, 52, 60), hair);
    c.Paint(Box(cx - 12, 244, 24, 36), Mix(kSkin, Rgb{0, 0, 0}, 0.1));
    Rgb dress{192, 52, 64};
    c.Paint(Body(cx, 272, 82, 128), dress);
    c.Paint(Polygon({{cx - 40, 272}, {cx + 40, 272}, {cx + 28, 300}, {cx - 28, 300}}),
            Rgb{250, 250, 245});  // the collar
    for (double side : {-1.0, 1.0}) {
        c.Paint(Polygon({{cx + side * 72, 300},
                         {cx + side * 92, 310},
                         {cx + side * 100, 460},
                         {cx + side * 78, 460}}),
                Mix(dress, Rgb{0, 0, 0}, 0.15));
        c.Paint(Circle(cx + side * 89, 472, 14), kSkin);
    }
    c.Paint(Box(cx - 82, 430, 164, 16), Rgb{250, 250, 245});  // the apron's hem
    c.Paint(Ellipse(f.Cx, f.Cy, f.Rx, f.Ry), kSkin);
    c.Paint(Intersect(Ellipse(cx, 186, 48, 44), Box(cx - 50, 140, 100, 40)), hair);
    Eyes(c, f, false);
    Mouth(c, f, true);
    return Finish(c);
}

}  // namespace vespin::demo
