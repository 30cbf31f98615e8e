#pragma once
// Read marks: one bit per passage of the scenario, set the first time the passage is reached and
// kept with the system data, so that skipping can stop at text the player has not read yet.

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// `mark N` (0..80000): a passage met before counts as read; otherwise its mark is set, it counts
// as unread and, with the Seen setting on, skipping stops here.
CommandResult RunMark(EngineState& e, const char* arg);

}  // namespace vespin
