#include "core/shell/close.h"

#include "core/audio/movie.h"
#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/host/host.h"
#include "core/persistence/system_data.h"
#include "core/shell/engine_state.h"
#include "core/shell/screen_mode.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

// The close-query event: whether the window may close now.
bool CloseQuery(EngineState& e) {
    ShellState& sh = e.Shell;
    if (sh.QuitRequested) return true;
    SyncSystemData(e);
    if (sh.TransitionRunning) {
        // The transition finishes first; the `gra` command then asks the question.
        sh.InterruptRequest = 2;
        return false;
    }
    if (MovieUnderWay(e)) EndMovie(e);
    if (sh.EngineBusy) return false;
    sh.InterpreterEnabled = false;
    e.Rolls.Paused = true;  // a roll holds still while the question is open
    MessageResult answer = e.Host.ShowMessageBox(sjis::ToUtf8(sjis_text::kQuitQuestion),
                                                 sjis::ToUtf8(sjis_text::kConfirmCaption),
                                                 MessageIcon::Question, MessageButtons::OkCancel);
    bool allow = answer == MessageResult::Ok;
    if (allow) {
        sh.InterruptRequest = 1;
        e.Rolls.Abort = true;
    }
    e.Rolls.Paused = false;
    // The staff roll ends whatever the answer, as the question has already cut into it.
    if (sh.MainMode == kModeScrollingCredits) e.Effects.StaffRollAbort = true;
    sh.InterpreterEnabled = true;
    return allow;
}

}  // namespace

void CloseWindow(EngineState& e) {
    if (e.Shell.WindowClosed) return;
    StopMusic(e);
    ShutdownSound(e);
    LeaveFullScreen(e);
    e.Shell.WindowClosed = true;
    e.Host.CloseWindow();
}

bool RequestClose(EngineState& e) {
    if (e.Shell.WindowClosed) return true;
    if (!CloseQuery(e)) return false;
    CloseWindow(e);
    return true;
}

}  // namespace vespin
