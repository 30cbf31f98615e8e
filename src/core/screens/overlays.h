#pragma once
// The pictures that other screens lay over the message window: the quick-button bar and the
// status panels. The message window calls these at fixed points of its drawing; until the status
// panels are built they draw nothing.

#include "core/screens/quick_buttons.h"

namespace vespin {

struct EngineState;

void RefreshStatusPanels(EngineState& e);

}  // namespace vespin
