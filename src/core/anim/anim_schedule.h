#pragma once
// When each event of an animation is due, and what the player does after drawing one: wait for
// the next, or, when it has fallen more than one frame time behind, drop whole frames so that the
// animation keeps its length.

#include <cstdint>

namespace vespin {

// The event period in microseconds: t milliseconds, except that 33 means a true 30 per second
// and 15 means 15 per second (66.666 ms), while the lateness test and the sleep keep t itself.
int64_t EventPeriodUs(int32_t frame_time_ms);
// The battle's effects take t milliseconds per event, without the exceptions.
inline int64_t BattlePeriodUs(int32_t frame_time_ms) {
    return int64_t{frame_time_ms} * 1000;
}
// Event k is due this many milliseconds after playback starts.
inline int64_t EventDueMs(int64_t period_us, int64_t k) {
    return period_us * k / 1000;
}

struct ScheduleStep {
    int64_t SleepMs = 0;    // how long to sleep before the next event
    int64_t NextEvent = 0;  // the event to play next
    int64_t Dropped = 0;    // events skipped on the way (0 when on time)
};

// After event `k` was drawn `late_ms` after its due time (negative when early), with frame time
// `frame_time_ms` (at least 1).
ScheduleStep NextScheduleStep(int64_t k, int64_t late_ms, int32_t frame_time_ms);

}  // namespace vespin
