#pragma once
// What a running `roll` keeps between its lines, and the two flags the close handling sets while
// one plays: Paused while the quit question is open, Abort once the player has confirmed.

#include <cstdint>
#include <string>
#include <vector>

#include "core/graphics/surface.h"

namespace vespin {

enum class RollAlign : int { Left = 0, Centre = 1, Right = 2 };

struct RollState {
    bool Running = false;
    bool Paused = false;
    bool Abort = false;

    // The text box as the script gave it: left, top, right, bottom.
    int BoxLeft = 200, BoxTop = 200, BoxRight = 600, BoxBottom = 600;
    // The box and work pictures hold only the part of the box that lies on the screen; the text is
    // laid out against the whole box and drawn shifted into them.
    Rect Visible;
    Surface BoxPicture;
    Surface BoxWork;

    std::vector<std::string> Lines;  // the text block collected since the last command
    bool CentreVertically = true;
    RollAlign Align = RollAlign::Centre;
    uint32_t ReferenceMs = 0;
};

}  // namespace vespin
