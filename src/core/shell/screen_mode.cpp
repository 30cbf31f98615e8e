#include "core/shell/screen_mode.h"

#include "core/host/host.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

void RestoreWindowedLayout(EngineState& e) {
    ShellState& sh = e.Shell;
    sh.FullScreenActive = 0;
    sh.FullScreenLayout = false;
    e.Host.ApplyScreenLayout(ScreenLayout::Windowed);
    e.Host.MoveWindow(sh.SavedWindowX, sh.SavedWindowY);
}

}  // namespace

void EnterFullScreen(EngineState& e) {
    ShellState& sh = e.Shell;
    if (sh.FullScreenActive != 0 || e.Settings.SMode == 0) return;
    e.Host.WindowPosition(sh.SavedWindowX, sh.SavedWindowY);
    e.Host.ApplyScreenLayout(ScreenLayout::FullScreen);
    sh.FullScreenLayout = true;
    if (e.Settings.SMode != 1) return;  // the borderless window: the display stays as it is
    for (int bits : {24, 32, 16}) {
        if (e.Host.EnterExclusiveDisplay(bits)) {
            sh.FullScreenActive = 1;
            return;
        }
    }
    RestoreWindowedLayout(e);
}

void LeaveFullScreen(EngineState& e) {
    if (e.Shell.FullScreenActive == 0) return;
    e.Host.LeaveExclusiveDisplay();
    RestoreWindowedLayout(e);
}

void LeaveFullScreenLayout(EngineState& e) {
    if (e.Shell.FullScreenActive != 0) {
        LeaveFullScreen(e);
    } else if (e.Shell.FullScreenLayout) {
        RestoreWindowedLayout(e);
    }
}

}  // namespace vespin
