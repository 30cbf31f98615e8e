#pragma once
// The animation players: entries of vg_anim.vsp / vg_anim2.vsp played over the screen.

#include <string_view>

namespace vespin {

struct EngineState;

// Plays the card battle's effect animation named by `args` ("name,x,y,e"), added onto the
// screen, to its end; it looks only in vg_anim.vsp and cannot be cut short.
void PlayBattleAnimation(EngineState& e, std::string_view args);

}  // namespace vespin
