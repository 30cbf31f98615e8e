#pragma once
// The 55 ms timer on a real clock. A window-system timer does not queue up the ticks it missed
// while the program was busy: they fold into one, and the next tick keeps the original phase.

#include <cstdint>

namespace vespin {

class TickSchedule {
  public:
    static constexpr uint32_t kPeriodMs = 55;

    explicit TickSchedule(uint32_t now_ms) : m_next(now_ms + kPeriodMs) {}

    // True when a tick is due at `now_ms`; every tick that fell due since the last one is
    // answered by this single true.
    bool TakeDue(uint32_t now_ms) {
        // A signed difference keeps the comparison right across the clock's wrap-around.
        if (static_cast<int32_t>(now_ms - m_next) < 0) return false;
        uint32_t late = now_ms - m_next;
        m_next += (late / kPeriodMs + 1) * kPeriodMs;
        return true;
    }

  private:
    uint32_t m_next;
};

}  // namespace vespin
