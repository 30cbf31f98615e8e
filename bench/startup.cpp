// Start-up of the headless engine: from creating the engine on the demo game to the end of its
// first idle pass (the scenario loaded, the sound device open). The reference in the same run
// is what eager start-up used to pay before anything was drawn: clearing the seven screen-sized
// surfaces and the two script buffers.

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

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

// Reference: fresh memory for seven 800 x 600 surfaces and two 256 KiB buffers, each cleared.
void BM_ReferenceEagerClear(benchmark::State& state) {
    constexpr size_t kSurfaceBytes = 800 * 600 * 3;
    constexpr size_t kScriptBytes = 262144;
    for (auto _ : state) {
        std::vector<std::unique_ptr<uint8_t[]>> blocks;
        for (int i = 0; i < 7; ++i) {
            blocks.emplace_back(new uint8_t[kSurfaceBytes]);
            std::memset(blocks.back().get(), 0, kSurfaceBytes);
        }
        for (int i = 0; i < 2; ++i) {
            blocks.emplace_back(new uint8_t[kScriptBytes]);
            std::memset(blocks.back().get(), 0, kScriptBytes);
        }
        benchmark::DoNotOptimize(blocks.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReferenceEagerClear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vespin
