#pragma once
// The script commands of the scene effects, as the command table calls them.

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

CommandResult RunShake(EngineState& e, const char* arg);
CommandResult RunScroll(EngineState& e, const char* arg);
CommandResult RunStaffRoll(EngineState& e, const char* arg);
CommandResult RunObject(EngineState& e, const char* arg);

// A click that belongs to a running scene effect (the staff roll or the presentation mode).
void SceneEffectClick(EngineState& e);

}  // namespace vespin
