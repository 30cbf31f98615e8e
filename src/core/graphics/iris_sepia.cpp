// The closing iris of the `iris` command and the sepia still of the special scenes.

#include <algorithm>

#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/shape_fill.h"
#include "core/graphics/transition_kit.h"
#include "core/graphics/transitions.h"
#include "core/shell/engine_state.h"
#include "core/text/message_window.h"

namespace vespin {

namespace {

using namespace transition;

constexpr int kCentreX = kScreenWidth / 2;
constexpr int kCentreY = kScreenHeight / 2;

// Blackens the drawing area outside the disc of radius r. The area is drawn on directly, so
// what shows inside the circle is whatever was on screen.
void ShowOutsideCircle(EngineState& e, const Surface& black, int r) {
    const int top = std::max(kCentreY - r, 0);
    const int bottom = std::min(kCentreY + r, kScreenHeight);
    Show(e, black, Rect{0, 0, kScreenWidth, top});
    Show(e, black, Rect{0, bottom, kScreenWidth, kScreenHeight - bottom});
    for (int y = top; y < bottom; ++y) {
        const int h = DiscHalfWidth(r, kCentreY, y);
        Show(e, black, Rect{0, y, kCentreX - h, 1});
        Show(e, black, Rect{kCentreX + h, y, kCentreX - h, 1});
    }
}

// blue = g / 4, green = 3g / 4, red = g for g the mean of the three bytes.
void SepiaCopy(const Surface& from, Surface& to) {
    for (int y = 0; y < kScreenHeight; ++y) {
        const uint8_t* s = from.Row(y);
        uint8_t* d = to.Row(y);
        for (int i = 0; i < kScreenWidth * 3; i += 3) {
            const int g = (s[i] + s[i + 1] + s[i + 2]) / 3;
            d[i] = static_cast<uint8_t>(g / 4);
            d[i + 1] = static_cast<uint8_t>(g * 3 / 4);
            d[i + 2] = static_cast<uint8_t>(g);
        }
    }
}

}  // namespace

void IrisClose(EngineState& e) {
    const Surface black(kScreenWidth, kScreenHeight);
    StartClock(e);
    for (int r = 500; r > 0;) {
        ShowOutsideCircle(e, black, r);
        r -= 4 * WaitPeriod(e, 20);
    }
    Surface& n = NewFrame(e);
    n.Fill(0, 0, 0);
    ShowAll(e, n);
}

void SepiaFreeze(EngineState& e) {
    ShellState& sh = e.Shell;
    sh.EngineBusy = true;
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    Surface& w = WorkFrame(e);
    // The fade starts from the frame on screen, not from whatever frame the last transition
    // left behind in O.
    CopySurface(n, o);
    {
        Surface& composition = e.CompositionSurface;
        if (composition.Width() != kScreenWidth || composition.Height() != kScreenHeight)
            composition.Resize(kScreenWidth, kScreenHeight);
        Surface sepia(kScreenWidth, kScreenHeight);
        SepiaCopy(composition, sepia);
        CopySurface(sepia, n);
        CopySurface(sepia, composition);
    }
    PaintWindowOntoDisplay(e);
    StartClock(e);
    for (int a = 48; a < kFullWeight;) {
        CrossFadeSurface(n, o, a, w);
        ShowAll(e, w);
        a += 8 * WaitPeriod(e, 20);
    }
    ShowAll(e, n);
    sh.EngineBusy = false;
}

}  // namespace vespin
