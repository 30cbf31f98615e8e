// Transitions that blend the old frame into the new one: the random block fade, the cross-fades
// and fades, the gradient wipe, the converging band and the interlaced interpolation.

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/transition_kit.h"
#include "core/shell/engine.h"
#include "core/shell/engine_state.h"

namespace vespin::transition {

namespace {

// ---- Random block fade ------------------------------------------------------------------------

constexpr int kBlockColumns = 10;
constexpr int kBlocks = 100;
constexpr int kBlockFadeSteps = 17;
// The block order with 16 empty places before and after it, so that every step can look at the
// 17 places of its window (and the 4 it may have skipped) without bounds checks.
constexpr int kOrderMargin = 16;

// Blends block b (80 x 60 pixels, -1 for none) into W with `old_weight` for O, and shows it.
void BlendBlock(EngineState& e, int b, int old_weight) {
    if (b < 0) return;
    const int left = kFadeBlockWidth * (b % kBlockColumns);
    const int top = kFadeBlockHeight * (b / kBlockColumns);
    Surface& w = e.Scene.WorkSurface;
    CrossFadeBlock(e.Scene.PreviousFrameSurface, e.DisplaySurface, left, top, old_weight, w);
    Show(e, w, Rect{left, top, kFadeBlockWidth, kFadeBlockHeight});
}

// ---- Fades ------------------------------------------------------------------------------------

struct FadePace {
    int Step;  // weight gained per period
    uint32_t PeriodMs;
};

FadePace FadePaceOf(int type) {
    switch (type) {
        case 1:
            return {24, 40};
        case 3:
            return {5, 50};
        case 4:
            return {2, 50};
        default:
            return {12, 40};
    }
}

// Cross-fades N in over O; only an interruption ends it early, without a mark in S019.
void Fade(EngineState& e, int type) {
    const FadePace pace = FadePaceOf(type);
    ShellState& sh = e.Shell;
    sh.InterruptRequest = 0;
    sh.EngineBusy = true;
    sh.TransitionRunning = true;
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    Surface& w = WorkFrame(e);
    StartClock(e);
    for (int sum = 0; sum < 257;) {
        CrossFadeSurface(n, o, sum, w);
        ShowAll(e, w);
        PumpMessages(e);
        if (sh.InterruptRequest != 0) break;
        sum += pace.Step * WaitPeriod(e, pace.PeriodMs);
    }
    sh.EngineBusy = false;
    sh.TransitionRunning = false;
    ShowAll(e, n);
}

// ---- Gradient wipe ----------------------------------------------------------------------------

constexpr int kBandWidth = 288;
constexpr int kBandFlat = 32;  // the band's leading pixels that show N whole

// The band as mask pixels: 32 pixels of 0, then 0, 1, 2 ... 255 (all three bytes alike).
constexpr std::array<uint8_t, kBandWidth * 3> MakeBand() {
    std::array<uint8_t, kBandWidth * 3> band{};
    for (int i = kBandFlat; i < kBandWidth; ++i) {
        for (int c = 0; c < 3; ++c)
            band[i * 3 + c] = static_cast<uint8_t>(i - kBandFlat);
    }
    return band;
}
constexpr std::array<uint8_t, kBandWidth* 3> kBand = MakeBand();

// ---- Converging band --------------------------------------------------------------------------

constexpr int kConvergeStep = 16;

// Moves every byte of `o` toward the byte of `n` at the same place by at most 16.
void ConvergeRow(uint8_t* o, const uint8_t* n, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        int from = o[i];
        int to = n[i];
        o[i] = static_cast<uint8_t>(from < to ? std::min(from + kConvergeStep, to)
                                              : std::max(from - kConvergeStep, to));
    }
}

// ---- Interlaced interpolation -----------------------------------------------------------------

// table[n << 8 | o] = (o * (K - k) + n * k) / K: the byte k/K of the way from o to n.
void FillInterpolationTable(std::vector<uint8_t>& table, int k, int steps) {
    for (int n = 0; n < 256; ++n) {
        for (int o = 0; o < 256; ++o)
            table[n << 8 | o] = static_cast<uint8_t>((o * (steps - k) + n * k) / steps);
    }
}

// One pass: every second row from `first_row`, every second pixel from `first_pixel`.
void InterpolatePass(const Surface& n, const Surface& o, Surface& w,
                     const std::vector<uint8_t>& table, int first_row, int first_pixel) {
    for (int y = first_row; y < kScreenHeight; y += 2) {
        const uint8_t* nr = n.Row(y);
        const uint8_t* orow = o.Row(y);
        uint8_t* wr = w.Row(y);
        for (int i = first_pixel * 3; i < kScreenWidth * 3; i += 6) {
            wr[i] = table[nr[i] << 8 | orow[i]];
            wr[i + 1] = table[nr[i + 1] << 8 | orow[i + 1]];
            wr[i + 2] = table[nr[i + 2] << 8 | orow[i + 2]];
        }
    }
}

}  // namespace

