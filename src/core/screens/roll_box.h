#pragma once
// The drawing side of a roll: the picture behind the reel, the text box and its fades. All fades
// run on the frame clock with a 30 ms period and stop early once the roll is aborted.

#include <string_view>

namespace vespin {

struct EngineState;

// Resets the box, the text block and the layout to the state a roll starts in.
void ResetRollBox(EngineState& e);
// WIN: the box from left, top, right, bottom; its pictures take its on-screen size.
void SetRollBox(EngineState& e, int left, int top, int right, int bottom);
// GRA: loads `name` into the CompositionSurface (a missing picture leaves it as it was) and shows
// it: mode 1 cross-fades quickly, mode 2 slowly, any other mode at once.
void ShowRollPicture(EngineState& e, std::string_view name, int mode);
// PUT: 0 shows the text block in the box at once, 1 fades it in; any other n shows the
// DisplaySurface again.
void PutRollText(EngineState& e, int n);
// ERA: 0 removes the box at once (the whole DisplaySurface becomes the composition), 1 fades it
// out; any other n shows the DisplaySurface again.
void EraseRollBox(EngineState& e, int n);

// True once the roll must end: the player confirmed quitting, or the window is gone.
bool RollStopped(const EngineState& e);

}  // namespace vespin
