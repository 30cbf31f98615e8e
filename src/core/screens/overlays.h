#pragma once
// The pictures that other screens lay over the message window: the quick-button bar (the status
// panels are in status_panels.h). The message window calls it at fixed points of its drawing;
// until the quick buttons are built it draws nothing.

namespace vespin {

struct EngineState;

enum class QuickButtonTarget {
    WindowImage,  // over the window image (and its clean copy)
    Display,      // over the DisplaySurface and the drawing area
};

void DrawQuickButtons(EngineState& e, QuickButtonTarget target);

}  // namespace vespin
