#include "core/script/scene_replay.h"

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
    ResetWaits(e);
    if (!LoadScript(e, script, ScriptMode::Scenario)) return false;
    e.Shell.MainMode = kModeScript;
    e.Shell.ReplayActive = true;
    e.Shell.ReplayOrigin = origin;
    e.Script.CallDepth = 0;
    e.Script.CurrentScriptName = script;
    e.Text.WindowShown = false;
    return true;
}

void EndReplay(EngineState& e) {
    e.Shell.ReplayActive = false;
    e.Shell.ReplayOrigin = ReplayScreen::None;
    e.Toolbar.MenuSceneSkipVisible = false;
    e.Toolbar.MenuRecollectionEndVisible = false;
    RefreshToolbar(e);
}

}  // namespace vespin
