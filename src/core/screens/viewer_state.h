#pragma once
// What the graphics viewer keeps for the rest of the engine: its picture list and which of those
// pictures the player has seen.

#include <string>
#include <vector>

#include "core/script/variables.h"

namespace vespin {

struct EngineState;

struct ViewerState {
    std::vector<std::string> PictureList;  // upper-cased background names, in viewer order
    FlagBank<2000> CgSeenBits;
};

// Marks a background as seen when it is one of the viewer's pictures.
void MarkPictureSeen(EngineState& e, std::string_view upper_name);
// Marks every picture of the list as seen (`cgfull`).
void MarkAllPicturesSeen(EngineState& e);

}  // namespace vespin
