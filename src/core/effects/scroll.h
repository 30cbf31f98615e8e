#pragma once
// `scroll` pans the screen over a picture larger than it; `sroll` rolls the staff lines of the
// script entry "sroll" up a column of the screen.

#include <string_view>

namespace vespin {

struct EngineState;

// name,direction,period,transition. Direction 0 pans up from the bottom, 1 right, 2 down, 3 left;
// one pixel a period. A click ends the pan at its final view.
void ScrollPicture(EngineState& e, std::string_view argument);

// Rolls the lines of "sroll" (up to a line "}") upwards, one pixel every 30 ms, then stops the
// music. The close handling, or a click once E999 is set, ends it early.
void StaffRoll(EngineState& e);

// A click while the staff roll runs (MainMode 5).
void StaffRollClick(EngineState& e);

}  // namespace vespin
