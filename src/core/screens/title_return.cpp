#include "core/screens/title_return.h"

#include "core/audio/music.h"
#include "core/script/choices.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"
#include "core/text/message_window.h"

namespace vespin {

void ReturnToTitle(EngineState& e) {
    ShellState& sh = e.Shell;
    e.Vars.S[4] = 0;
    SetMusic(e, 0);
    EndAutoNavigation(e);
    e.Toolbar.MenuSceneSkipVisible = false;
    e.Toolbar.MenuRecollectionEndVisible = false;
    RefreshToolbar(e);
    // A choice in the message window goes with the window that closes next.
    if (sh.ChoiceKind == 1) sh.ChoiceKind = 0;
    CloseMessageWindow(e);
    e.Script.CallDepth = 0;
    e.Script.CurrentScriptName = "main2";
    LoadScript(e, "main2", ScriptMode::Scenario);
    sh.ChoiceKind = 0;
    sh.WaitKind = 0;
    sh.SaveScreenState = 0;
    sh.MainMode = kModeScript;
}

}  // namespace vespin
