#include "core/anim/anim_commands.h"

#include "core/anim/anim_player.h"
#include "core/shell/engine_state.h"

namespace vespin {

CommandResult RunAnim(EngineState& e, const char* arg) {
    // The line is the prefix, "anim", then "q" for the doubled form.
    const char* line = e.Script.LineBuffer.data();
    const bool doubled = line[5] == 'q';
    if (doubled) {
        PlayDoubledAnimation(e, arg);
    } else {
        PlayAnimation(e, arg);
    }
    return CommandResult::EndPass;
}

}  // namespace vespin
