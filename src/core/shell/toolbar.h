#pragma once
// The toolbar strip's state: derived from ToolbarLocked, S000, SaveScreenState and auto-advance,
// and pushed to the Host after every change.

namespace vespin {

struct EngineState;
struct ToolbarState;

ToolbarState ComputeToolbarState(const EngineState& e, const ToolbarState& previous);
void RefreshToolbar(EngineState& e);
void SetToolbarLocked(EngineState& e, bool locked);

}  // namespace vespin
