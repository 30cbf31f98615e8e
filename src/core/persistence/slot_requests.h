#pragma once
// Saves and loads asked for from outside the game's own screens (the headless host's event
// scripts): taken by the input handler, run at the start of the next idle pass, where no effect
// is in the middle of its loop.

#include "core/persistence/persistence_state.h"

namespace vespin {

struct EngineState;

void RequestSlotAction(EngineState& e, SlotAction action, int slot);
// Runs the pending request, if any: a save as the save screen takes it (announced), a load as
// the load screen does it.
void RunSlotRequest(EngineState& e);

}  // namespace vespin
