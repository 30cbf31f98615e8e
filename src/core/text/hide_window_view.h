#pragma once
// The player's view of the scene without the message window (right button, Space, the quick
// button): the frame with the window is kept and comes back on the next click or key.

namespace vespin {

struct EngineState;

// Shows the scene alone; MainMode 1 and the toolbar locked until EndHideWindowView.
void HideWindowView(EngineState& e);
// Puts the kept frame back; script mode again.
void EndHideWindowView(EngineState& e);

}  // namespace vespin
