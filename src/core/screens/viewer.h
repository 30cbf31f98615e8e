#pragma once
// The graphics viewer (`viewer` PAGE, MainMode 6): a gallery of event pictures, a list of scenes
// to replay, a music room or a plain music player, as the data script `view` defines the page.

#include "core/graphics/surface.h"
#include "core/host/events.h"
#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// `viewer` PAGE: opens the page. A missing ":VIEW_0" block or page label leaves the viewer
// closed and the script goes on; either way this pass ends.
CommandResult RunViewer(EngineState& e, const char* arg);

// Opens page `name` (any case). False when the page cannot be opened.
bool OpenViewerPage(EngineState& e, std::string_view name);

void ViewerPointerMove(EngineState& e, int x, int y);
void ViewerClick(EngineState& e, MouseButton button);
// Once per idle pass while MainMode is 6: the fading highlights.
void ViewerIdleStep(EngineState& e);

// True while a scene replayed from the viewer runs.
bool InViewerReplay(const EngineState& e);
// Ends a replayed scene and shows the viewer's page again where it was left.
void ReturnToViewer(EngineState& e);

}  // namespace vespin
