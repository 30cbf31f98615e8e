#include "core/screens/overlays.h"

namespace vespin {

// The quick-button bar (skip, auto, save, load, backlog, voice replay, settings) is drawn here
// once it exists; the message window already calls it at every point it must.
void DrawQuickButtons(EngineState&, QuickButtonTarget) {}

}  // namespace vespin
