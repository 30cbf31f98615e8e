#pragma once
// The lines of the data script in DataScriptBuffer, copied out so that a screen can walk them
// while anything it calls loads other data.

#include <string>
#include <string_view>
#include <vector>

namespace vespin {

struct EngineState;

// The loaded data script's bytes (its NUL-terminated lines), held to the buffer.
std::string_view DataScriptText(const EngineState& e);

// Each NUL-terminated line of the loaded data script, in order; a last line without its NUL
// counts too.
std::vector<std::string> DataScriptLines(const EngineState& e);

// The NUL-terminated line of `text` that starts at `at`, with `at` moved past its NUL; a last
// line without its NUL counts too.
std::string_view NextDataLine(std::string_view text, size_t& at);

}  // namespace vespin
