// Input routing: each event goes to whichever screen owns the input, else it ends a wait, starts
// a new page, or toggles skipping, auto-advance and the hidden window. Handlers never run script
// lines themselves.

#include "core/audio/movie.h"
#include "core/audio/sound.h"
#include "core/battle/battle.h"
#include "core/effects/effect_commands.h"
#include "core/graphics/drawing_area.h"
#include "core/host/events.h"
#include "core/host/host.h"
#include "core/persistence/save_screen.h"
#include "core/persistence/slot_requests.h"
#include "core/persistence/yes_no_band.h"
#include "core/screens/overlays.h"
#include "core/screens/quick_buttons.h"
#include "core/screens/recollection.h"
#include "core/screens/viewer.h"
#include "core/script/choice_state.h"
#include "core/script/choices.h"
#include "core/script/scene_replay.h"
#include "core/shell/close.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "core/shell/screenshot.h"
#include "core/shell/settings_dialog.h"
#include "core/shell/skip_auto.h"
#include "core/shell/toolbar.h"
#include "core/text/backlog_screen.h"
#include "core/text/hide_window_view.h"
#include "core/text/message_window.h"
#include "core/text/page_history.h"
#include "core/text/self_voicing.h"
#include "core/text/sjis_strings.h"
#include "core/text/window_style.h"

