#include "qt/frame_copy.h"

#include <algorithm>
#include <cstdint>

namespace vespin {

QRect CopyBgrToRgb32(const Surface& source, const Rect& area, QImage& target) {
    if (target.format() != QImage::Format_RGB32) return {};
    // Clip in 64 bits so that an area near INT_MAX cannot overflow while being added up.
    auto clip = [](int64_t lo, int64_t hi, int64_t limit_a, int64_t limit_b) {
        int64_t from = std::max<int64_t>(lo, 0);
        int64_t to = std::min({hi, limit_a, limit_b});
        return std::pair<int, int>(static_cast<int>(from), static_cast<int>(std::max(to, from)));
    };
    auto [x0, x1] = clip(area.x, int64_t{area.x} + area.w, source.Width(), target.width());
    auto [y0, y1] = clip(area.y, int64_t{area.y} + area.h, source.Height(), target.height());
    if (x1 <= x0 || y1 <= y0) return {};
    for (int y = y0; y < y1; ++y) {
        const uint8_t* from = source.Row(y) + x0 * 3;
        auto* to = reinterpret_cast<uint32_t*>(target.scanLine(y)) + x0;
        for (int x = x0; x < x1; ++x, from += 3) {
            *to++ = 0xFF000000u | (uint32_t{from[2]} << 16) | (uint32_t{from[1]} << 8) | from[0];
        }
    }
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

}  // namespace vespin
