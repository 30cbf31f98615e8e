#include "core/shell/skip_auto.h"

#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"

namespace vespin {

void EndSkipping(EngineState& e) {
    e.Vars.S[60] = 0;
    e.Vars.S[61] = 0;
    // Redrawing after a fast skip (scene reload, quick buttons) comes with those subsystems.
    e.Shell.SkipState = 0;
}

void StopSkipAndAuto(EngineState& e, StopMode mode) {
    if (mode == StopMode::Unforced && (!e.Settings.BreakonSelect || e.Shell.SaveScreenState != 0)) {
        return;
    }
    EndSkipping(e);
    if (e.AutoDelay() != 0) {
        // S027 keeps the last level: the toggle and the speed slider set it, stopping does not.
        e.Vars.S[sys::kAutoDelay] = 0;
        RefreshToolbar(e);
    }
}

void ToggleAutoAdvance(EngineState& e) {
    VariableBanks& v = e.Vars;
    if (e.AutoDelay() != 0) {
        v.S[61] = 0;
        v.S[sys::kLastAutoDelay] = e.AutoDelay();
        v.S[sys::kAutoDelay] = 0;
    } else {
        v.S[61] = 1;
        int level = v.S[sys::kLastAutoDelay];
        if (level < 1 || level > 10) level = v.S[sys::kLastAutoDelay] = 3;
        v.S[sys::kAutoDelay] = level;
    }
    v.S[60] = 0;
    RefreshToolbar(e);
}

}  // namespace vespin
