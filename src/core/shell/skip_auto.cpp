#include "core/shell/skip_auto.h"

#include "core/graphics/scene.h"
#include "core/graphics/scene_reload.h"
#include "core/screens/overlays.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"

namespace vespin {

void EndSkipping(EngineState& e) {
    e.Vars.S[60] = 0;
    e.Vars.S[61] = 0;
    if (e.Text.WindowShown && !e.FullTextMode() && e.Shell.MainMode == kModeScript) {
        // A fast skip loaded no pictures and left the window as it was when it began: the scene
        // is built again from the names the picture commands kept, with the current page.
        if (e.Shell.SkipState >= 3) {
            ReloadScenePictures(e);
            e.Text.WindowImageValid = false;
            ShowScene(e, 0);
        }
        DrawQuickButtons(e, QuickButtonTarget::Display);
    }
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
        DrawQuickButtons(e, QuickButtonTarget::Display);
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
    DrawQuickButtons(e, QuickButtonTarget::Display);
}

}  // namespace vespin
