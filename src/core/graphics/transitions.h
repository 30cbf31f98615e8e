#pragma once
// Transitions carry the drawing area from the previous frame (PreviousFrameSurface, "O") to the
// new one (DisplaySurface, "N"), with the WorkSurface ("W") as scratch. Each runs to its end
// inside one call and pumps messages every frame, so a click or a close request arrives in the
// middle of it: the input handlers only record it in InterruptRequest, and the transition cuts
// itself short after its next frame.

namespace vespin {

struct EngineState;

inline constexpr int kTransitionCount = 25;  // 0 to 24; higher numbers draw nothing

// Runs transition n (negative numbers, the fast graphic setting and skipping make it a cut).
// Sets EngineBusy and TransitionRunning for its duration and clears them at the end; leaves
// InterruptRequest for the picture command to read, and S019 at 1 when a click cut it short.
// Returns with the drawing area showing the new frame (above 24: the old one).
void RunTransition(EngineState& e, int n);

// What the picture command does after its transition: a close requested meanwhile is asked now.
// Returns true when something arrived during the transition (the command then ends the pass);
// InterruptRequest is 0 afterwards.
bool SettleTransitionInterrupt(EngineState& e);

// The `iris` command: a circle closing to black, drawn straight on the drawing area. The
// DisplaySurface ends black; the CompositionSurface keeps the scene.
void IrisClose(EngineState& e);

// The sepia still of the special scenes: the composition turns sepia and fades in over the
// frame on screen, with the message window drawn over it.
void SepiaFreeze(EngineState& e);

}  // namespace vespin
