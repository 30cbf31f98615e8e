// The cost of one frame of a roll (picture cross-fades, the text box fading in and out) and of the
// ending credits (one column of the built picture), as a share of the frame's period. As in the
// transition benchmark, the host's clock is virtual: every wait returns at once, the real time
// between two waits is what a frame costs and the virtual time slept is its budget. Goal: every
// frame under 20 % of its period.
//
// Counters: worst = the dearest frame / its budget, each frame taken at its cheapest over the
// runs; share = all drawing time / all budget; frame_ms = mean drawing time of a frame.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "core/host/null_host.h"
#include "core/screens/ending_credits.h"
#include "core/screens/roll.h"
#include "core/shell/engine_state.h"

namespace vespin {
namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Keeps the drawing area (presenting costs a copy, as on screen) and times the work between
// waits.
class TimingHost : public NullHost {
  public:
    TimingHost() : m_area(kScreenWidth, kScreenHeight) {}

    void Present(const Surface& source, const Rect& area) override {
        for (int y = area.y; y < area.y + area.h; ++y)
            std::memcpy(m_area.Row(y) + area.x * 3, source.Row(y) + area.x * 3, area.w * 3);
    }
    void SleepMs(uint32_t ms) override {
        const double work = MsSince(m_frame_start);
        WorkMs += work;
        BudgetMs += ms;
        Frames += 1;
        if (ms > 0) {
            if (m_index == m_cheapest.size()) m_cheapest.push_back(work / ms);
            m_cheapest[m_index] = std::min(m_cheapest[m_index], work / ms);
            m_index += 1;
        }
        NullHost::SleepMs(ms);
        m_frame_start = Clock::now();
    }
    void StartRun() {
        m_index = 0;
        m_frame_start = Clock::now();
    }
    double Worst() const {
        return m_cheapest.empty() ? 0 : *std::max_element(m_cheapest.begin(), m_cheapest.end());
    }

    double WorkMs = 0, BudgetMs = 0;
    int Frames = 0;

  private:
    Surface m_area;
    Clock::time_point m_frame_start;
    size_t m_index = 0;
    std::vector<double> m_cheapest;
};

Surface Pattern(int seed) {
    Surface s(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth * 3; ++x)
            s.Row(y)[x] = static_cast<uint8_t>(x * seed + y * 7 + (x ^ y));
    }
    return s;
}

template <typename Run>
void Measure(benchmark::State& state, TimingHost& host, Run run) {
    for (auto _ : state) {
        host.StartRun();
        run();
    }
    state.counters["worst"] = host.Worst();
    state.counters["share"] = host.BudgetMs > 0 ? host.WorkMs / host.BudgetMs : 0;
    state.counters["frame_ms"] = host.WorkMs / std::max(host.Frames, 1);
}

// A reel that uses every kind of fade: a picture cross-faded in quickly and slowly (the picture
// is not in any archive: the fade runs all the same), a box of six lines faded in and out.
void BM_RollFrames(benchmark::State& state) {
    TimingHost host;
    EngineState e{host, "."};
    e.DisplaySurface = Pattern(5);
    e.CompositionSurface = Pattern(11);
    const std::vector<std::string> reel = {"*GRA NOSUCH,1", "*WIN 100,150,700,450",
                                           "Staff",         "Lighthouse keeper",
                                           "The guide",     "Music",
                                           "Sound",         "Pictures",
                                           "*PUT 1",        "*ERA 1",
                                           "*GRA NOSUCH,2"};
    Measure(state, host, [&] { PlayRoll(e, reel); });
}
BENCHMARK(BM_RollFrames)->Unit(benchmark::kMillisecond);

// The ending credits at a 30 ms period over 40 lines; the picture is built before the clock runs,
// as the engine builds it before the first frame's deadline is set.
void BM_CreditsFrames(benchmark::State& state) {
    TimingHost host;
    EngineState e{host, "."};
    e.Scene.BackgroundLayer = Pattern(3);
    std::vector<std::string> credits;
    for (int i = 0; i < 40; ++i)
        credits.push_back(i % 3 == 0 ? "" : "      Staff member " + std::to_string(i));
    const CreditsPicture picture = BuildCreditsPicture(e.TextRenderer.Fonts, credits);
    Measure(state, host, [&] { ScrollCredits(e, picture, 30, CreditsScrollEnd(credits.size())); });
}
BENCHMARK(BM_CreditsFrames)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vespin
