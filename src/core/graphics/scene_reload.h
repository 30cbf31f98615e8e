#pragma once
// Rebuilds the scene's layers from the names it keeps (background, left or centre, right), for a
// loaded game, the end of a fast skip (which loads no pictures), the end of the page replay and a
// change of settings.

namespace vespin {

struct EngineState;

// Loads the background (or fills it with the colour an S name gives) and the characters that
// S023 says are shown, each with its mask, then recomposes the scene. Names of characters that are
// not shown are cleared. The centre character is loaded unmirrored, whatever S012 says.
void ReloadScenePictures(EngineState& e);

}  // namespace vespin
