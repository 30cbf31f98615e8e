#pragma once
// Scripts as authors write them (UTF-8 text, one script line per text line) and as the engine
// stores them (Shift-JIS lines, each ended by a NUL).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vespin {

// Fails with `error` naming the 1-based line of a character Shift-JIS cannot hold, a NUL byte,
// or a line longer than the interpreter reads (2,047 bytes).
bool EncodeScript(std::string_view utf8, std::vector<uint8_t>& out, std::string& error);
// Back to UTF-8 text; a final line without its NUL is kept.
std::string DecodeScript(const std::vector<uint8_t>& script);

}  // namespace vespin
