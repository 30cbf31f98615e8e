#include "core/graphics/surface.h"

#include <algorithm>
#include <cstring>

namespace vespin {

bool ClipCopy(const Surface& source, Rect& from, int& x, int& y, const Surface& target) {
    if (from.x < 0) from.w += from.x, x -= from.x, from.x = 0;
    if (from.y < 0) from.h += from.y, y -= from.y, from.y = 0;
    if (x < 0) from.w += x, from.x -= x, x = 0;
    if (y < 0) from.h += y, from.y -= y, y = 0;
    from.w = std::min({from.w, source.Width() - from.x, target.Width() - x});
    from.h = std::min({from.h, source.Height() - from.y, target.Height() - y});
    return from.w > 0 && from.h > 0;
}

Rect CopyRect(const Surface& source, const Rect& from, Surface& target, int x, int y) {
    Rect r = from;
    if (!ClipCopy(source, r, x, y, target)) return {};
    // Black onto black: the target is already what the copy would make it.
    if (source.PixelsPending() && target.PixelsPending()) return Rect{x, y, r.w, r.h};
    for (int row = 0; row < r.h; ++row) {
        std::memcpy(target.Row(y + row) + x * 3, source.Row(r.y + row) + r.x * 3,
                    static_cast<size_t>(r.w) * 3);
    }
    return Rect{x, y, r.w, r.h};
}

}  // namespace vespin
