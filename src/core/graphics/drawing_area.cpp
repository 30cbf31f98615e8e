#include "core/graphics/drawing_area.h"

#include <algorithm>
#include <cstring>

#include "core/host/host.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

// The part of `from` (a rectangle of `source`) that lands inside both surfaces when drawn at
// (x, y) of `target`; `x`, `y` and `from` are moved to match.
bool Clip(const Surface& source, Rect& from, int& x, int& y, const Surface& target) {
    if (from.x < 0) from.w += from.x, x -= from.x, from.x = 0;
    if (from.y < 0) from.h += from.y, y -= from.y, from.y = 0;
    if (x < 0) from.w += x, from.x -= x, x = 0;
    if (y < 0) from.h += y, from.y -= y, y = 0;
    from.w = std::min({from.w, source.Width() - from.x, target.Width() - x});
    from.h = std::min({from.h, source.Height() - from.y, target.Height() - y});
    return from.w > 0 && from.h > 0;
}

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
    Rect r = from;
    if (!Clip(source, r, x, y, e.DrawingArea)) return;
    for (int row = 0; row < r.h; ++row) {
        std::memcpy(e.DrawingArea.Row(y + row) + x * 3, source.Row(r.y + row) + r.x * 3, r.w * 3);
    }
    Show(e, Rect{x, y, r.w, r.h});
}

void BlitToDrawingAreaKeyed(EngineState& e, const Surface& source, const Rect& from, int x, int y,
                            uint8_t key_blue, uint8_t key_green, uint8_t key_red) {
    Rect r = from;
    if (!Clip(source, r, x, y, e.DrawingArea)) return;
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
