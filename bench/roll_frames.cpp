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

#include "bench/timing_host.h"
#include "core/screens/ending_credits.h"
#include "core/screens/roll.h"
#include "core/shell/engine_state.h"

namespace vespin {
namespace {

using bench::Pattern;
using bench::TimingHost;

template <typename Run>
void Measure(benchmark::State& state, TimingHost& host, Run run) {
    for (auto _ : state) {
        host.StartRun();
        run();
    }
    state.counters["worst"] = host.WorstShare();
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
