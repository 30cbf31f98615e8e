#pragma once
// Everything the engine shows goes through here: the drawing area's content is mirrored in
// EngineState::DrawingArea before the Host presents it, because some commands read back what is
// on screen (`fix` keeps what `ptset` and `direct` drew straight onto it).

#include "core/graphics/surface.h"

namespace vespin {

struct EngineState;

// Copies `area` of `source` to the same place of the drawing area and shows it.
void ShowOnDrawingArea(EngineState& e, const Surface& source, const Rect& area);
// The whole 800 x 600 area.
void ShowOnDrawingArea(EngineState& e, const Surface& source);
// Draws `source`'s rectangle `from` at (x, y) of the drawing area, clipped to both.
void BlitToDrawingArea(EngineState& e, const Surface& source, const Rect& from, int x, int y);
// The same, skipping the source pixels of the key colour (transparent).
void BlitToDrawingAreaKeyed(EngineState& e, const Surface& source, const Rect& from, int x, int y,
                            uint8_t key_blue, uint8_t key_green, uint8_t key_red);

}  // namespace vespin
