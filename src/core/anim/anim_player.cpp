#include "core/anim/anim_player.h"

#include "core/anim/anim_playback.h"

namespace vespin {

void PlayAnimation(EngineState& e, std::string_view args) {
    RunAnimation(e, AnimForm::Full, ParseAnimRequest(e, args, true));
}

void PlayDoubledAnimation(EngineState& e, std::string_view args) {
    RunAnimation(e, AnimForm::Doubled, ParseAnimRequest(e, args, true));
}

void PlayBattleAnimation(EngineState& e, std::string_view args) {
    // e is forced to 0: the battle's effects always run to their end.
    RunAnimation(e, AnimForm::Battle, ParseAnimRequest(e, args, false));
}

}  // namespace vespin
