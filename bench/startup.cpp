// Start-up of the headless engine: from creating the engine on the demo game to the end of its
// first idle pass (the scenario loaded, the sound device open). The reference in the same run
// is what eager start-up used to pay before anything was drawn: clearing the seven screen-sized
// surfaces and the two script buffers.

#include <benchmark/benchmark.h>
#include <sys/mman.h>

#include <cstring>
#include <filesystem>

#include "core/shell/engine.h"
#include "headless/headless_host.h"

#ifndef VESPIN_GAME_DIR
#error "VESPIN_GAME_DIR names the demo game's folder"
#endif

namespace vespin {
namespace {

const std::filesystem::path kGame = VESPIN_GAME_DIR;

void BM_HeadlessStartupToFirstPass(benchmark::State& state) {
    if (!std::filesystem::exists(kGame / "vg_data.vsp")) {
        state.SkipWithError("the demo game is not built");
        return;
    }
    for (auto _ : state) {
        HeadlessHost host;
        Engine engine(host, kGame);
        engine.Step();
        benchmark::DoNotOptimize(engine.State().Script.ScriptSize);
    }
}
BENCHMARK(BM_HeadlessStartupToFirstPass)->Unit(benchmark::kMillisecond);

// Reference: fresh pages from the system for seven 800 x 600 surfaces and two 256 KiB buffers,
// each cleared, as a new process gets them (mapped directly, so the allocator's reuse of freed
// memory cannot make the figure depend on what ran before).
void BM_ReferenceEagerClear(benchmark::State& state) {
    constexpr size_t kSurfaceBytes = 800 * 600 * 3;
    constexpr size_t kScriptBytes = 262144;
    const size_t sizes[] = {kSurfaceBytes, kSurfaceBytes, kSurfaceBytes,
                            kSurfaceBytes, kSurfaceBytes, kSurfaceBytes,
                            kSurfaceBytes, kScriptBytes,  kScriptBytes};
    for (auto _ : state) {
        for (size_t bytes : sizes) {
            void* p =
                mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p == MAP_FAILED) {
                state.SkipWithError("mmap failed");
                return;
            }
            std::memset(p, 0, bytes);
            benchmark::DoNotOptimize(p);
            benchmark::ClobberMemory();
            munmap(p, bytes);
        }
    }
}
BENCHMARK(BM_ReferenceEagerClear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vespin
