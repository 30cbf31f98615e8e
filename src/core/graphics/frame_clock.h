#pragma once
// The clock of blocking effects. WaitPeriod sleeps to the next period boundary and says how many
// periods passed, so a slow frame makes an animation drop frames instead of running long; both
// waits pump messages, so clicks and close requests arrive in the middle of an effect.

#include <cstdint>

namespace vespin {

struct EngineState;

struct FrameClock {
    uint32_t Base = 0;  // milliseconds on the host clock
};

void StartClock(EngineState& e);
// Processes pending messages, sleeps to the end of the current period of `period_ms` and returns
// the number of whole periods elapsed (at least 1).
int WaitPeriod(EngineState& e, uint32_t period_ms);
// Sleeps until `deadline_ms` on the host clock if it lies ahead, then processes pending messages.
void WaitUntil(EngineState& e, uint32_t deadline_ms);
// Waits until `ms` milliseconds have passed since `start_ms`, processing messages meanwhile.
void WaitProcessingMessages(EngineState& e, uint32_t start_ms, int ms);

}  // namespace vespin
