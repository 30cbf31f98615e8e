#pragma once
// What the frame-cost benchmarks share: a virtual-clock host that keeps the drawing area (so
// presenting costs a copy, as it does on screen) and times the work between waits, and a
// screen-sized test picture.

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "core/host/null_host.h"
#include "core/shell/engine_state.h"

namespace vespin::bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Every wait returns at once: the real time between two waits is what a frame costs, the virtual
// time slept its budget. Each frame of a run is kept at its cheapest over the runs.
class TimingHost : public NullHost {
  public:
    TimingHost() : m_area(kScreenWidth, kScreenHeight) {}

    void Present(const Surface& source, const Rect& area) override {
        for (int y = area.y; y < area.y + area.h; ++y)
            std::memcpy(m_area.Row(y) + area.x * 3, source.Row(y) + area.x * 3, area.w * 3);
    }
    void SleepMs(uint32_t ms) override {
        double work = MsSince(m_frame_start);
        WorkMs += work;
        BudgetMs += ms;
        Frames += 1;
        if (ms > 0) {
            if (m_frame_index == m_cheapest_share.size()) m_cheapest_share.push_back(work / ms);
            double& cheapest = m_cheapest_share[m_frame_index];
            cheapest = std::min(cheapest, work / ms);
            m_frame_index += 1;
        }
        NullHost::SleepMs(ms);
        m_frame_start = Clock::now();
    }
    void PumpMessages(EngineEvents& engine) override {
        Pumps += 1;
        NullHost::PumpMessages(engine);
    }

    void StartRun() {
        m_frame_index = 0;
        m_frame_start = Clock::now();
    }
    double WorstShare() const {
        return m_cheapest_share.empty()
                   ? 0
                   : *std::max_element(m_cheapest_share.begin(), m_cheapest_share.end());
    }

    double WorkMs = 0;
    double BudgetMs = 0;
    int Frames = 0;
    int Pumps = 0;

  private:
    Surface m_area;
    Clock::time_point m_frame_start;
    size_t m_frame_index = 0;
    std::vector<double> m_cheapest_share;  // by frame of a run
};

inline Surface Pattern(int seed) {
    Surface s(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth * 3; ++x)
            s.Row(y)[x] = static_cast<uint8_t>(x * seed + y * 7 + (x ^ y));
    }
    return s;
}

}  // namespace vespin::bench
