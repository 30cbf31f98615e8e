// The card battle run from script variables of any value, with pictures of any size and clicks
// anywhere. The input: 24 little-endian 32-bit values for V010, V020, V050, V100, V102..V110,
// V200, V202..V210 and the seed; then the sizes of "cards", "cardfont" and "cb_wall" (a byte
// each for width / 4 and height); then one byte a click (its place in the hand, or anywhere).

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "fuzz/support/fuzz_game.h"

namespace {

constexpr int kVariables[] = {10,  20,  50,  100, 102, 103, 104, 105, 106, 107, 108, 109,
                              110, 200, 202, 203, 204, 205, 206, 207, 208, 209, 210};
constexpr size_t kHeaderBytes = 4 * (std::size(kVariables) + 1);

int32_t Word(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return static_cast<int32_t>(v);
}

// A picture of the given size, its bytes a pattern of the seed.
void Picture(vespin::Surface& s, int width, int height, uint32_t seed) {
    s.Resize(width, height);
    uint8_t* p = s.Data();
    for (size_t i = 0; i < s.SizeBytes(); ++i)
        p[i] = static_cast<uint8_t>((seed >> (i % 24)) + i * 37);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size < kHeaderBytes || size > kHeaderBytes + 6 + 256) return 0;
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    game.Reset();
    EngineState& e = game.State();
    for (size_t i = 0; i < std::size(kVariables); ++i)
        e.Vars.V[kVariables[i]] = Word(data + 4 * i);
    e.Rng.Seed = static_cast<uint32_t>(Word(data + 4 * std::size(kVariables)));
    static const uint8_t kScenario[] = "*battle\n";
    game.LoadScenario({kScenario, sizeof kScenario - 1});
    game.Play(1);
    if (e.Shell.MainMode != kModeBattle) return 0;
    size_t at = kHeaderBytes;
    if (size >= at + 6) {
        uint32_t seed = e.Rng.Seed;
        Picture(e.Battle.Cards, data[at] * 4, data[at + 1], seed);
        Picture(e.Battle.CardFont, data[at + 2] * 4, data[at + 3], seed + 1);
        Picture(e.Battle.Wall, data[at + 4] * 4, data[at + 5], seed + 2);
        at += 6;
    }
    for (; at < size && e.Shell.MainMode == kModeBattle; ++at) {
        uint8_t b = data[at];
        if (b < 0xE0) {
            game.Click(274 + 74 * (b % 8) + b / 8, 482 + b / 2);  // a hand place, mostly
        } else {
            game.Click((b - 0xE0) * 25, (b - 0xE0) * 19);
        }
    }
    return 0;
}
