#include "core/screens/roll_box.h"

#include <algorithm>
#include <string>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_kernels.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/transition_kit.h"
#include "core/resources/picture.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

constexpr uint32_t kFadePeriodMs = 30;
constexpr int kFadeEnd = 255;
constexpr int kLineHeight = 32;
constexpr int kShadowOffset = 2;
// Box corners beyond this are pulled in: far enough that no layout on the screen changes, near
// enough that sizes and offsets computed from them cannot overflow.
constexpr int kCoordinateLimit = 1 << 20;

PlainFont RollFont() {
    return PlainFont{sjis_text::kDefaultFontName, FontSize{kLineHeight, SizeUnit::Cell},
                     FontWeight::Regular};
}

// The picture shown from now on, screen-sized whatever the archive held: a smaller picture sits
// at the top-left corner on black, a larger one is cut at the screen's edges.
void PlaceOnComposition(EngineState& e, Surface&& picture) {
    if (picture.Width() == kScreenWidth && picture.Height() == kScreenHeight) {
        e.CompositionSurface = std::move(picture);
        return;
    }
    Surface screen(kScreenWidth, kScreenHeight);
    CopyRect(picture, Rect{0, 0, picture.Width(), picture.Height()}, screen, 0, 0);
    e.CompositionSurface = std::move(screen);
}

Surface& Composition(EngineState& e) {
    Surface& c = e.CompositionSurface;
    if (c.Width() != kScreenWidth || c.Height() != kScreenHeight)
        c.Resize(kScreenWidth, kScreenHeight);
    return c;
}

// out = x * a + y * (256 - a) over the visible box, x and y taken at the box's place of two
// screen-sized surfaces, out a box-sized one.
void FadeBoxRows(const Surface& x, int x_left, int x_top, const Surface& y, const Rect& box,
                 int weight, Surface& out) {
    const PixelKernels& k = ActivePixelKernels();
    const unsigned a = static_cast<unsigned>(std::clamp(weight, 0, kFullWeight));
    const size_t bytes = static_cast<size_t>(box.w) * 3;
    for (int r = 0; r < box.h; ++r) {
        k.CrossFade(x.Row(x_top + r) + x_left * 3, y.Row(box.y + r) + box.x * 3, bytes, a,
                    out.Row(r));
    }
}

void ShowBoxFrame(EngineState& e, const Surface& picture, const Rect& box) {
    BlitToDrawingArea(e, picture, Rect{0, 0, box.w, box.h}, box.x, box.y);
}

// Runs fade frames with the weight rising by `step` a period from 0 until it reaches 255.
template <typename Frame>
void Fade(EngineState& e, int step, Frame frame) {
    StartClock(e);
    for (int a = 0; a < kFadeEnd && !RollStopped(e); a += step * WaitPeriod(e, kFadePeriodMs))
        frame(a);
}

// The text block laid out in the box: each line black at +2, +2 and white over it.
void LayOutText(EngineState& e) {
    RollState& r = e.Rolls;
    const Rect& v = r.Visible;
    CopyRect(Composition(e), v, r.BoxPicture, 0, 0);
    const int width = r.BoxRight - r.BoxLeft;
    const int height = r.BoxBottom - r.BoxTop;
    const int count = static_cast<int>(std::min<size_t>(r.Lines.size(), kCoordinateLimit));
    const int first = r.CentreVertically ? (height - count * kLineHeight) / 2 : 0;
    // Where the box's own origin lies in the pictures, which hold only its visible part.
    const int dx = r.BoxLeft - v.x;
    const int dy = r.BoxTop - v.y;
    const PlainFont font = RollFont();
    FontSource& fonts = e.TextRenderer.Fonts;
    for (int i = 0; i < count; ++i) {
        const int y = first + kLineHeight * i + dy;
        if (y + kLineHeight + kShadowOffset <= 0 || y >= v.h) continue;  // wholly outside
        const std::string& text = r.Lines[static_cast<size_t>(i)];
        const int w = MeasurePlainText(fonts, text, font).Width;
        int x = 0;
        if (r.Align == RollAlign::Centre) x = (width - w) / 2;
        if (r.Align == RollAlign::Right) x = width - w;
        x += dx;
        DrawPlainText(fonts, r.BoxPicture, x + kShadowOffset, y + kShadowOffset, text, font,
                      kBlack);
        DrawPlainText(fonts, r.BoxPicture, x, y, text, font, kWhite);
    }
}

}  // namespace

bool RollStopped(const EngineState& e) {
    return e.Rolls.Abort || e.Shell.WindowClosed;
}

void ResetRollBox(EngineState& e) {
    RollState& r = e.Rolls;
    r.Lines.clear();
    r.CentreVertically = true;
    r.Align = RollAlign::Centre;
    SetRollBox(e, 200, 200, 600, 600);
}

void SetRollBox(EngineState& e, int left, int top, int right, int bottom) {
    auto bound = [](int v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); };
    RollState& r = e.Rolls;
    r.BoxLeft = bound(left), r.BoxTop = bound(top);
    r.BoxRight = bound(right), r.BoxBottom = bound(bottom);
    const int x0 = std::max(r.BoxLeft, 0), y0 = std::max(r.BoxTop, 0);
    const int x1 = std::min(r.BoxRight, kScreenWidth), y1 = std::min(r.BoxBottom, kScreenHeight);
    r.Visible = Rect{x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
    if (r.Visible.w == 0 || r.Visible.h == 0) r.Visible = Rect{};
    r.BoxPicture.Resize(r.Visible.w, r.Visible.h);
    r.BoxWork.Resize(r.Visible.w, r.Visible.h);
}

void ShowRollPicture(EngineState& e, std::string_view name, int mode) {
    Surface picture;
    if (LoadPicture(e.Archives, name, picture)) PlaceOnComposition(e, std::move(picture));
    Surface& c = Composition(e);
    Surface& display = transition::NewFrame(e);
    if (mode == 1 || mode == 2) {
        Surface& work = transition::WorkFrame(e);
        Fade(e, mode == 1 ? 16 : 8, [&](int a) {
            CrossFadeSurface(c, display, a, work);
            ShowOnDrawingArea(e, work);
        });
    }
    display = c;
    ShowOnDrawingArea(e, display);
}

void PutRollText(EngineState& e, int n) {
    Surface& display = transition::NewFrame(e);
    RollState& r = e.Rolls;
    const Rect v = r.Visible;
    if (n == 0 || n == 1) LayOutText(e);
    if (n == 1) {
        Fade(e, 8, [&](int a) {
            FadeBoxRows(r.BoxPicture, 0, 0, display, v, a, r.BoxWork);
            ShowBoxFrame(e, r.BoxWork, v);
        });
    }
    if (n == 0 || n == 1) CopyRect(r.BoxPicture, Rect{0, 0, v.w, v.h}, display, v.x, v.y);
    ShowOnDrawingArea(e, display);
}

void EraseRollBox(EngineState& e, int n) {
    Surface& display = transition::NewFrame(e);
    Surface& c = Composition(e);
    RollState& r = e.Rolls;
    const Rect v = r.Visible;
    if (n == 0) display = c;
    if (n == 1) {
        Fade(e, 8, [&](int a) {
            FadeBoxRows(c, v.x, v.y, display, v, a, r.BoxWork);
            ShowBoxFrame(e, r.BoxWork, v);
        });
        CopyRect(c, v, display, v.x, v.y);
    }
    ShowOnDrawingArea(e, display);
}

}  // namespace vespin
