#pragma once
// The quick save and the quick load the quick buttons offer: slot 99, saved at once, loaded only
// after the player confirms.

namespace vespin {

struct EngineState;

// Saves slot 99 as the save screen does (announced, no question). Returns whether it was written.
bool QuickSave(EngineState& e);
// Asks "クイックロードしますか？"; "はい" loads slot 99.
void AskQuickLoad(EngineState& e);

}  // namespace vespin
