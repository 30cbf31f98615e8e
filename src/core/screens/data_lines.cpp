#include "core/screens/data_lines.h"

#include <algorithm>
#include <cstring>

#include "core/shell/engine_state.h"

namespace vespin {

std::vector<std::string> DataScriptLines(const EngineState& e) {
    const ScriptState& s = e.Script;
    const size_t size =
        std::min(static_cast<size_t>(std::max(s.DataScriptSize, 0)), s.DataScriptBuffer.size());
    const auto* text = reinterpret_cast<const char*>(s.DataScriptBuffer.data());
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < size) {
        const void* nul = std::memchr(text + at, 0, size - at);
        size_t end = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : size;
        lines.emplace_back(text + at, end - at);
        at = end + 1;
    }
    return lines;
}

}  // namespace vespin
