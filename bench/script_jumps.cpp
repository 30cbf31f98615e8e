// Label jumps and a script that loops without waiting, measured against their references in the
// same run. Times are the thread's processor time.
//
// Jump: one lookup of the script's last label (`*go`'s work) on a 60 KB script and on a 1 KB one.
// Counters: ns_1KB, ns_60KB and ratio = ns_60KB / ns_1KB through the label index (goal: about 1,
// a jump costs the same on a long script); scan_ratio is the same ratio for the scan from the
// first byte, which grows with the script, and scan_ns_60KB what one such scan costs.
//
// LoopingPass: one interpreter call on a script whose last two lines loop (":LOOP", "*go LOOP")
// with nothing that waits, so the call reads all the lines a pass allows. Counters: pass_ms and
// share = pass_ms / the 30 ms frame period (goal: well under 1, the window keeps its frame rate).

#include <benchmark/benchmark.h>
#include <time.h>

#include <memory>
#include <string>

#include "core/host/null_host.h"
#include "core/script/interpreter.h"
#include "core/script/label_index.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"

namespace vespin {
namespace {

// The thread's processor time: on a machine shared with other work, wall time would measure the
// neighbours as much as the engine.
struct Clock {
    using time_point = double;
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
    }
};

double NsSince(double from) {
    return Clock::now() - from;
}

constexpr double kFramePeriodMs = 30.0;

// A scenario of about `bytes` bytes: blocks of text lines, each block under a label of its own and
// ending in a jump, then the loop ":LOOP", "*go LOOP" as the last lines.
std::string MakeScript(size_t bytes) {
    std::string s;
    for (int block = 0; s.size() < bytes; ++block) {
        s += ":BLOCK" + std::to_string(block) + '\0';
        for (int line = 0; line < 8; ++line)
            s += std::string("The harbour lights came on one by one along the quay.") + '\0';
        s += "*go BLOCK" + std::to_string(block + 1) + '\0';
    }
    s += ":LOOP";
    s += '\0';
    s += "*go LOOP";
    s += '\0';
    return s;
}

// An engine holding one script, with no game folder behind it.
struct ScriptEngine {
    explicit ScriptEngine(size_t bytes)
        : Text(MakeScript(bytes)), State(std::make_unique<EngineState>(Host, "/nonexistent")) {
        SetScriptText(*State,
                      std::span(reinterpret_cast<const uint8_t*>(Text.data()), Text.size()));
        LoopStart = static_cast<int>(Text.rfind(":LOOP"));
    }
    std::string_view View() const { return Text; }

    NullHost Host;
    std::string Text;
    std::unique_ptr<EngineState> State;
    int LoopStart = 0;
};

void Jump(benchmark::State& state) {
    ScriptEngine small(1024), large(60 * 1024);
    constexpr int kJumps = 2000, kScans = 50;
    double index_small = 0, index_large = 0, scan_small = 0, scan_large = 0;
    for (auto _ : state) {
        auto t = Clock::now();
        for (int i = 0; i < kJumps; ++i)
            benchmark::DoNotOptimize(JumpToLabel(*small.State, "LOOP"));
        index_small += NsSince(t);
        t = Clock::now();
        for (int i = 0; i < kJumps; ++i)
            benchmark::DoNotOptimize(JumpToLabel(*large.State, "LOOP"));
        index_large += NsSince(t);
        t = Clock::now();
        for (int i = 0; i < kScans; ++i)
            benchmark::DoNotOptimize(ScanForLabel(small.View(), "LOOP"));
        scan_small += NsSince(t);
        t = Clock::now();
        for (int i = 0; i < kScans; ++i)
            benchmark::DoNotOptimize(ScanForLabel(large.View(), "LOOP"));
        scan_large += NsSince(t);
    }
    double n = static_cast<double>(state.iterations());
    state.counters["ns_1KB"] = index_small / n / kJumps;
    state.counters["ns_60KB"] = index_large / n / kJumps;
    state.counters["ratio"] = index_large / index_small;
    state.counters["scan_ratio"] = scan_large / scan_small;
    state.counters["scan_ns_60KB"] = scan_large / n / kScans;
}
BENCHMARK(Jump)->Unit(benchmark::kMillisecond);

void LoopingPass(benchmark::State& state) {
    ScriptEngine engine(static_cast<size_t>(state.range(0)) * 1024);
    EngineState& e = *engine.State;
    double total_ns = 0;
    for (auto _ : state) {
        e.Script.ReadPosition = engine.LoopStart;
        e.Script.FetchLine = true;
        auto t = Clock::now();
        RunScript(e);
        total_ns += NsSince(t);
    }
    double pass_ms = total_ns / static_cast<double>(state.iterations()) / 1e6;
    state.counters["pass_ms"] = pass_ms;
    state.counters["share"] = pass_ms / kFramePeriodMs;
}
BENCHMARK(LoopingPass)->Arg(1)->Arg(60)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vespin
