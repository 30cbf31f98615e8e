// Selection-tree definitions of any bytes. The input is the data script `seltree` as the engine
// holds it (NUL-terminated lines). Each of the five trees, and a number outside them, is opened
// with the T flags of its entries set except those whose number is a multiple of three; the
// pointer then wanders over the tree's columns at points drawn from the input, and clicks.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/screens/seltree.h"
#include "core/shell/engine_state.h"
#include "fuzz/support/fuzz_game.h"

namespace {

void SetFlags(vespin::EngineState& e) {
    for (const auto& tree : e.Simulation.Tree.Trees) {
        for (const vespin::TreeEntry& entry : tree)
            e.Vars.T.Set(entry.Flag, entry.Flag % 3 != 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size > 16384) return 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    uint32_t seed = vespin::fuzz::InputSeed(data, size);
    const char* numbers[] = {"0", "1", "2", "3", "4", "9"};
    for (const char* number : numbers) {
        game.Reset();
        EngineState& e = game.State();
        ReadSelectionTrees(e.Simulation.Tree, text);
        SetFlags(e);
        RunSeltree(e, number);
        for (int i = 0; i < 24; ++i) {
            seed = seed * 1103515245u + 12345u;
            // Mostly over the first columns, sometimes anywhere on the drawing area.
            int x = 20 + static_cast<int>((seed >> 8) % (i % 5 == 0 ? 780 : 560));
            int y = 110 + static_cast<int>((seed >> 20) % 300);
            game.Move(x, y);
        }
        e.Shell.ClickLockout = 0;
        game.Click(e.Shell.LastMouseX, e.Shell.LastMouseY);
        game.Play(2, seed);
    }
    return 0;
}
