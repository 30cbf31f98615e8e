#pragma once
// The screen mode: the 800 x 600 picture in a window, in a borderless window at the desktop's
// corner (SMode 2), or on an exclusive full-screen display (SMode 1) that falls back to the window
// when the display refuses.

namespace vespin {

struct EngineState;

void EnterFullScreen(EngineState& e);
void LeaveFullScreen(EngineState& e);
// Back to the window from either full-screen layout, the borderless one included (the settings
// dialog's switch to the window).
void LeaveFullScreenLayout(EngineState& e);

}  // namespace vespin