void RandomBlockFade(EngineState& e) {
    // Each block fades from O to N over 17 steps, starting at its place in a random order.
    std::array<int, kBlocks> order;
    std::iota(order.begin(), order.end(), 0);
    for (int i = 0; i < kBlocks; ++i)
        std::swap(order[i], order[e.Rng.Next() % kBlocks]);
    std::array<int, kBlocks + 2 * kOrderMargin> places;
    places.fill(-1);
    std::copy(order.begin(), order.end(), places.begin() + kOrderMargin);
    // places[p] is list place p - 16.

    CopySurface(OldFrame(e), WorkFrame(e));
    NewFrame(e);
    constexpr int kSteps = kBlocks + kOrderMargin;
    StartClock(e);
    for (int i = 0; i < kSteps;) {
        // Blocks whose last steps were skipped when frames were dropped end on N.
        if (i >= 4) {
            for (int p = i - 3; p <= i; ++p)
                BlendBlock(e, places[p], 0);
        }
        for (int k = 0; k < kBlockFadeSteps; ++k)
            BlendBlock(e, places[i + k], k * 16);
        if (CutShort(e, ClickMark::SetS019)) return;
        i += WaitPeriod(e, 20);
    }
    // A final drop of more steps than the catch-up covers must not leave blocks half faded.
    ShowAll(e, e.DisplaySurface);
}

void QuickCrossFade(EngineState& e) {
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    Surface& w = WorkFrame(e);
    StartClock(e);
    for (int a = 48; a < kFullWeight;) {
        CrossFadeSurface(n, o, a, w);
        ShowAll(e, w);
        if (CutShort(e, ClickMark::SetS019)) return;
        a += 16 * WaitPeriod(e, 10);
    }
    ShowAll(e, n);
}

void FadeType5(EngineState& e) {
    Fade(e, 5);
}

void FadeType4(EngineState& e) {
    Fade(e, 4);
}

void GradientWipe(EngineState& e) {
    // A 288-pixel band sweeps to the right: N to its left, O to its right, a gradient between.
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    Surface& w = WorkFrame(e);
    CopySurface(o, w);
    StartClock(e);
    for (int x = -280; x < kScreenWidth;) {
        int band_from = 0;  // first band pixel used
        int column = x;     // where it lands
        int pixels = kBandWidth;
        if (x < 0) {
            band_from = -x;
            column = 0;
            pixels = x + kBandWidth;
        } else if (x > kScreenWidth - kBandWidth) {
            pixels = kScreenWidth - x;
        }
        const int groups = pixels * 3 / 8;
        const uint8_t* mask = kBand.data() + band_from * 3;
        for (int y = 0; y < kScreenHeight; ++y) {
            const size_t at = static_cast<size_t>(column) * 3;
            MaskedBlendPixels(n.Row(y) + at, o.Row(y) + at, groups, mask, w.Row(y) + at);
        }
        ShowAll(e, w);
        if (CutShort(e, ClickMark::SetS019)) return;
        x += 8 * WaitPeriod(e, 20);
    }
    // Steps of several periods can jump the band's flat part and leave a trace of the gradient.
    ShowAll(e, n);
}

void ConvergingBand(EngineState& e) {
    // A band of 128 rows runs down the screen; under it O approaches N by 16 a frame, so every
    // row reaches N in the 16 frames the band covers it.
    constexpr int kBandRows = 128;
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    for (int y0 = -124; y0 < kScreenHeight + 64; y0 += 8) {
        const int from = std::max(y0, 0);
        const int to = std::min(y0 + kBandRows, kScreenHeight);
        for (int y = from; y < to; ++y)
            ConvergeRow(o.Row(y), n.Row(y), o.Stride());
        Show(e, o, Rect{0, from, kScreenWidth, to - from});
        PumpMessages(e);
        if (CutShort(e, ClickMark::SetS019)) return;
    }
}

void InterlacedFade(EngineState& e) {
    int steps = e.Vars.S[16];
    if (steps < 1 || steps > 128) steps = 16;
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    Surface& w = WorkFrame(e);
    CopySurface(o, w);
    std::vector<uint8_t> table(256 * 256);
    // Passes cover even rows' even pixels, odd rows' odd pixels, even rows' odd pixels and odd
    // rows' even pixels, so each step reaches every pixel once.
    constexpr int kFirstPixel[4] = {0, 1, 1, 0};
    DeadlinePacer pace(e, 50);
    for (int k = 1; k <= steps; ++k) {
        FillInterpolationTable(table, k, steps);
        for (int p = 0; p < 4; ++p) {
            pace.BeginFrame();
            InterpolatePass(n, o, w, table, p % 2, kFirstPixel[p]);
            ShowAll(e, w);
            if (CutShort(e, ClickMark::None)) return;
            pace.EndFrame();
        }
    }
}

}  // namespace vespin::transition
