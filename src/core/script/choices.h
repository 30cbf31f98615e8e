#pragma once
// Choices: `select` and `sel2` (clickable entries), `clickmap` (regions of a picture) and `switch`
// (an entry picked by its condition). The entries are the `{` lines of the block that follows.

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

CommandResult RunSelect(EngineState& e, const char* arg);
CommandResult RunSel2(EngineState& e, const char* arg);
CommandResult RunClickmap(EngineState& e, const char* arg);
CommandResult RunSwitch(EngineState& e, const char* arg);

// The pointer moved over the drawing area while a choice is shown.
void ChoiceHover(EngineState& e, int x, int y);
// A click while a choice is shown (after the click lockout has run out).
void ChoiceClick(EngineState& e);
// The Up and Down keys over a `select` in the message window: move to the previous or next entry.
void MoveChoiceFocus(EngineState& e, int direction);
// The clickmap's part of hovering and clicking.
void ClickmapHover(EngineState& e, int x, int y);
void TakeClickmapRegion(EngineState& e, int index);
// オートナビ終了: replaying recorded choices stops and recording goes on from here.
void EndAutoNavigation(EngineState& e);

}  // namespace vespin
