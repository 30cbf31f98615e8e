#include "core/graphics/drawing_area.h"

#include <algorithm>
#include <cstring>

#include "core/host/host.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

void Show(EngineState& e, Rect area) {
    area.w = std::min(area.w, e.DrawingArea.Width() - area.x);
    area.h = std::min(area.h, e.DrawingArea.Height() - area.y);
    if (area.w > 0 && area.h > 0) e.Host.Present(e.DrawingArea, area);
}

}  // namespace

void ShowOnDrawingArea(EngineState& e, const Surface& source, const Rect& area) {
    BlitToDrawingArea(e, source, area, area.x, area.y);
}

void ShowOnDrawingArea(EngineState& e, const Surface& source) {
    ShowOnDrawingArea(e, source, Rect{0, 0, source.Width(), source.Height()});
}

void BlitToDrawingArea(EngineState& e, const Surface& source, const Rect& from, int x, int y) {
    Rect written = CopyRect(source, from, e.DrawingArea, x, y);
    if (written.w > 0) Show(e, written);
}

void BlitToDrawingAreaKeyed(EngineState& e, const Surface& source, const Rect& from, int x, int y,
                            uint8_t key_blue, uint8_t key_green, uint8_t key_red) {
    Rect r = from;
    if (!ClipCopy(source, r, x, y, e.DrawingArea)) return;
    for (int row = 0; row < r.h; ++row) {
        const uint8_t* s = source.Row(r.y + row) + r.x * 3;
        uint8_t* d = e.DrawingArea.Row(y + row) + x * 3;
        for (int i = 0; i < r.w; ++i, s += 3, d += 3) {
            if (s[0] == key_blue && s[1] == key_green && s[2] == key_red) continue;
            d[0] = s[0], d[1] = s[1], d[2] = s[2];
        }
    }
    Show(e, Rect{x, y, r.w, r.h});
}

}  // namespace vespin
