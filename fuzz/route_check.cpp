// Scripts of any bytes read by the route checker against the fuzz game's archives: every
// command's argument, every tag, block and label is looked at, and nothing may be read outside
// the script or the archives.

#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_game.h"
#include "tools/check/script_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 65536) return 0;  // longer scripts find nothing new, only slower
    vespin::fuzz::FuzzGame& game = vespin::fuzz::FuzzGame::Get();
    game.ResetVariables();  // assignments and conditions are evaluated on the engine
    vespin::check::GameScripts scripts;
    scripts.Texts["MAIN"].assign(reinterpret_cast<const char*>(data), size);
    scripts.Texts["SUB"] = std::string(":there\0*end\0", 12);
    std::vector<vespin::check::Finding> findings;
    vespin::check::WalkGame(game.State(), scripts, findings);
    return 0;
}
