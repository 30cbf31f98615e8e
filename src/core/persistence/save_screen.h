#pragma once
// The save and load screens: 32 slots in two columns over the darkened game, each with its
// caption; the hovered slot shows the first rows of its saved page at the top and pulses red.

#include <cstdint>

#include "core/graphics/surface.h"
#include "core/host/events.h"
#include "core/persistence/save_ui_state.h"
#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// Opens the screen over the current frame (the toolbar buttons and the `save` and `load`
// commands). The toolbar stays locked until it closes.
void OpenSaveLoadScreen(EngineState& e, SaveScreenMode mode);
// Mouse move while the screen is shown.
void SaveScreenHover(EngineState& e, int x, int y);
// A button pressed while the screen is shown.
void SaveScreenClick(EngineState& e, MouseButton button);
// One idle pass while the screen is shown: the hovered slot's highlight.
void SaveScreenIdle(EngineState& e);
// Closes the screen and puts the game's frame back.
void CloseSaveScreen(EngineState& e);

CommandResult RunSave(EngineState& e, const char* arg);
CommandResult RunLoad(EngineState& e, const char* arg);

// ---- Layout ------------------------------------------------------------------------------------

// The slot whose row holds (x, y): 1..16 in the left column, 17..32 in the right, 0 for none.
int SlotAtPoint(int x, int y);
// Where slot n's caption is drawn on the screen's picture.
void CaptionOrigin(int slot, int& x, int& y);
// The 344 x 16 strip that pulses while slot n is hovered.
Rect HighlightStrip(int slot);
// The pulse's level 0..8..0 over sixteen timer ticks.
int HighlightLevel(uint32_t ticks);
// Raises the red channel of a strip copied from the screen: by 8 * level over its first 16
// pixels, not at all over the next 8, by 16 * level over the rest, capped at 255.
void RaiseStripRed(Surface& strip, int level);

}  // namespace vespin
