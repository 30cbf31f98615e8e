#pragma once
// The pictures that other screens lay over the message window: the quick-button bar and the
// status panels. The message window calls these at fixed points of its drawing; until the quick
// buttons and the status panels are built they draw nothing.

namespace vespin {

struct EngineState;

enum class QuickButtonTarget {
    WindowImage,  // over the window image (and its clean copy)
    Display,      // over the DisplaySurface and the drawing area
};

void DrawQuickButtons(EngineState& e, QuickButtonTarget target);
void RefreshStatusPanels(EngineState& e);

}  // namespace vespin
