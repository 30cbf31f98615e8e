#include "core/anim/anim_schedule.h"

namespace vespin {

int64_t EventPeriodUs(int32_t frame_time_ms) {
    if (frame_time_ms == 33) return 33333;
    if (frame_time_ms == 15) return 66666;
    return int64_t{frame_time_ms} * 1000;
}

ScheduleStep NextScheduleStep(int64_t k, int64_t late_ms, int32_t frame_time_ms) {
    const int64_t t = frame_time_ms > 0 ? frame_time_ms : 1;
    ScheduleStep step;
    if (t < late_ms) {
        // More than a frame behind: skip the frames whose time has gone, and wait for the start
        // of the next whole frame time.
        step.Dropped = late_ms / t;
        step.SleepMs = t - late_ms % t;
        step.NextEvent = k + step.Dropped + 1;
        return step;
    }
    step.SleepMs = late_ms != t ? t - late_ms : 0;
    step.NextEvent = k + 1;
    return step;
}

}  // namespace vespin
