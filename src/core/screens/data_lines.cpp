#include "core/screens/data_lines.h"

#include <algorithm>

#include "core/shell/engine_state.h"

namespace vespin {

std::string_view DataScriptText(const EngineState& e) {
    const ScriptState& s = e.Script;
    const size_t size =
        std::min(static_cast<size_t>(std::max(s.DataScriptSize, 0)), s.DataScriptBuffer.size());
    return std::string_view(reinterpret_cast<const char*>(s.DataScriptBuffer.data()), size);
}

std::vector<std::string> DataScriptLines(const EngineState& e) {
    std::string_view text = DataScriptText(e);
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();)
        lines.emplace_back(NextDataLine(text, at));
    return lines;
}

std::string_view NextDataLine(std::string_view text, size_t& at) {
    size_t end = text.find('\0', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    return line;
}

}  // namespace vespin
