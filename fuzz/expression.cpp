// Assignments, expressions and conditions of any bytes, one a line: a line beginning with '!' is
// an assignment, '?' a condition, anything else an expression.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/script/expression.h"
#include "fuzz/support/fuzz_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size > 4096) return 0;
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    game.ResetVariables();
    EngineState& e = game.State();
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        size_t end = text.find('\0');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        try {
            if (!line.empty() && line[0] == '!') {
                ExecuteAssignment(e, line.substr(1));
            } else if (!line.empty() && line[0] == '?') {
                EvaluateCondition(e, line.substr(1));
            } else {
                EvaluateExpression(e, line);
            }
        } catch (const ScriptConversionError&) {
        }
    }
    return 0;
}
