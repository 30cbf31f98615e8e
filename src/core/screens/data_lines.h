#pragma once
// The lines of the data script in DataScriptBuffer, copied out so that a screen can walk them
// while anything it calls loads other data.

#include <string>
#include <vector>

namespace vespin {

struct EngineState;

// Each NUL-terminated line of the loaded data script, in order; a last line without its NUL
// counts too.
std::vector<std::string> DataScriptLines(const EngineState& e);

}  // namespace vespin
