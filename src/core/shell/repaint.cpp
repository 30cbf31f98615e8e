// The drawing area repainted by the window system (first shown, uncovered, restored, its layout
// changed): the frame is drawn again from the engine's own surfaces, and what the window system
// may have reset along the way is applied again.

#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"

namespace vespin {

void OnRepaint(EngineState& e) {
    // With the message window hidden by the player, the scene is shown without it.
    const Surface& frame =
        e.Shell.MainMode == kModeWindowHidden ? e.CompositionSurface : e.DisplaySurface;
    ShowOnDrawingArea(e, frame);
    e.Text.PlainFontFace = e.TextRenderer.FaceName;
    ApplyVolumes(e);
}

}  // namespace vespin
