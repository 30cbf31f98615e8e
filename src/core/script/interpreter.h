#pragma once
// The line interpreter: runs script lines until something must wait.

namespace vespin {

struct EngineState;

// One interpreter call, made by the idle pass when the interpreter is enabled.
void RunScript(EngineState& e);

}  // namespace vespin