namespace vespin {

namespace {

bool TextLayoutActive(const EngineState& e) {
    return e.Text.WindowDisplayKind == 1 || e.Text.WindowDisplayKind == 2;
}

// The wheel and Backspace open the log with the log button's pressed look for the moment.
void OpenLogFromInput(EngineState& e) {
    e.Vars.S[65] = 1;
    DrawQuickButtons(e, QuickButtonTarget::Display);
    OpenLog(e);
    e.Vars.S[65] = 0;
}

void RequestPageComplete(EngineState& e) {
    if (e.Settings.NormalTextSpeed && e.Shell.WaitKind == 0 && e.Shell.ChoiceKind == 0)
        e.Text.PageCompleteRequested = true;
}

void MouseMove(EngineState& e, int x, int y) {
    ShellState& sh = e.Shell;
    sh.LastMouseX = x;
    sh.LastMouseY = y;
    if (sh.FullScreenActive != 0) e.Host.SetToolbarStripVisible(y < 30 && x < 400);
    if (sh.EngineBusy || sh.TransitionRunning) return;
    if (sh.ConfirmKind != 0) {
        ConfirmBandHover(e, x, y);
        return;
    }
    if (sh.BacklogOpen) {
        LogMouseMove(e, x, y);
        return;
    }
    if (sh.SaveScreenState != 0) {
        SaveScreenHover(e, x, y);
        return;
    }
    if (sh.MainMode == kModeViewer) {
        ViewerPointerMove(e, x, y);
        return;
    }
    if (sh.MainMode == kModeRecollection) {
        RecollectionHover(e, x, y);
        return;
    }
    if (sh.MainMode != kModeScript) return;
    // The quick buttons light up unless skipping or auto-advance runs without a choice.
    bool idle_modes = sh.SkipState == 0 && e.AutoDelay() == 0;
    if (TextLayoutActive(e) &&
        (sh.ChoiceKind == kChoiceInWindow || (sh.ChoiceKind == 0 && idle_modes)))
        QuickButtonHover(e, x, y);
    switch (sh.ChoiceKind) {
        case kChoiceInWindow:
        case kChoiceFullText:
        case kChoiceClickmap:
        case kChoiceSelectionTree:
            ChoiceHover(e, x, y);
            break;
        default:
            break;
    }
}

// The auto-advance speed gauge of the picture window style: 10 at its left end, 1 at its right.
bool SpeedGaugeClick(EngineState& e, int x, int y) {
    const WindowGeometry& g = Geometry(e);
    if (!e.Settings.PictureWindowStyle || e.AutoDelay() == 0) return false;
    int left = g.Left + 671;
    if (x < left || x > g.Left + 770 || y < g.Top + 8 || y > g.Top + 16) return false;
    int level = 10 - (x - left) / 10;
    e.Vars.S[sys::kAutoDelay] = e.Vars.S[sys::kLastAutoDelay] = level;
    e.Toolbar.SliderPosition = 11 - level;
    RefreshToolbar(e);
    DrawQuickButtons(e, QuickButtonTarget::Display);
    return true;
}

void MouseDown(EngineState& e, MouseButton button, int x, int y) {
    ShellState& sh = e.Shell;
    if (sh.TransitionRunning) {
        StopVoice(e);
        sh.InterruptRequest = 1;
        return;
    }
    if (sh.ConfirmKind != 0) {
        ConfirmBandClick(e, button);
        return;
    }
    if (sh.EngineBusy) return;
    if (button == MouseButton::Left && sh.WaitKind != 4 && sh.ClickLockout < 3) StopVoice(e);
    if (sh.BacklogOpen) {
        if (button == MouseButton::Right) {
            CloseLog(e);
        } else if (button == MouseButton::Left) {
            LogMouseDown(e, x, y);
        }
        return;
    }
    if (sh.SaveScreenState == 2) {
        SaveScreenClick(e, button);
        return;
    }
    if (sh.MainMode != kModeScript) {
        if (sh.MainMode == kModeWindowHidden) EndHideWindowView(e);
        if (sh.MainMode == kModeBattle) BattleClick(e, x, y);
        if (sh.MainMode == kModeViewer) ViewerClick(e, button);
        if (sh.MainMode == kModeRecollection) RecollectionClick(e, button, x, y);
        SceneEffectClick(e);
        return;
    }
    RequestPageComplete(e);
    if (sh.SleepPasses != 0) {
        sh.SleepPasses = 0;
        return;
    }
    bool skipping = sh.SkipState != 0;
    if (TextLayoutActive(e)) {
        if (SpeedGaugeClick(e, x, y)) return;
        if (sh.ChoiceKind == 0 && (e.AutoDelay() != 0 || skipping)) {
            StopSkipAndAuto(e, StopMode::Forced);
            return;
        }
    }
    if (skipping && sh.ChoiceKind == 0) {
        EndSkipping(e);
        return;
    }
    RequestPageComplete(e);
    switch (button) {
        case MouseButton::Left:
            if (sh.ChoiceKind == 0) {
                QuickButtonHover(e, x, y);
                if (QuickButtonPress(e, false)) return;
                AdvanceFromWait(e);
            } else if (sh.ClickLockout == 0) {
                ChoiceClick(e);
                QuickButtonPress(e, true);
            }
            sh.ClickLockout = 10;
            break;
        case MouseButton::Right:
            if (sh.ChoiceKind != 4) HideWindowView(e);
            break;
        case MouseButton::Middle:
            sh.ClickLockout = 10;
            break;
    }
}

void CharKey(EngineState& e, int key) {
    ShellState& sh = e.Shell;
    if (sh.ConfirmKind != 0 || sh.SaveScreenState != 0 || sh.ChoiceKind >= 4) return;
    if (sh.BacklogOpen) {
        if (key == vk::kBackspace || key == vk::kEscape) CloseLog(e);
        return;
    }
    switch (key) {
        case vk::kEnter:
            MouseDown(e, MouseButton::Left, sh.LastMouseX, sh.LastMouseY);
            break;
        case vk::kEscape:
            if (sh.MainMode == kModePageHistory) {
                LeavePageReplay(e);
            } else {
                MouseDown(e, MouseButton::Right, sh.LastMouseX, sh.LastMouseY);
            }
            break;
        case vk::kBackspace:
            if (sh.EngineBusy) break;
            if (sh.MainMode == kModeScript) {
                OpenLogFromInput(e);
            } else if (sh.MainMode == kModePageHistory) {
                PageReplayStep(e, ReplayDirection::Back);
            }
            break;
        case vk::kSpace:
            if (sh.EngineBusy || sh.ChoiceKind > 1) break;
            if (sh.MainMode == kModeScript) {
                HideWindowView(e);
            } else if (sh.MainMode == kModeWindowHidden) {
                EndHideWindowView(e);
            }
            break;
        default:
            break;
    }
}

void KeyDown(EngineState& e, int key) {
    ShellState& sh = e.Shell;
    if (key == vk::kF2 || sh.ConfirmKind != 0 || sh.BacklogOpen || sh.EngineBusy) return;
    if (key == vk::kV) {
        ToggleSelfVoicing(e);
        return;
    }
    // The page history first: opened during a choice, it must still answer its keys.
    if (sh.MainMode == kModePageHistory) {
        if (key == vk::kLeft) PageReplayStep(e, ReplayDirection::Back);
        if (key == vk::kRight) PageReplayStep(e, ReplayDirection::Forward);
        return;
    }
    if (sh.ChoiceKind == kChoiceInWindow) {
        if (key == vk::kUp || key == vk::kDown) MoveChoiceFocus(e, key == vk::kUp ? -1 : 1);
        return;
    }
    if (sh.MainMode != kModeScript || sh.SaveScreenState != 0 || sh.ChoiceKind > 1) return;
    if (key == vk::kShift) {
        StopVoice(e);
        e.Vars.S[60] = 1;
        DrawQuickButtons(e, QuickButtonTarget::Display);
        int state = e.Settings.SkipMode + 1;
        sh.SkipState = state == 3 ? 1 : state;
    } else if (key == vk::kControl) {
        ToggleAutoAdvance(e);
    } else if (key == vk::kLeft && (sh.WaitKind != 0 || sh.ChoiceKind != 0)) {
        OpenPageReplay(e);
    }
}

void KeyUp(EngineState& e, int key) {
    if (key != vk::kShift) return;
    if (e.Shell.MainMode == kModeScript && e.Shell.SaveScreenState == 0) {
        e.Vars.S[60] = 0;
        if (!e.Shell.EngineBusy) DrawQuickButtons(e, QuickButtonTarget::Display);
    }
    e.Shell.SkipState = 0;
}

// A forward turn at a wait opens the log; while it is open the wheel scrolls it.
void Wheel(EngineState& e, int delta) {
    ShellState& sh = e.Shell;
    if (sh.BacklogOpen) {
        LogWheel(e, delta);
        return;
    }
    if (delta <= 0 || sh.MainMode != kModeScript || sh.SaveScreenState != 0) return;
    if (sh.TransitionRunning || sh.EngineBusy || sh.ConfirmKind != 0 || sh.WaitKind == 0) return;
    OpenLogFromInput(e);
}

void Command(EngineState& e, const InputEvent& event) {
    ShellState& sh = e.Shell;
    switch (event.command) {
        case UiCommand::SpeedButton1:
            if (sh.EngineBusy) break;
            StopSkipAndAuto(e, StopMode::Forced);
            e.Host.ShowPopupMenu(4, 21);
            break;
        case UiCommand::SpeedButton2:
            OpenSettingsDialog(e);
            break;
        // A disabled toolbar button sends nothing; the engine checks as well, so a recorded or
        // scripted press cannot open the screen over another one or while saving is barred.
        case UiCommand::SpeedButton3:
            // Saving is offered only while a wait or a choice holds the script.
            if (!e.Toolbar.SaveEnabled || sh.TransitionRunning) break;
            if (sh.WaitKind == 0 && sh.ChoiceKind == 0) break;
            PlayVoice(e, "SSE05");
            OpenSaveLoadScreen(e, SaveScreenMode::Save);
            break;
        case UiCommand::SpeedButton4:
            if (!e.Toolbar.LoadEnabled || sh.TransitionRunning) break;
            PlayVoice(e, "SSE06");
            OpenSaveLoadScreen(e, SaveScreenMode::Load);
            break;
        case UiCommand::SpeedButton5:
            // The save-edit button opens the save screen as well.
            if (!e.Toolbar.EditEnabled || sh.TransitionRunning) break;
            PlayVoice(e, "SSE11");
            OpenSaveLoadScreen(e, SaveScreenMode::Save);
            break;
        case UiCommand::SpeedButton6:
            EndAutoNavigation(e);
            break;
        case UiCommand::SpeedButton7:
            if (sh.MainMode == kModeScript && sh.SaveScreenState == 0 && sh.ChoiceKind <= 1)
                ToggleAutoAdvance(e);
            break;
        case UiCommand::TrackBar1:
            if (event.value >= 1 && event.value <= 10) {
                e.Vars.S[sys::kAutoDelay] = e.Vars.S[sys::kLastAutoDelay] = 11 - event.value;
                e.Toolbar.SliderPosition = event.value;
                RefreshToolbar(e);
            }
            break;
        case UiCommand::MenuN6:
            if (sh.ConfirmKind == 0 && sh.SaveScreenState == 0 && !sh.EngineBusy)
                AskYesNo(e, sjis_text::kReturnToTitleQuestion, kConfirmReturnToTitle);
            break;
        case UiCommand::MenuN7:
            RequestClose(e);
            break;
        case UiCommand::MenuReading:
            ToggleSelfVoicing(e);
            break;
        case UiCommand::Screenshot:
            TakeScreenshot(e);
            break;
        case UiCommand::MenuN1:
        case UiCommand::MenuN2:
            // シーンスキップ and 回想モード終了 answer to the screen the scene was replayed from.
            if (!InViewerReplay(e)) {
                RecollectionMenuItem(e, event.command);
            } else if (event.command == UiCommand::MenuN2 && sh.MainMode == kModeScript &&
                       !ReplayMenuMustWait(e)) {
                ReturnToViewer(e);
            }
            break;
        case UiCommand::Popup2Register:
            RecollectionRegister(e);
            break;
        case UiCommand::Popup2Confirm:
            RecollectionConfirm(e);
            break;
        default:
            break;
    }
}

}  // namespace

void HandleInput(EngineState& e, const InputEvent& event) {
    switch (event.kind) {
        case InputKind::MouseMove:
            MouseMove(e, event.x, event.y);
            break;
        case InputKind::MouseDown:
            // The movie panel covers the drawing area: a click on it ends the movie at once.
            if (MoviePanelVisible(e)) {
                EndMovie(e);
                break;
            }
            MouseDown(e, event.button, event.x, event.y);
            break;
        case InputKind::MouseUp:
            if (e.Shell.SaveScreenState != 0) break;
            if (e.Shell.BacklogOpen) {
                LogMouseUp(e);
            } else if (e.Shell.MainMode == kModeScript) {
                ReleasePressedQuickButtons(e);
            }
            break;
        case InputKind::Wheel:
            Wheel(e, event.delta);
            break;
        case InputKind::KeyDown:
            KeyDown(e, event.key);
            break;
        case InputKind::KeyUp:
            KeyUp(e, event.key);
            break;
        case InputKind::Char:
            CharKey(e, event.key);
            break;
        case InputKind::Command:
            Command(e, event);
            break;
        case InputKind::CloseRequest:
            RequestClose(e);
            break;
        case InputKind::SaveSlot:
        case InputKind::LoadSlot:
            RequestSlotAction(
                e, event.kind == InputKind::SaveSlot ? SlotAction::Save : SlotAction::Load,
                event.value);
            break;
    }
}

}  // namespace vespin
