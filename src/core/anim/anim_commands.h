#pragma once
// The script's `anim` and `animq` lines (one row of the command table: "anim" followed by "q" is
// the doubled form, whose argument starts one byte later).

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

CommandResult RunAnim(EngineState& e, const char* arg);

}  // namespace vespin
