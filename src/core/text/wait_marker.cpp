// The click-wait marker: four frames blended once per wait over the screen behind the marker,
// then only copied to the drawing area as the timer ticks.

#include "core/graphics/drawing_area.h"
#include "core/graphics/pixel_ops.h"
#include "core/shell/engine_state.h"
#include "core/text/message_window.h"
#include "core/text/window_style.h"

namespace vespin {

namespace {

constexpr int kFrameWidth = 24;
constexpr int kFrameHeight = 26;
constexpr int kFrameCount = 4;

struct MarkerPlace {
    int X, Y;
};

MarkerPlace Place(const EngineState& e) {
    const WindowGeometry& g = Geometry(e);
    if (e.FullTextMode()) return {g.MarkerLeft + 20, g.MarkerTop + 15};
    return {g.MarkerLeft, g.MarkerTop};
}

}  // namespace

void PrepareWaitMarker(EngineState& e) {
    TextState& t = e.Text;
    const Surface& icon = t.ClickWaitPicture;
    t.MarkerReady = false;
    MarkerPlace at = Place(e);
    if (icon.Width() < kFrameWidth * kFrameCount || icon.Height() < 2 * kFrameHeight) return;
    if (at.X < 0 || at.Y < 0 || at.X + kFrameWidth > e.DisplaySurface.Width() ||
        at.Y + kFrameHeight > e.DisplaySurface.Height()) {
        return;
    }
    t.MarkerFrames.Resize(360, kFrameHeight);
    for (int f = 0; f < kFrameCount; ++f) {
        for (int r = 0; r < kFrameHeight; ++r) {
            uint8_t* out = t.MarkerFrames.Row(r) + f * kFrameWidth * 3;
            std::memcpy(out, e.DisplaySurface.Row(at.Y + r) + at.X * 3, kFrameWidth * 3);
            BlendWithColour(out, icon.Row(r) + f * kFrameWidth * 3,
                            icon.Row(kFrameHeight + r) + f * kFrameWidth * 3, kFrameWidth);
        }
    }
    t.MarkerReady = true;
}

void ShowWaitMarker(EngineState& e) {
    if (!e.Text.MarkerReady) return;
    int frame = static_cast<int>(e.Shell.TimerTickCount / 4 % kFrameCount);
    MarkerPlace at = Place(e);
    BlitToDrawingArea(e, e.Text.MarkerFrames,
                      Rect{frame * kFrameWidth, 0, kFrameWidth, kFrameHeight}, at.X, at.Y);
}

}  // namespace vespin
