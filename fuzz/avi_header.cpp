// The start of movie files of any bytes, as the headless movie player reads it for the duration:
// the header read from the file, then the playing time it states.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/support/fuzz_game.h"
#include "headless/virtual_sound_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    static fuzz::ScratchFolder folder("vespin-fuzz-avi");
    uint32_t stated = AviDurationMs(std::vector<uint8_t>(data, data + size));
    std::filesystem::path movie = folder.Path() / "movie.avi";
    fuzz::WriteFile(movie, {data, size});
    uint32_t now = 1000;
    VirtualMoviePlayer player([&] { return now; });
    if (!player.Open(movie)) __builtin_trap();
    player.ShowAndPlay();
    now += stated;
    // A movie that states its length has stopped by then; one that states none plays on.
    if (player.IsPlaying() != (stated == 0)) __builtin_trap();
    return 0;
}
