// Presentation pages of any bytes: the script is loaded as `main` and read in the presentation
// mode, whose commands reach pictures and music of the small real game. A click somewhere in the
// run (chosen from the input's size) asks the mode to end, as a player would.

#include <cstddef>
#include <cstdint>

#include "core/effects/presentation.h"
#include "core/shell/engine_state.h"
#include "fuzz/support/fuzz_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192) return 0;  // longer pages find nothing new, only slower
    vespin::fuzz::FuzzGame& game = vespin::fuzz::FuzzGame::Get();
    game.Reset();
    game.LoadScenario({data, size});
    vespin::EngineState& e = game.State();
    vespin::StartPresentation(e);
    int click_at = static_cast<int>(size % 7);
    for (int pass = 0; pass < 8 && !e.Shell.WindowClosed; ++pass) {
        if (pass == click_at) game.Click(400, 300);
        game.Play(1);
        e.Effects.Presentation.Paused = false;  // pauses are waited out at once
    }
    return 0;
}
