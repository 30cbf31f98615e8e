#pragma once
// Replaying a scene from a screen (the graphics viewer's scene list, the recollection screen):
// where the script stood when the screen opened, and the start of a replayed scene.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/script/script_state.h"
#include "core/shell/shell_state.h"

namespace vespin {

struct EngineState;

struct ScriptReturnPoint {
    ScriptNameField ScriptName;
    int32_t ReadPosition = 0;
    int CallDepth = 0;
    // Whole frames, not only their names: a replayed scene that calls another script overwrites
    // the return positions of the frames below the screen's own caller.
    std::array<CallFrame, kCallStackDepth> CallStack{};
};

ScriptReturnPoint SaveReturnPoint(const EngineState& e);

// Loads the script of `point` again as the running script and puts back its read position and
// call stack. False, leaving the running script as it was, when the script cannot be loaded.
bool ResumeAtReturnPoint(EngineState& e, const ScriptReturnPoint& point);

// Starts `script` as a replayed scene at call depth 0: the idle pass runs it from the next pass,
// with `ReplayActive` set, `origin` remembered and 回想モード終了 shown. The name is the script's
// own (no label). False when the script does not exist; nothing is changed then.
bool BeginReplayedScene(EngineState& e, std::string_view script, ReplayScreen origin);

// True while the replay's popup items (シーンスキップ, 回想モード終了) must wait: the engine is
// busy or a transition runs, or the save screen, the log or a question holds state of its own.
bool ReplayMenuMustWait(const EngineState& e);

// The way back from a replayed scene, whichever screen started it: the looping sound stops,
// `ReplayActive`, the origin and the popup items of a replay are cleared, and the script stands
// at `back` again with its window hidden. The screen then draws itself.
void EndReplayedScene(EngineState& e, const ScriptReturnPoint& back);

}  // namespace vespin
