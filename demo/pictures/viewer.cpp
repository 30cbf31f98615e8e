// The graphics viewer's pictures: for each of the four pages a base ("vw_baseN") and its lit
// copy ("vw_hoverN"), the thumbnails sheet ("vw_thmN"), the plate of a locked item ("vw_plate")
// and the completion digits ("sys_vwnum": ten 32 x 24 cells over their masks). The places match
// scenario/view.txt.

#include <array>
#include <cstdint>

#include "demo/pictures/canvas.h"
#include "demo/pictures/pictures.h"

namespace vespin::demo {

namespace {

constexpr int kW = 800, kH = 600;
constexpr int kThumbW = 200, kThumbH = 150;
constexpr int kDigitW = 32, kDigitH = 24;

struct Spot {
    int x, y;
};
// Items 1..3 of the gallery and the scene list; the two tracks of the music pages.
constexpr std::array<Spot, 3> kGallerySpots{{{50, 170}, {300, 170}, {550, 170}}};
constexpr std::array<Spot, 2> kTrackSpots{{{175, 200}, {425, 200}}};

Rgb PageColour(int page) {
    constexpr std::array<Rgb, 4> colours{{{24, 36, 72}, {56, 28, 60}, {20, 60, 56}, {44, 44, 44}}};
    return colours[(page - 1) % 4];
}

Rgb Lighter(Rgb c, double t) {
    return Mix(c, Rgb{255, 255, 255}, t);
}

// The page's icon in a link tab: a mountain, a film strip, a note, a play sign.
void LinkIcon(Canvas& c, int page, double x, double y, Rgb ink) {
    switch (page) {
        case 1:
            c.Paint(Polygon({{x, y + 30},
                             {x + 20, y + 5},
                             {x + 32, y + 20},
                             {x + 40, y + 12},
                             {x + 56, y + 30}}),
                    ink);
            break;
        case 2:
            c.Paint(Box(x, y + 4, 56, 26), ink);
            for (int i = 0; i < 5; ++i)
                c.Paint(Box(x + 4 + 11 * i, y + 8, 5, 4), Rgb{0, 0, 0});
            break;
        case 3:
            c.Paint(Circle(x + 18, y + 26, 7), ink);
            c.Paint(Box(x + 23, y, 3, 26), ink);
            c.Paint(Polygon({{x + 23, y}, {x + 40, y + 8}, {x + 40, y + 14}, {x + 26, y + 7}}),
                    ink);
            break;
        default:
            c.Paint(Polygon({{x + 14, y + 2}, {x + 44, y + 17}, {x + 14, y + 32}}), ink);
            break;
    }
}

// The top bar: links M1..M4 (the page's own lit), EXIT at the right.
void TopBar(Canvas& c, int page, bool lit) {
    c.Paint(Box(0, 0, kW, 110), Rgb{12, 12, 20}, 0.6);
    for (int i = 0; i < 4; ++i) {
        int x = 20 + 165 * i;
        bool own = i + 1 == page;
        Rgb face = own ? Rgb{200, 170, 60} : Rgb{70, 80, 110};
        if (lit) face = Lighter(face, 0.45);
        c.Paint(RoundedBox(x, 30, 150, 50, 10), face);
        LinkIcon(c, i + 1, x + 47, 38, own ? Rgb{40, 30, 10} : Rgb{230, 230, 240});
    }
    Rgb exit = lit ? Rgb{240, 120, 120} : Rgb{150, 50, 50};
    c.Paint(RoundedBox(690, 30, 90, 50, 10), exit);
    c.Paint(Polygon({{720, 42}, {724, 38}, {750, 64}, {746, 68}}), Rgb{255, 255, 255});
    c.Paint(Polygon({{746, 38}, {750, 42}, {724, 68}, {720, 64}}), Rgb{255, 255, 255});
}

// PREV and NEXT (the music player: stop and play).
void SetButtons(Canvas& c, bool player, bool lit) {
    Rgb face = lit ? Rgb{140, 200, 255} : Rgb{60, 90, 140};
    c.Paint(RoundedBox(40, 520, 100, 50, 10), face);
    c.Paint(RoundedBox(160, 520, 100, 50, 10), face);
    Rgb ink{255, 255, 255};
    if (player) {
        c.Paint(Box(76, 531, 28, 28), ink);
        c.Paint(Polygon({{198, 530}, {226, 545}, {198, 560}}), ink);
    } else {
        c.Paint(Polygon({{102, 530}, {102, 560}, {74, 545}}), ink);
        c.Paint(Polygon({{198, 530}, {226, 545}, {198, 560}}), ink);
    }
}

void Frame(Canvas& c, Spot s, Rgb border, Rgb inside) {
    c.Paint(Box(s.x - 4, s.y - 4, kThumbW + 8, kThumbH + 8), border);
    c.Paint(Box(s.x, s.y, kThumbW, kThumbH), inside);
}

void Note(Canvas& c, Spot s, Rgb ink, int track) {
    double x = s.x + 70, y = s.y + 35;
    c.Paint(Circle(x + 20, y + 66, 16), ink);
    c.Paint(Box(x + 31, y, 6, 66), ink);
    c.Paint(Polygon({{x + 31, y}, {x + 66, y + 16}, {x + 66, y + 28}, {x + 37, y + 14}}), ink);
    for (int i = 0; i < track; ++i)
        c.Paint(Circle(s.x + 20 + 16 * i, s.y + 20, 5), ink);
}

// A 800 x 600 picture down to 200 x 150: each pixel the mean of a 4 x 4 block.
Surface Shrunk(const Surface& big) {
    Surface small(kThumbW, kThumbH);
    for (int y = 0; y < kThumbH; ++y) {
        for (int x = 0; x < kThumbW; ++x) {
            for (int ch = 0; ch < 3; ++ch) {
                int sum = 0;
                for (int dy = 0; dy < 4; ++dy)
                    for (int dx = 0; dx < 4; ++dx)
                        sum += big.Row(4 * y + dy)[3 * (4 * x + dx) + ch];
                small.Row(y)[3 * x + ch] = static_cast<uint8_t>(sum / 16);
            }
        }
    }
    return small;
}

// The pictures behind the gallery's items (the first variant) and the scenes.
std::array<Surface, 3> PagePictures(int page) {
    if (page == 1)
        return {Shrunk(KeepersRoom()), Shrunk(LighthouseByDay()), Shrunk(WesternBeachAtDusk())};
    return {Shrunk(KeepersRoom()), Shrunk(LighthouseByNight()), Shrunk(Forest())};
}

void Place(Surface& target, const Surface& thumb, Spot s, bool lit) {
    for (int y = 0; y < kThumbH; ++y) {
        for (int x = 0; x < kThumbW * 3; ++x) {
            int v = thumb.Row(y)[x];
            if (lit) v = v + (255 - v) / 4;
            target.Row(s.y + y)[3 * s.x + x] = static_cast<uint8_t>(v);
        }
    }
}

Canvas PageCanvas(int page, bool lit) {
    Canvas c(kW, kH);
    Rgb top = PageColour(page);
    c.VerticalGradient(0, kH, top, Mix(top, Rgb{0, 0, 0}, 0.6));
    TopBar(c, page, lit);
    Rgb border = lit ? Rgb{255, 220, 90} : Rgb{120, 120, 140};
    if (page <= 2) {
        for (Spot s : kGallerySpots)
            Frame(c, s, border, Rgb{20, 20, 28});
        SetButtons(c, false, lit);
    } else {
        for (size_t i = 0; i < kTrackSpots.size(); ++i) {
            Frame(c, kTrackSpots[i], border, lit ? Rgb{60, 60, 90} : Rgb{30, 30, 44});
            Note(c, kTrackSpots[i], lit ? Rgb{255, 240, 160} : Rgb{110, 110, 130},
                 static_cast<int>(i) + 1);
        }
        if (page == 4) SetButtons(c, true, lit);
    }
    if (page == 1) {  // the percent sign after the digits
        c.Paint(Circle(705, 536, 5), Rgb{230, 230, 230});
        c.Paint(Circle(725, 550, 5), Rgb{230, 230, 230});
        c.Paint(Polygon({{722, 528}, {727, 528}, {708, 558}, {703, 558}}), Rgb{230, 230, 230});
    }
    return c;
}

// Seven segments of digit d in its cell.
void SegmentDigit(Canvas& c, int d) {
    static const char* segments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                       "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    double x = kDigitW * d + 9, w = 14, t = 3;
    for (const char* s = segments[d]; *s; ++s) {
        Shape part;
        switch (*s) {
            case 'a':
                part = Box(x, 2, w, t);
                break;
            case 'b':
                part = Box(x + w - t, 2, t, 10);
                break;
            case 'c':
                part = Box(x + w - t, 11, t, 11);
                break;
            case 'd':
                part = Box(x, 19, w, t);
                break;
            case 'e':
                part = Box(x, 11, t, 11);
                break;
            case 'f':
                part = Box(x, 2, t, 10);
                break;
            default:
                part = Box(x, 10.5, w, t);
                break;
        }
        c.Paint(part, Rgb{250, 240, 200});
    }
}

}  // namespace

Surface ViewerBase(int page, bool lit) {
    Surface s = PageCanvas(page, lit).Colours();
    // The lit copy shows the thumbnails lit, as the pointer finds them.
    if (lit && page <= 2) {
        std::array<Surface, 3> pictures = PagePictures(page);
        for (size_t i = 0; i < pictures.size(); ++i)
            Place(s, pictures[i], kGallerySpots[i], true);
    }
    return s;
}

Surface ViewerThumbs(int page) {
    Surface s(kW, kH);
    if (page <= 2) {
        std::array<Surface, 3> pictures = PagePictures(page);
        for (size_t i = 0; i < pictures.size(); ++i)
            Place(s, pictures[i], kGallerySpots[i], false);
        return s;
    }
    // The music room's playing track: its frame lit.
    Canvas c(kW, kH);
    for (size_t i = 0; i < kTrackSpots.size(); ++i) {
        c.Paint(Box(kTrackSpots[i].x, kTrackSpots[i].y, kThumbW, kThumbH), Rgb{90, 70, 30});
        Note(c, kTrackSpots[i], Rgb{255, 210, 80}, static_cast<int>(i) + 1);
    }
    return c.Colours();
}

Surface ViewerPlate() {
    Canvas c(kThumbW, kThumbH);
    c.VerticalGradient(0, kThumbH, Rgb{90, 90, 100}, Rgb{50, 50, 60});
    c.Paint(Subtract(Circle(100, 62, 22), Circle(100, 62, 13)), Rgb{200, 200, 210});
    c.Paint(RoundedBox(72, 66, 56, 44, 6), Rgb{200, 200, 210});
    c.Paint(Circle(100, 84, 6), Rgb{50, 50, 60});
    return c.Colours();
}

Surface ViewerDigits() {
    Canvas c(kDigitW * 10, kDigitH);
    for (int d = 0; d < 10; ++d)
        SegmentDigit(c, d);
    return c.Stacked();
}

}  // namespace vespin::demo
