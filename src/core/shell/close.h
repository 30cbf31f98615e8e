#pragma once
// Closing the program: the close question and shutdown.

namespace vespin {

struct EngineState;

// The close box, the ゲーム終了 menu item, `exitgame`: runs the close confirmation and closes
// the window when it allows. Returns whether the window closed.
bool RequestClose(EngineState& e);
// Closes without asking (start-up failures, the player's OK after a transition).
void CloseWindow(EngineState& e);

}  // namespace vespin
