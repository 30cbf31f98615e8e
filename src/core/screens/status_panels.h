#pragma once
// The status panels of the simulation parts: panel A (three bars) at the top, panel B (six bars)
// on the right and panel C (level and main attribute) at the top left, chosen by S050 (bit 0 A,
// bit 1 B) and S051 (C). The message window redraws them whenever it is drawn; `chgprm` animates
// a change of the values.

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

enum class PanelOutput {
    ComposeOnly,  // recompose the enabled panels over the scene
    IntoDisplay,  // and put them into the DisplaySurface
};

// Start-up: "sys3", "sys4", "sys5" (each the panel over its mask), "sys6" (attribute icons) and
// "stw_hilite" (panel C's highlight). A missing picture leaves its panel transparent.
void InitStatusPanels(EngineState& e);
// Computes the main attributes (V011, V021), recomposes every enabled panel and remembers the bar
// widths drawn.
void DrawStatusPanels(EngineState& e, PanelOutput output);
// The message window's hook, called after every drawing of the window.
void RefreshStatusPanels(EngineState& e);

// `chgprm`: the change from the widths last drawn to the current values, as a short animation
// (also when nothing changed), with panel C's highlight.
CommandResult RunChgprm(EngineState& e, const char* arg);

}  // namespace vespin
