#pragma once
// The presentation mode (MainMode 3): a called script read as pages of text laid over the
// background, with its own eleven commands (gra, music, pos, wait, put, era, end, type, dark,
// click, sepia). The idle pass runs one step at a time; a click asks it to end, and it then
// returns to the script that called it.

#include <string_view>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// `present NAME` (or `present NAME:LABEL`, `present $N`): calls the script as `call` does and,
// when it is loaded, runs it in the presentation mode from the next idle pass on.
CommandResult RunPresent(EngineState& e, const char* arg);

// Enters the presentation mode on the script that is loaded now, at its read position.
void StartPresentation(EngineState& e);

// One step of the presentation mode: the work of one idle pass.
void PresentationStep(EngineState& e);

// A click while the presentation mode runs: its end is requested.
void PresentationClick(EngineState& e);

// Leaves the presentation mode: S011 back to 0, the text surfaces released.
void EndPresentation(EngineState& e);

// --- Drawing (presentation_draw.cpp) ---

// Puts one text line onto the text surface as the current type lays it out.
void AddPresentationText(EngineState& e, std::string_view line);
// Selects text type n (1 to 5; others keep the type) and clears the text surface.
void SelectPresentationType(EngineState& e, int n);
enum class Reveal : bool { Put, Erase };
// Shows (Put) or hides (Erase) the text with the animation of the current type.
void AnimatePresentationText(EngineState& e, Reveal reveal);

}  // namespace vespin
