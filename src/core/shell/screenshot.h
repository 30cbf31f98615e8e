#pragma once
// The screenshot key (F12, and the popup menu's "スクリーンショット"): the host saves the picture
// on the drawing area as it stands, then a short banner says whether it could.

namespace vespin {

struct EngineState;

// Saves through the host first, so the banner is not in the picture. While the engine is in the
// middle of an operation the picture is saved all the same and the banner is left out.
void TakeScreenshot(EngineState& e);

}  // namespace vespin
