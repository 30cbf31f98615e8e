#include "core/graphics/transitions.h"

#include "core/graphics/drawing_area.h"
#include "core/shell/engine_state.h"
#include "core/text/message_window.h"

namespace vespin {

// Every transition is the instant cut for now; the animated ones plug in here.
void RunTransition(EngineState& e, int n) {
    e.Shell.EngineBusy = true;
    e.Shell.TransitionRunning = true;
    e.Shell.InterruptRequest = 0;
    e.Vars.S[19] = 0;
    if (n <= 24) ShowOnDrawingArea(e, e.DisplaySurface);
    if (e.FullTextMode()) e.CompositionSurface = e.DisplaySurface;
    ResetPlainTextFonts(e);
    e.Shell.EngineBusy = false;
    e.Shell.TransitionRunning = false;
}

}  // namespace vespin
