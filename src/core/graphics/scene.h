#pragma once
// The scene: the background and up to three character layers composed into the
// CompositionSurface, the message window drawn over it into the DisplaySurface, and a transition
// carrying the drawing area from the previous frame to the new one.

namespace vespin {

struct EngineState;

// Bits of S023: which character pictures are shown. Centre never combines with left or right.
inline constexpr int kLeftShown = 1;
inline constexpr int kRightShown = 2;
inline constexpr int kCentreShown = 4;

void ComposeScene(EngineState& e);
// Blends the centre character layer through its mask into the CompositionSurface, centred.
void DrawCentreCharacter(EngineState& e);
// Applies S011 to the CompositionSurface: 1 darken by S013 / 16, 2 sepia, 3 grey, 4 rotate 180°.
void ApplyColourEffect(EngineState& e);
// Builds the DisplaySurface from the composition and lets the message window draw itself.
void UpdateDisplay(EngineState& e);
// Composes, updates and runs transition n from the frame on screen to the new one.
void ShowScene(EngineState& e, int transition);

}  // namespace vespin
