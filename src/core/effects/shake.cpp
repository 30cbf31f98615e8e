#include "core/effects/shake.h"

#include <algorithm>
#include <string>

#include "core/graphics/frame_clock.h"
#include "core/host/host.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr int kDefaultAmplitude = 20;
constexpr int kDefaultPeriodMs = 50;

struct Offset {
    int Dx = 0, Dy = 0;
};

// The eight directions of mode 2, clockwise from straight up.
constexpr Offset kDirections[8] = {{0, -1}, {1, -1}, {1, 0},  {1, 1},
                                   {0, 1},  {-1, 1}, {-1, 0}, {-1, -1}};

Offset ShakeOffset(EngineState& e, int mode, int a) {
    // Bit 1 of the amplitude picks the side, so the sign changes as it falls by two.
    int signed_a = (a & 2) != 0 ? a : -a;
    switch (mode) {
        case 0:
            return {0, signed_a};
        case 1:
            return {signed_a, 0};
        case 2: {
            Offset d = kDirections[e.Rng.Next() & 7];
            return {d.Dx * a, d.Dy * a};
        }
        default:
            return {};
    }
}

// The number after the n-th comma, or `fallback` when there is no such comma.
int FieldAfterComma(std::string_view text, int n, int fallback) {
    size_t at = 0;
    for (int i = 0; i < n; ++i) {
        at = text.find(',', at);
        if (at == std::string_view::npos) return fallback;
        at += 1;
    }
    std::string field(text.substr(at));
    return ParseDecimal(field.c_str());
}

}  // namespace

void Shake(EngineState& e, std::string_view argument) {
    std::string text(argument);
    int mode = ParseDecimal(text.c_str());
    int a = FieldAfterComma(argument, 1, kDefaultAmplitude);
    // A period below 1 ms would never let a frame end.
    int period = std::max(FieldAfterComma(argument, 2, kDefaultPeriodMs), 1);
    StartClock(e);
    while (a >= 1 && !e.Shell.WindowClosed) {
        Offset o = ShakeOffset(e, mode, a);
        if (mode >= 0 && mode <= 2) e.Host.ShakeWindow(o.Dx, o.Dy);
        int periods = WaitPeriod(e, static_cast<uint32_t>(period));
        a -= std::min(2 * periods, a);
    }
    e.Host.ShakeWindow(0, 0);
}

}  // namespace vespin
