#include "core/shell/toolbar.h"

#include "core/host/host.h"
#include "core/shell/engine_state.h"

namespace vespin {

ToolbarState ComputeToolbarState(const EngineState& e, const ToolbarState& previous) {
    ToolbarState t = previous;
    t.AutoOn = e.AutoDelay() != 0;
    t.SliderVisible = t.AutoOn;
    t.SelfVoicingAvailable = e.Speech.Available;
    t.SelfVoicingOn = e.Speech.On;
    if (e.Shell.ToolbarLocked) {
        t.StripEnabled = t.ExitEnabled = t.LoadEnabled = t.SaveEnabled = t.EditEnabled = false;
        t.SettingsEnabled = t.AutoEnabled = false;
        return t;
    }
    t.StripEnabled = t.ExitEnabled = t.SettingsEnabled = t.AutoEnabled = true;
    switch (e.Vars.S[sys::kSaveAvailability]) {
        case 0:
            t.SaveEnabled = t.LoadEnabled = t.EditEnabled = true;
            break;
        case 1:
            t.SaveEnabled = false;
            t.LoadEnabled = t.EditEnabled = true;
            break;
        case 2:
        case 3:
            t.SaveEnabled = t.LoadEnabled = t.EditEnabled = false;
            break;
        default:
            break;  // other values leave the three as they were
    }
    if (e.Shell.SaveScreenState != 0) {
        t.SettingsEnabled = t.SaveEnabled = t.LoadEnabled = t.EditEnabled = false;
    }
    return t;
}

void RefreshToolbar(EngineState& e) {
    e.Toolbar = ComputeToolbarState(e, e.Toolbar);
    e.Host.UpdateToolbar(e.Toolbar);
}

void SetToolbarLocked(EngineState& e, bool locked) {
    e.Shell.ToolbarLocked = locked;
    RefreshToolbar(e);
}

}  // namespace vespin
