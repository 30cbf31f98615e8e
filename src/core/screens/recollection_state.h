#pragma once
// What the recollection screen keeps beyond its own lifetime: the scenes reached (system data)
// and the ten play-list slots the player composes (written to kaiso.dat, never read back).

#include <array>
#include <cstdint>

#include "core/script/variables.h"
#include "core/shell/fixed_string.h"

namespace vespin {

inline constexpr int kRecollectionSlots = 10;
inline constexpr int kRecollectionSlotEntries = 50;

struct RecollectionState {
    FlagBank<2000> SceneSeenBits;
    std::array<int32_t, kRecollectionSlots * kRecollectionSlotEntries> SlotEntries{};
    std::array<FixedString<64>, kRecollectionSlots> SlotNames;
};

}  // namespace vespin
