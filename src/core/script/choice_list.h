#pragma once
// Reading the `{` entries of a choice block from the script.

#include <string>
#include <string_view>
#include <vector>

namespace vespin {

struct EngineState;

struct ChoiceEntry {
    std::string Label;  // Shift-JIS, at most 64 bytes
    int Target = 0;     // the line after the entry line
    bool HasCondition = false;
    bool ConditionHolds = true;
    std::string_view Rest;  // the entry line after '{' and any condition
};

// The entry lines from ReadPosition up to the block's first '}' line, at most 32 of them.
// Conditions are evaluated here (an expression error propagates like any script error).
std::vector<ChoiceEntry> ReadChoiceEntries(EngineState& e);

}  // namespace vespin
