#pragma once
// The object layer `obj_`: small masked pictures in 32 slots, placed over the screen directly or
// gathered first on an off-screen batch surface and shown at once.

#include <string_view>

namespace vespin {

struct EngineState;

// The text after `obj_`: a subcommand (load, del, set, fix, era, b_make, b_end, b_reset, b_set,
// b_show; case ignored) and its arguments. Slots outside 0..31, unloaded slots and a batch that
// does not exist make a subcommand do nothing; anything drawn is clipped to its surfaces.
void ObjectCommand(EngineState& e, std::string_view argument);

// Releases every slot and the batch surface.
void ReleaseObjects(EngineState& e);

}  // namespace vespin
