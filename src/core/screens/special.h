#pragma once
// `special` code: seven built-in scenes chosen by the first character of the argument.

#include <string_view>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// The E flags that count toward completion: 228 of them in seven ranges.
inline constexpr int kCompletionFlagCount = 228;
// The completion percentage the set E flags give, 0..100.
int CompletionPercent(const EngineState& e);

// special 2: rows 0..a-1 and b..599 of the DisplaySurface scaled by c/16, then shown.
void DarkenBands(EngineState& e, int a, int b, int c);

CommandResult RunSpecial(EngineState& e, const char* arg);

}  // namespace vespin
