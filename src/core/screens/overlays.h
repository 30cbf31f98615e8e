#pragma once
// The pictures that other screens lay over the message window: the quick-button bar (the status
// panels are in status_panels.h). The message window calls it at fixed points of its drawing.

#include "core/screens/quick_buttons.h"
