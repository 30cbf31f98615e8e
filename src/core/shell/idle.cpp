// The idle pass and the 55 ms timer: the engine's frame and its clock of waits.

#include <algorithm>
#include <cstdint>

#include "core/audio/movie.h"
#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/effects/presentation.h"
#include "core/host/host.h"
#include "core/persistence/save_screen.h"
#include "core/persistence/slot_requests.h"
#include "core/screens/viewer.h"
#include "core/script/interpreter.h"
#include "core/shell/close.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "core/text/message_window.h"

namespace vespin {

namespace {

// Sleeps until `start` + `period` on the host clock; no sleep when that time has passed.
void SleepUntil(EngineState& e, uint32_t start, uint32_t period) {
    uint32_t elapsed = e.Host.NowMs() - start;
    if (elapsed < period) e.Host.SleepMs(period - elapsed);
}

bool IsPageWait(int kind) {
    return kind == 1 || kind == 4 || kind == 5;
}

// One script-mode pass. Returns true when it paced itself (auto-advance) and the caller must not
// sleep again.
bool ScriptModePass(EngineState& e, uint32_t start) {
    ShellState& sh = e.Shell;
    if (sh.FirstIdlePending) {
        RunFirstIdlePass(e);
        sh.FirstIdlePending = false;
        return false;
    }
    if (sh.EngineBusy) return false;
    e.Rng.Next();  // the random sequence depends on the number of passes
    if (sh.QuitRequested) {
        CloseWindow(e);
        return false;
    }
    if (sh.SkipState != 0) {
        if (IsPageWait(sh.WaitKind)) NewPage(e);
        sh.WaitKind = 0;
    }
    if (sh.ChoiceKind != 0 || sh.WaitTicks != 0 || sh.VoiceWaitPending || sh.WaitKind != 0 ||
        sh.SaveScreenState != 0) {
        return false;
    }
    if (sh.SleepPasses != 0) {
        if (sh.SleepPasses > 0) sh.SleepPasses -= 1;
        return false;
    }
    if (sh.InterpreterEnabled) RunScript(e);
    if (e.AutoDelay() != 0) {
        // A level a script wrote below zero puts the pass's end in the past: no sleep.
        int64_t period = static_cast<int64_t>(e.AutoDelay()) * 5 + 15;
        if (period > 0)
            SleepUntil(e, start, static_cast<uint32_t>(std::min<int64_t>(period, INT32_MAX)));
        return true;
    }
    return false;
}

}  // namespace

void OnIdle(EngineState& e) {
    ShellState& sh = e.Shell;
    sh.IdlePassCount += 1;
    uint32_t start = e.Host.NowMs();
    if (sh.ClickLockout > 0) sh.ClickLockout -= 1;
    if (!sh.FirstIdlePending) RunSlotRequest(e);
    bool paced = false;
    if (sh.SaveScreenState == 2) {
        SaveScreenIdle(e);
    } else if (!sh.BacklogOpen && sh.ConfirmKind == 0) {
        if (sh.MainMode == kModeScript) paced = ScriptModePass(e, start);
        if (sh.MainMode == kModeRoll) PresentationStep(e);
        if (sh.MainMode == kModeViewer) ViewerIdleStep(e);
    }
    if (!paced && !sh.WindowClosed) SleepUntil(e, start, kIdlePeriodMs);
}

void OnTimerTick(EngineState& e) {
    ShellState& sh = e.Shell;
    sh.TimerTickCount += 1;
    MusicTick(e);
    MovieTimerCheck(e);
    if (sh.BacklogOpen || sh.EngineBusy || sh.MainMode != kModeScript || sh.SaveScreenState != 0)
        return;
    if (sh.ChoiceKind != 0 && sh.ConfirmKind == 0) return;
    bool voice_playing = IsVoicePlaying(e);
    if (!voice_playing) sh.VoiceWaitPending = false;
    if (sh.WaitTicks != 0) {
        sh.WaitTicks -= 1;
        return;
    }
    if (sh.WaitKind == 0) return;
    if (e.AutoDelay() == 0) {
        if (sh.WaitKind != 5) ShowWaitMarker(e);
        return;
    }
    if (sh.AutoCountdown != 0) {
        sh.AutoCountdown -= 1;
        if (sh.AutoCountdown == 0 && voice_playing) sh.AutoCountdown = 1;
    } else if (voice_playing) {
        sh.AutoCountdown = 1;
    }
    if (sh.AutoCountdown == 0) {
        if (IsPageWait(sh.WaitKind) && (e.Text.WindowShown || e.FullTextMode())) NewPage(e);
        sh.WaitKind = 0;
    }
}

}  // namespace vespin
