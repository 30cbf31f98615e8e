#include "core/script/scene_replay.h"

#include "core/audio/sound.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"

namespace vespin {

ScriptReturnPoint SaveReturnPoint(const EngineState& e) {
    const ScriptState& s = e.Script;
    ScriptReturnPoint point;
    point.ScriptName = s.CurrentScriptName.View();
    point.ReadPosition = s.ReadPosition;
    point.CallDepth = s.CallDepth;
    point.CallStack = s.CallStack;
    return point;
}

bool ResumeAtReturnPoint(EngineState& e, const ScriptReturnPoint& point) {
    if (!LoadScript(e, point.ScriptName.View(), ScriptMode::Scenario)) return false;
    ScriptState& s = e.Script;
    s.CurrentScriptName = point.ScriptName.View();
    s.ReadPosition = point.ReadPosition;
    s.CallDepth = point.CallDepth;
    s.CallStack = point.CallStack;
    s.FetchLine = true;
    return true;
}

bool BeginReplayedScene(EngineState& e, std::string_view script, ReplayScreen origin) {
    if (!LoadScript(e, script, ScriptMode::Scenario)) return false;
    ResetWaits(e);
    e.Shell.MainMode = kModeScript;
    e.Shell.ReplayActive = true;
    e.Shell.ReplayOrigin = origin;
    e.Script.CallDepth = 0;
    e.Script.CurrentScriptName = script;
    e.Text.WindowShown = false;
    e.Toolbar.MenuRecollectionEndVisible = true;
    RefreshToolbar(e);
    return true;
}

bool ReplayMenuMustWait(const EngineState& e) {
    const ShellState& sh = e.Shell;
    return sh.EngineBusy || sh.TransitionRunning || sh.ConfirmKind != 0 || sh.BacklogOpen ||
           sh.SaveScreenState != 0;
}

void EndReplayedScene(EngineState& e, const ScriptReturnPoint& back) {
    StopLoopingSound(e);
    e.Shell.ReplayActive = false;
    e.Shell.ReplayOrigin = ReplayScreen::None;
    e.Toolbar.MenuSceneSkipVisible = false;
    e.Toolbar.MenuRecollectionEndVisible = false;
    RefreshToolbar(e);
    ResetWaits(e);
    ResumeAtReturnPoint(e, back);
    e.Text.WindowShown = false;
}

}  // namespace vespin
