#pragma once
// The engine's one random generator, shared by expressions and screens: a linear congruential
// generator whose sequence depends on how many idle passes ran, so a replay with the same inputs
// and seed draws the same numbers.

#include <cstdint>

namespace vespin {

struct Random {
    uint32_t Seed = 0;

    // Sets the seed and draws once, as start-up does.
    void SeedWith(uint32_t seed) {
        Seed = seed;
        Next();
    }
    // 0..32767.
    int Next() {
        Seed = Seed * 22695477u + 1u;
        return static_cast<int>((Seed >> 16) & 0x7FFF);
    }
};

}  // namespace vespin
