#include "core/anim/anim_doubling.h"

#include <algorithm>
#include <cstring>

namespace vespin {

namespace {

uint8_t Half(uint8_t a, uint8_t b) {
    return static_cast<uint8_t>((a >> 1) + (b >> 1));
}

// The source size whose doubling fits `doubled`.
bool FittingSize(const Surface& frame, const Surface& doubled, int& w, int& h) {
    w = std::min(frame.Width(), doubled.Width() / 2);
    h = std::min(frame.Height(), doubled.Height() / 2);
    return w > 0 && h > 0;
}

}  // namespace

void DoubleBySpeed(const Surface& frame, Surface& doubled) {
    int w, h;
    if (!FittingSize(frame, doubled, w, h)) return;
    for (int r = 0; r < h; ++r) {
        const uint8_t* s = frame.Row(r);
        uint8_t* d = doubled.Row(2 * r);
        for (int c = 0; c < w; ++c, s += 3, d += 6) {
            d[0] = d[3] = s[0];
            d[1] = d[4] = s[1];
            d[2] = d[5] = s[2];
        }
        std::memcpy(doubled.Row(2 * r + 1), doubled.Row(2 * r), static_cast<size_t>(w) * 6);
    }
}

void DoubleByQuality(const Surface& frame, Surface& doubled) {
    int w, h;
    if (!FittingSize(frame, doubled, w, h)) return;
    for (int r = 0; r + 1 < h; ++r) {
        const uint8_t* s = frame.Row(r);
        uint8_t* d = doubled.Row(2 * r);
        for (int c = 0; c + 1 < w; ++c, s += 3, d += 6) {
            for (int i = 0; i < 3; ++i) {
                d[i] = s[i];
                d[3 + i] = Half(s[i], s[3 + i]);
            }
        }
    }
    const size_t bytes = static_cast<size_t>(2 * w - 2) * 3;
    for (int r = 0; r + 1 < h; ++r) {
        const uint8_t* above = doubled.Row(2 * r);
        const uint8_t* below = doubled.Row(2 * r + 2);
        uint8_t* d = doubled.Row(2 * r + 1);
        for (size_t i = 0; i < bytes; ++i)
            d[i] = Half(above[i], below[i]);
    }
}

}  // namespace vespin
