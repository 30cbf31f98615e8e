#include "core/screens/title_return.h"

#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/script/choices.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "core/shell/toolbar.h"
#include "core/text/message_window.h"

namespace vespin {

namespace {

// A `select` in the message window goes with its plates: the frame from before them comes back,
// so the window's closing fade starts from the page without them.
void RemoveShownChoice(EngineState& e) {
    if (e.Shell.ChoiceKind != kChoiceInWindow) return;
    e.DisplaySurface = e.Scene.PreviousFrameSurface;
    ShowOnDrawingArea(e, e.DisplaySurface);
    e.Shell.ChoiceKind = kNoChoice;
}

// The banks the scenario writes start again as at start-up. The clear count is one of the
// values that outlive a game; E, G, the read marks and the seen pictures are not touched.
void ResetVariables(EngineState& e) {
    VariableBanks& v = e.Vars;
    int clears = v.S[sys::kClearCount];
    v.F.Clear();
    v.V.Clear();
    v.S.Clear();
    v.T.Clear();
    v.P.Clear();
    v.S[sys::kClearCount] = clears;
    ResetSystemValues(e);
    for (StringSlot& slot : e.StringSlots)
        slot.Clear();
    e.StringSlots[0] = e.Settings.PlayerName;
    e.StringSlots[1] = e.Settings.PlayerName2;
}

// What the old game showed and played: its scene, its page, its log, its sounds.
void ClearTheStage(EngineState& e) {
    StopVoice(e);
    StopLoopingSound(e);
    StopAnimationSound(e);
    e.Audio.Sound.LastVoice.Clear();
    SceneState& s = e.Scene;
    s.BackgroundName.Clear();
    s.LeftCentreName.Clear();
    s.RightName.Clear();
    s.Selector = 0;
    s.BackgroundLayer.Resize(kScreenWidth, kScreenHeight);
    e.CompositionSurface.Fill(0, 0, 0);
    e.DisplaySurface.Fill(0, 0, 0);
    e.Text.WindowImageValid = false;
    ShowOnDrawingArea(e, e.DisplaySurface);
    ClearPage(e);
    // The backlog and the page history are the player's reading, not the game's: like saves and
    // loads, a new game keeps them.
    // The screens of the old game that keep state between their commands start again too.
    e.Battle = BattleState{};
    e.Effects = EffectsState{};
    e.Rolls = RollState{};
    e.Saves.PassageRead = false;
    e.Saves.PassThrough = SlotPassThrough{};
    e.QuickBar.Hovered = kQuickNone;
    ShellState& sh = e.Shell;
    sh.SkipState = 0;
    sh.SleepPasses = 0;
    sh.WaitTicks = 0;
    sh.ReplayActive = false;
    sh.ReplayOrigin = ReplayScreen::None;
}

}  // namespace

void ReturnToTitle(EngineState& e) {
    ShellState& sh = e.Shell;
    e.Vars.S[4] = 0;
    SetMusic(e, 0);
    EndAutoNavigation(e);
    e.Toolbar.MenuSceneSkipVisible = false;
    e.Toolbar.MenuRecollectionEndVisible = false;
    RefreshToolbar(e);
    RemoveShownChoice(e);
    CloseMessageWindow(e);
    // Beyond closing the window: a new game from the title must not inherit the old one.
    ClearTheStage(e);
    ResetVariables(e);
    e.Script.CallDepth = 0;
    e.Script.CurrentScriptName = "main2";
    LoadScript(e, "main2", ScriptMode::Scenario);
    ResetWaits(e);
    sh.ChoiceKind = 0;
    sh.WaitKind = 0;
    sh.SaveScreenState = 0;
    sh.MainMode = kModeScript;
    RefreshToolbar(e);
}

}  // namespace vespin
