#pragma once
// The choice-history ring: a save taken each time a `select` list is shown, so the player can go
// back to an earlier choice.

namespace vespin {

struct EngineState;

// Called once a `select` list is on screen. Does nothing while S028 is set.
void SaveChoiceHistory(EngineState& e);

}  // namespace vespin
