#include "core/script/choice_list.h"

#include <cstring>

#include "core/script/choice_state.h"
#include "core/script/expression.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr size_t kLabelLimit = 64;

}  // namespace

std::vector<ChoiceEntry> ReadChoiceEntries(EngineState& e) {
    std::vector<ChoiceEntry> entries;
    int position = e.Script.ReadPosition;
    while (static_cast<int>(entries.size()) < kMaxChoices) {
        int open = SkipToLineStartingWith(e, position, '{');
        int close = SkipToLineStartingWith(e, position, '}');
        if (open == kNoLine || open >= close) break;
        std::string_view line = ScriptLineAt(e, open);
        ChoiceEntry entry;
        entry.Target = open + static_cast<int>(line.size()) + 1;
        std::string_view rest = line.substr(1);
        if (!rest.empty() && rest[0] == '(') {
            size_t paren = rest.find(')');
            entry.HasCondition = true;
            entry.ConditionHolds = EvaluateCondition(e, rest);
            rest = paren == std::string_view::npos ? std::string_view() : rest.substr(paren + 1);
        }
        entry.Rest = rest;
        entry.Label = std::string(rest.substr(0, kLabelLimit));
        entries.push_back(std::move(entry));
        position = open + 1;
    }
    return entries;
}

}  // namespace vespin
