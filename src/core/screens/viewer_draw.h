#pragma once
// Drawing the viewer: the page (base picture, plates, thumbnails, completion digits), the
// hover copies of a pointed item or button, and the fading of their highlights.

#include <string_view>

#include "core/graphics/surface.h"

namespace vespin {

struct EngineState;

// Loads picture `name` into `target` at the drawing area's size, the picture at its top left.
// A missing or unreadable picture leaves `target` as it was.
bool LoadViewerPicture(EngineState& e, std::string_view name, Surface& target);

// Loads the current set's pictures and draws the page into the DisplaySurface and on screen.
void DrawViewerPage(EngineState& e);

// The hit code under (x, y): an item 1..30, a button 31..33, a tab 40..49, a link 50..54, or 0.
int ViewerHitTest(const EngineState& e, int x, int y);

// The rectangle of a hit code (empty for 0 and undefined boxes).
Rect ViewerCodeRect(const EngineState& e, int code);

// Copies `area` of the hover page into the DisplaySurface and shows it.
void ShowHoverArea(EngineState& e, const Rect& area);

// One step of the idle fade of code's highlight: its counter down by one, its rectangle redrawn
// as the hover page over the base by 8 x counter / 256.
void FadeHighlight(EngineState& e, int code);

}  // namespace vespin
