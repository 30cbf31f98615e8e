#pragma once
// Skipping and auto-advance: turning them off and on.

namespace vespin {

struct EngineState;

enum class StopMode : bool {
    Unforced,  // only when the BreakonSelect setting asks for it, never on the save screen
    Forced,
};

// Ends skipping and turns auto-advance off (S027 keeps the last level).
void StopSkipAndAuto(EngineState& e, StopMode mode);
// Ends skipping. After a fast skip (which draws nothing) with the message window open, the scene
// and the window are built again and shown.
void EndSkipping(EngineState& e);
// The 自動送り button and the Ctrl key.
void ToggleAutoAdvance(EngineState& e);

}  // namespace vespin
