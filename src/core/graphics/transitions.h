#pragma once
// Transitions: carrying the drawing area from the previous frame (PreviousFrameSurface) to the new
// one (DisplaySurface).

namespace vespin {

struct EngineState;

// Runs transition n; returns when the drawing area shows the new frame.
void RunTransition(EngineState& e, int n);

}  // namespace vespin
