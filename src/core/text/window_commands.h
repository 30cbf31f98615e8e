#pragma once
// The script commands of the message window: win_open, win_close, tw_set, subtitle.

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

CommandResult RunWinOpen(EngineState& e, const char* arg);
CommandResult RunWinClose(EngineState& e, const char* arg);
CommandResult RunTwSet(EngineState& e, const char* arg);
CommandResult RunSubtitle(EngineState& e, const char* arg);

}  // namespace vespin
