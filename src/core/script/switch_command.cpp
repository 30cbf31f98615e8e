// `switch` and `switch NAME`: the first entry whose condition holds (or that has none) is taken;
// no input is involved. Named switches use "{:NAME(...)" entries and a "}:NAME" end so that they
// nest.

#include <cstring>
#include <string_view>

#include "core/script/choices.h"
#include "core/script/expression.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

// Whether an entry line (after its '{' and, for named switches, ":NAME") is taken.
bool Taken(EngineState& e, std::string_view rest) {
    if (rest.empty()) return true;
    if (rest[0] != '(') return false;
    return EvaluateCondition(e, rest);
}

}  // namespace

CommandResult RunSwitch(EngineState& e, const char* arg) {
    ScriptState& s = e.Script;
    std::string_view name(arg);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    int end = name.empty() ? SkipToLineStartingWith(e, s.ReadPosition, '}')
                           : FindNamedBlockEnd(e, s.ReadPosition, name);
    if (end == kNoLine) end = s.ScriptSize;
    s.FetchLine = true;
    for (int p = SkipToLineStartingWith(e, s.ReadPosition, '{'); p != kNoLine && p < end;
         p = SkipToLineStartingWith(e, p + 1, '{')) {
        std::string_view line = ScriptLineAt(e, p);
        std::string_view rest = line.substr(1);
        if (!name.empty()) {
            if (rest.size() < 1 + name.size() || rest[0] != ':' ||
                !sjis::StartsWithIgnoringCase(rest.substr(1), name))
                continue;
            rest.remove_prefix(1 + name.size());
        }
        if (Taken(e, rest)) {
            s.ReadPosition = p + static_cast<int>(line.size()) + 1;
            return CommandResult::EndPass;
        }
    }
    s.ReadPosition = end;
    return CommandResult::EndPass;
}

}  // namespace vespin
