#include "core/text/hide_window_view.h"

#include "core/graphics/drawing_area.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"

namespace vespin {

void HideWindowView(EngineState& e) {
    if (e.Shell.MainMode != kModeScript) return;
    e.BacklogView.HiddenWindowFrame = e.DisplaySurface;
    e.Shell.MainMode = kModeWindowHidden;
    SetToolbarLocked(e, true);
    ShowOnDrawingArea(e, e.CompositionSurface);
}

void EndHideWindowView(EngineState& e) {
    if (e.Shell.MainMode != kModeWindowHidden) return;
    Surface& kept = e.BacklogView.HiddenWindowFrame;
    if (!kept.Empty()) e.DisplaySurface = std::move(kept);
    kept = Surface();
    e.Shell.MainMode = kModeScript;
    SetToolbarLocked(e, false);
    ShowOnDrawingArea(e, e.DisplaySurface);
}

}  // namespace vespin
