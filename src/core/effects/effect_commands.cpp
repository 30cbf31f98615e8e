#include "core/effects/effect_commands.h"

#include "core/effects/objects.h"
#include "core/effects/presentation.h"
#include "core/effects/scroll.h"
#include "core/effects/shake.h"
#include "core/shell/engine_state.h"

namespace vespin {

CommandResult RunShake(EngineState& e, const char* arg) {
    Shake(e, arg);
    return CommandResult::EndPass;
}

CommandResult RunScroll(EngineState& e, const char* arg) {
    ScrollPicture(e, arg);
    return CommandResult::EndPass;
}

CommandResult RunStaffRoll(EngineState& e, const char*) {
    StaffRoll(e);
    return CommandResult::EndPass;
}

CommandResult RunObject(EngineState& e, const char* arg) {
    ObjectCommand(e, arg);
    return CommandResult::NextLine;
}

void SceneEffectClick(EngineState& e) {
    if (e.Shell.MainMode == kModeRoll) PresentationClick(e);
    if (e.Shell.MainMode == kModeScrollingCredits) StaffRollClick(e);
}

}  // namespace vespin
