#include "core/screens/overlays.h"

namespace vespin {

// The status panels (the game's parameters) are drawn here once they exist.
void RefreshStatusPanels(EngineState&) {}

}  // namespace vespin
