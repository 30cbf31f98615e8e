#pragma once
// Name entry: the `setname` command asks the player for the hero's two names (string slots 0
// and 1), keeps them in the settings as PlayerName and PlayerName2, and sets S006 to whether the
// first name differs from the default.

#include <string_view>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// A name the dialog takes: one to three characters, every one of them full-width (a two-byte
// Shift-JIS character), so at most six bytes.
bool IsValidName(std::string_view sjis);

CommandResult RunSetName(EngineState& e, const char* arg);

}  // namespace vespin
