#pragma once
// The animation players: entries of vg_anim.vsp / vg_anim2.vsp played over the screen. Each runs
// to its end inside the call, pumping messages between events like the transitions.

#include <string_view>

namespace vespin {

struct EngineState;

// S040 becomes 1 when the player cut an animation short.
inline constexpr int kAnimationCutShort = 40;

// `anim name,x,y,e`: the pictures at full size straight onto the drawing area at (x, y); the last
// one stays on screen and in the DisplaySurface. A click stops it when the expression e is not 0.
void PlayAnimation(EngineState& e, std::string_view args);
// `animq name,x,y,e`: pictures stored at half size, doubled by the AnimQuality setting; the
// DisplaySurface is white afterwards.
void PlayDoubledAnimation(EngineState& e, std::string_view args);

// Plays the card battle's effect animation named by `args` ("name,x,y,e"), added onto the
// screen, to its end; it looks only in vg_anim.vsp and cannot be cut short.
void PlayBattleAnimation(EngineState& e, std::string_view args);

}  // namespace vespin
