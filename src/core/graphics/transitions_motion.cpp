// Transitions whose frames move or coarsen: the halves sliding in, the push and the mosaic.

#include <algorithm>
#include <array>
#include <cstring>

#include "core/graphics/frame_clock.h"
#include "core/graphics/transition_kit.h"
#include "core/shell/engine_state.h"

namespace vespin::transition {

namespace {

// Copies columns [from_x, from_x + width) of every row of `from` to column `to_x` of `to`.
void CopyColumns(const Surface& from, int from_x, Surface& to, int to_x, int width) {
    if (width <= 0) return;
    const size_t bytes = static_cast<size_t>(width) * 3;
    for (int y = 0; y < kScreenHeight; ++y)
        std::memcpy(to.Row(y) + to_x * 3, from.Row(y) + from_x * 3, bytes);
}

constexpr std::array<int, 10> kMosaicSizes = {2, 3, 4, 6, 8, 12, 16, 20, 28, 40};

// `out` becomes `source` in blocks of size x size pixels, each the colour of its top-left pixel.
void BuildMosaic(const Surface& source, int size, Surface& out) {
    for (int top = 0; top < kScreenHeight; top += size) {
        const uint8_t* from = source.Row(top);
        uint8_t* first = out.Row(top);
        for (int left = 0; left < kScreenWidth; left += size) {
            const int right = std::min(left + size, kScreenWidth);
            for (int x = left; x < right; ++x)
                std::memcpy(first + x * 3, from + left * 3, 3);
        }
        const int bottom = std::min(top + size, kScreenHeight);
        for (int y = top + 1; y < bottom; ++y)
            std::memcpy(out.Row(y), first, out.Stride());
    }
}

}  // namespace

void HalvesSlidingIn(EngineState& e) {
    // The left half of N slides in from the left edge and the right half from the right edge;
    // the middle keeps what the drawing area showed. The frames are built in a surface of their
    // own: W may hold a parts mask, and O is the frame on screen.
    Surface& n = NewFrame(e);
    Surface frame(kScreenWidth, kScreenHeight);
    constexpr int kHalf = kScreenWidth / 2;
    StartClock(e);
    for (int w = 32; w <= kHalf;) {
        CopyColumns(n, kHalf - w, frame, 0, w);
        CopyColumns(n, kHalf, frame, kScreenWidth - w, w);
        Show(e, frame, Rect{0, 0, w, kScreenHeight});
        Show(e, frame, Rect{kScreenWidth - w, 0, w, kScreenHeight});
        if (CutShort(e, ClickMark::SetS019)) return;
        w += 32 * WaitPeriod(e, 40);
    }
    ShowAll(e, n);
}

void PushFromLeft(EngineState& e) {
    // N pushes O out to the right.
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    Surface frame(kScreenWidth, kScreenHeight);
    StartClock(e);
    for (int x = 0; x < kScreenWidth;) {
        CopyColumns(n, kScreenWidth - x, frame, 0, x);
        CopyColumns(o, 0, frame, x, kScreenWidth - x);
        ShowAll(e, frame);
        if (CutShort(e, ClickMark::SetS019)) return;
        x += 20 * WaitPeriod(e, 15);
    }
    ShowAll(e, n);
}

void Mosaic(EngineState& e) {
    // O coarsens through the block sizes, then N sharpens back through them.
    constexpr int kSizes = static_cast<int>(kMosaicSizes.size());
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    Surface& w = WorkFrame(e);
    StartClock(e);
    for (int step = 0; step < 2 * kSizes;) {
        const bool rising = step < kSizes;
        BuildMosaic(rising ? o : n, kMosaicSizes[rising ? step : 2 * kSizes - 1 - step], w);
        ShowAll(e, w);
        if (CutShort(e, ClickMark::SetS019)) return;
        step += WaitPeriod(e, 80);
    }
    ShowAll(e, n);
}

}  // namespace vespin::transition
