#pragma once
// The choice-history ring: a save taken each time a `select` list is shown, so the player can go
// back to an earlier choice.

namespace vespin {

struct EngineState;

// Called once a `select` list is on screen: the ring moves one place (slot 80 drops out when
// all twenty are taken) and slot 61 receives a quiet save. Does nothing while S028 is set.
// Returns whether the new save is in place.
bool SaveChoiceHistory(EngineState& e);

}  // namespace vespin
