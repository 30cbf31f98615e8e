// The cost of one transition frame as a share of the time the frame has on screen (its period or
// deadline). The engine runs on a host whose clock is virtual, so every wait returns at once and
// the real time between two waits is what drawing one frame costs; the virtual time slept is the
// frame's budget. Goal: every frame under 20 % of its budget.
//
// Counters: share = all drawing time / all budget; worst = the dearest frame / its budget, each
// frame taken at its cheapest over the runs so that a preempted run does not count;
// frame_ms = mean drawing time of a frame; copies = that time in full-screen memcpys measured in
// this run (the reference). Transition 15 has no wait at all: only frame_ms and copies mean
// anything for it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "bench/timing_host.h"
#include "core/graphics/transitions.h"
#include "core/shell/engine_state.h"

namespace vespin {
namespace {

using bench::MsSince;
using bench::Pattern;
using bench::TimingHost;
using Clock = std::chrono::steady_clock;

// One full-screen copy, the reference every frame cost is compared with.
double FrameCopyMs() {
    static const double ms = [] {
        std::vector<uint8_t> from(kScreenWidth * 3 * kScreenHeight, 1), to(from.size());
        constexpr int kCopies = 200;
        auto start = Clock::now();
        for (int i = 0; i < kCopies; ++i) {
            std::memcpy(to.data(), from.data(), from.size());
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
        return MsSince(start) / kCopies;
    }();
    return ms;
}

struct Bench {
    TimingHost host;
    EngineState e{host, "."};
    Surface old_frame = Pattern(3);

    Bench() {
        e.DisplaySurface = Pattern(5);
        e.CompositionSurface = Pattern(11);
        e.Scene.WorkSurface.Resize(kScreenWidth, kScreenHeight);
        e.Scene.PreviousFrameSurface = old_frame;
    }

    template <typename Run>
    void Measure(benchmark::State& state, Run run) {
        for (auto _ : state) {
            state.PauseTiming();
            e.Scene.PreviousFrameSurface = old_frame;  // 15 and 16 draw into it
            host.StartRun();
            state.ResumeTiming();
            run();
        }
        const double frames = std::max(host.Frames, 1);
        state.counters["share"] = host.BudgetMs > 0 ? host.WorkMs / host.BudgetMs : 0;
        state.counters["worst"] = host.WorstShare();
        state.counters["frame_ms"] = host.WorkMs / frames;
        state.counters["copies"] = host.WorkMs / frames / FrameCopyMs();
        state.counters["frames"] = frames / static_cast<double>(state.iterations());
    }
};

void BM_Transition(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Bench b;
    if (n == 15) {
        // No waits: time the whole run and count its frames by the messages it pumps.
        double total_ms = 0;
        for (auto _ : state) {
            state.PauseTiming();
            b.e.Scene.PreviousFrameSurface = b.old_frame;
            b.host.Pumps = 0;
            state.ResumeTiming();
            auto start = Clock::now();
            RunTransition(b.e, n);
            total_ms += MsSince(start);
        }
        const double frames = std::max(b.host.Pumps, 1);
        state.counters["frame_ms"] = total_ms / static_cast<double>(state.iterations()) / frames;
        state.counters["copies"] = state.counters["frame_ms"] / FrameCopyMs();
        return;
    }
    b.Measure(state, [&] { RunTransition(b.e, n); });
}
BENCHMARK(BM_Transition)->DenseRange(1, 24)->Unit(benchmark::kMillisecond);

void BM_IrisClose(benchmark::State& state) {
    Bench b;
    b.Measure(state, [&] { IrisClose(b.e); });
}
BENCHMARK(BM_IrisClose)->Unit(benchmark::kMillisecond);

void BM_SepiaFreeze(benchmark::State& state) {
    Bench b;
    b.Measure(state, [&] { SepiaFreeze(b.e); });
}
BENCHMARK(BM_SepiaFreeze)->Unit(benchmark::kMillisecond);

void BM_FrameCopyReference(benchmark::State& state) {
    std::vector<uint8_t> from(kScreenWidth * 3 * kScreenHeight, 1), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(from.size()));
}
BENCHMARK(BM_FrameCopyReference);

}  // namespace
}  // namespace vespin
