#include "core/anim/anim_player.h"

namespace vespin {

// Placeholder until the animation player lands: the battle goes on without its effects.
void PlayBattleAnimation(EngineState&, std::string_view) {}

}  // namespace vespin
