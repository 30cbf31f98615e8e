#pragma once
// The scene effects' state: the object slots and their off-screen batch, the staff roll's abort
// flag and the presentation mode. Shakes and scrolls keep nothing between commands.

#include <array>
#include <cstdint>

#include "core/graphics/surface.h"

namespace vespin {

inline constexpr int kObjectSlotCount = 32;

// A small masked picture placed over the screen: the picture's upper half is the image, its
// lower half the mask; the buffer (the picture's width, half its height) is where the object
// is blended over what lies under it.
struct ObjectSlot {
    bool Loaded = false;
    Surface Picture;
    Surface Buffer;
};

// The text types of the presentation mode.
inline constexpr int kPresentationCells = 12;  // character cells a line (types 1 and 5)
inline constexpr int kPresentationLines = 8;   // lines of the 288 x 192 arrangement
inline constexpr int kPresentationCellSize = 24;
inline constexpr int kPresentationCharSlots = 96;  // 8 lines of 12 cells

struct PresentationState {
    int TextType = 1;  // 1 to 5
    int TextX = 0, TextY = 0;
    Surface Text;   // 24 x 2304 (types 1 and 5) or 288 x 192 (types 2 to 4)
    Surface Frame;  // 288 x 192: the text as the running animation shows it
    Surface Work;   // 408 x 200: the background under the text with the text laid over it
    std::array<uint16_t, kPresentationCharSlots> Codes{};  // types 1 and 5, 0 for an empty cell
    int Column = 0, Line = 0;
    uint32_t PauseStart = 0;
    uint32_t PauseLength = 0;
    bool Paused = false;
    bool WaitingForClick = false;
    bool EndRequested = false;
};

struct EffectsState {
    std::array<ObjectSlot, kObjectSlotCount> Objects;
    Surface Batch;  // 800 x 600 between `obj_ b_make` and `obj_ b_end`
    bool BatchExists = false;
    bool StaffRollAbort = false;  // the close handling or a click after `gameclr` ends `sroll`
    PresentationState Presentation;
};

}  // namespace vespin
