#pragma once
// The log screen: the backlog's lines over the darkened scene, with voice marks to replay.

namespace vespin {

struct EngineState;

// Opens the log screen; it stays open (the script waits) until the player closes it.
void OpenLog(EngineState& e);

}  // namespace vespin
