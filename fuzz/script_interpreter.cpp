// Scenario scripts of any bytes played by the engine in a small real game: `call` and `chain`
// reach its scripts, pictures, sounds, music and click map. A few passes per input, with waits
// clicked away and choices picked, keep each input fast.

#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 16384) return 0;  // longer scripts find nothing new, only slower
    vespin::fuzz::FuzzGame& game = vespin::fuzz::FuzzGame::Get();
    game.Reset();
    game.LoadScenario({data, size});
    game.Play(12, static_cast<uint32_t>(size));
    return 0;
}
