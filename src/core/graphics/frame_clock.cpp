#include "core/graphics/frame_clock.h"

#include "core/shell/engine.h"
#include "core/shell/engine_state.h"

namespace vespin {

void StartClock(EngineState& e) {
    e.Clock.Base = e.Host.NowMs();
}

int WaitPeriod(EngineState& e, uint32_t period_ms) {
    if (period_ms == 0) period_ms = 1;  // a zero period would never end a frame
    PumpMessages(e);
    uint32_t elapsed = e.Host.NowMs() - e.Clock.Base;
    uint32_t periods = elapsed < period_ms ? 1 : elapsed / period_ms + 1;
    e.Host.SleepMs(periods * period_ms - elapsed);
    e.Clock.Base += periods * period_ms;
    return static_cast<int>(periods);
}

void WaitUntil(EngineState& e, uint32_t deadline_ms) {
    auto ahead = static_cast<int32_t>(deadline_ms - e.Host.NowMs());
    if (ahead > 0) e.Host.SleepMs(static_cast<uint32_t>(ahead));
    PumpMessages(e);
}

void WaitProcessingMessages(EngineState& e, uint32_t start_ms, int ms) {
    while (static_cast<int32_t>(e.Host.NowMs() - start_ms) < ms && !e.Shell.WindowClosed) {
        PumpMessages(e);
        uint32_t left = static_cast<uint32_t>(ms) - (e.Host.NowMs() - start_ms);
        e.Host.SleepMs(left < 10 ? left : 10);
    }
}

}  // namespace vespin
