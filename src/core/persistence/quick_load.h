#pragma once
// The quick load the quick buttons offer: slot 99, loaded only after the player confirms. (The
// quick save, which asks nothing, is QuickSave in save_game.h.)

namespace vespin {

struct EngineState;

// Asks "クイックロードしますか？"; "はい" loads slot 99.
void AskQuickLoad(EngineState& e);

}  // namespace vespin
