// `select` and `sel2`: the block's entries as plates over the scene (message-window style) or as
// lines of full-screen text, the hover highlight, the click with its blink, and recorded choices.

#include "core/script/choices.h"

#include <algorithm>
#include <cstring>

#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/persistence/choice_history.h"
#include "core/screens/seltree.h"
#include "core/script/choice_list.h"
#include "core/script/choice_state.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"
#include "core/shell/toolbar.h"
#include "core/text/message_window.h"
#include "core/text/self_voicing.h"
#include "core/text/text_renderer.h"
#include "core/text/window_style.h"

namespace vespin {

namespace {

constexpr int kRowHeight = 50;
constexpr int kPlateRows = 48;
// A game without the plate picture still gets a column to click in.
constexpr int kFallbackPlateWidth = 400;
constexpr char kTakeSound[] = "SSE01";
constexpr char kListSound[] = "SSE02";

// Both choice styles draw their plates from "sys_sw"; "sys_sw2" is loaded at start-up beside it.
const Surface& Plate(const EngineState& e) {
    return e.Choices.PlatePicture;
}

bool Sel2LastDisabled(const EngineState& e) {
    return e.Vars.S[54] == 1 && !e.Vars.F.Test(100);
}

void CopyRowsToWindow(EngineState& e, const Surface& from, int top, int rows) {
    const ChoiceState& c = e.Choices;
    ShowOnDrawingArea(e, from, Rect{c.ChoiceBoxLeft, top, c.ChoiceBoxWidth, rows});
}

void DrawPlate(EngineState& e, int index, int colour) {
    ChoiceState& c = e.Choices;
    const Surface& plate = Plate(e);
    int top = c.ChoiceBoxTop + kRowHeight * index;
    if (plate.Height() >= 2 * kPlateRows) {
        int width = std::min(plate.Width(), kScreenWidth - c.ChoiceBoxLeft);
        for (int r = 0; r < kPlateRows; ++r) {
            int y = top + r;
            if (y < 0 || y >= kScreenHeight) continue;
            for (Surface* s : {&e.DisplaySurface, &e.Scene.SpareSurface}) {
                BlendWithColour(s->Row(y) + c.ChoiceBoxLeft * 3, plate.Row(r),
                                plate.Row(kPlateRows + r), width);
            }
        }
    }
    std::string_view label = c.ChoiceLabels[index].View();
    int x0 = (c.ChoiceBoxWidth - 12 * static_cast<int>(label.size())) / 2 - 16;
    for (size_t p = 0; p < label.size();) {
        size_t width = static_cast<uint8_t>(label[p]) >= 0x80 && p + 1 < label.size() ? 2 : 1;
        int x = c.ChoiceBoxLeft + x0 + 12 * static_cast<int>(p + 1);
        PrepareChar(e, label.substr(p, width));
        SelectTextColour(e, colour);
        DrawPreparedChar(e, e.DisplaySurface, x, top + 8);
        SelectTextColour(e, 2);
        DrawPreparedChar(e, e.Scene.SpareSurface, x, top + 8);
        p += width;
    }
}

void DrawPlates(EngineState& e) {
    ChoiceState& c = e.Choices;
    c.ChoiceBoxTop = 190 - 25 * c.ChoiceCount;
    c.ChoiceBoxWidth = Plate(e).Empty() ? kFallbackPlateWidth : Plate(e).Width();
    c.ChoiceBoxLeft = std::max(0, (kScreenWidth - c.ChoiceBoxWidth) / 2);
    c.ChoiceBoxWidth = std::min(c.ChoiceBoxWidth, kScreenWidth - c.ChoiceBoxLeft);
    e.Scene.PreviousFrameSurface = e.DisplaySurface;
    e.Scene.SpareSurface = e.DisplaySurface;
    c.LastEntryDisabled = Sel2LastDisabled(e);
    for (int i = 0; i < c.ChoiceCount; ++i) {
        bool disabled = c.LastEntryDisabled && i == c.ChoiceCount - 1;
        DrawPlate(e, i, disabled ? 6 : 0);
    }
    SelectTextColour(e, 0);
    if (c.LastEntryDisabled) c.ChoiceCount -= 1;
    ShowOnDrawingArea(e, e.DisplaySurface);
}

int HoveredInWindow(const EngineState& e, int x, int y) {
    const ChoiceState& c = e.Choices;
    if (x <= c.ChoiceBoxLeft || x >= c.ChoiceBoxLeft + c.ChoiceBoxWidth) return 0;
    if (y <= c.ChoiceBoxTop || y >= c.ChoiceBoxTop + kRowHeight * c.ChoiceCount) return 0;
    return (y - c.ChoiceBoxTop) / kRowHeight + 1;
}

int HoveredInFullText(const EngineState& e, int x, int y) {
    const ChoiceState& c = e.Choices;
    for (int i = 0; i < c.ChoiceCount; ++i) {
        const ChoiceRect& r = c.ChoiceRects[i];
        if (x > r.Left && x < r.Right && y > r.Top && y < r.Bottom) return i + 1;
    }
    return 0;
}

void HighlightInWindow(EngineState& e, int hovered) {
    const ChoiceState& c = e.Choices;
    for (int i = 0; i < c.ChoiceCount; ++i) {
        const Surface& from = i + 1 == hovered ? e.Scene.SpareSurface : e.DisplaySurface;
        CopyRowsToWindow(e, from, c.ChoiceBoxTop + kRowHeight * i, kRowHeight);
    }
}

void HighlightInFullText(EngineState& e, int hovered) {
    const ChoiceState& c = e.Choices;
    e.DisplaySurface = e.Scene.PreviousFrameSurface;
    for (int i = 0; i < c.ChoiceCount; ++i) {
        int colour = i + 1 == hovered ? 0 : 8;
        if (i == c.ChoiceCount - 1 && Sel2LastDisabled(e)) colour = 6;
        const ChoiceRect& r = c.ChoiceRects[i];
        DrawTextFixedPitch(e, c.ChoiceLabels[i].View(), r.Left + 2, e.DisplaySurface, colour,
                           r.Top + 2);
    }
    ShowOnDrawingArea(e, e.DisplaySurface);
}

void JumpToChoice(EngineState& e, int index) {
    e.Script.ReadPosition = e.Choices.ChoiceTargets[index];
    e.Vars.S[sys::kResumePoint] = 0;
    e.Script.FetchLine = true;
}

void BlinkTakenRow(EngineState& e, int index) {
    ChoiceState& c = e.Choices;
    e.Shell.EngineBusy = true;
    StartClock(e);
    int blinks = e.Vars.S[151] == 2 ? 14 : 4;
    int top = c.ChoiceBoxTop + kRowHeight * index;
    for (int k = 0; k < blinks; ++k) {
        CopyRowsToWindow(e, k % 2 == 0 ? e.DisplaySurface : e.Scene.SpareSurface, top, kRowHeight);
        WaitPeriod(e, 100);
    }
    e.Shell.EngineBusy = false;
}

void PlayTakeSound(EngineState& e) {
    std::string_view name = e.StringSlots[8].View();
    PlayVoice(e, name.empty() ? std::string_view(kTakeSound) : name);
}

void RecordChoice(EngineState& e, int number) {
    int& at = e.Vars.S[152];
    if (at >= 0 && at < kChoiceRecordBytes)
        e.Choices.ChoiceRecord[at++] = static_cast<uint8_t>(number);
}

// Automatic navigation: take the next recorded choice. The replay ends as soon as the last
// recorded choice has been taken, so that the player's own next choice is recorded after it.
void ReplayRecordedChoice(EngineState& e) {
    int& next = e.Vars.S[153];
    if (next >= e.Vars.S[152] || next < 0 || next >= kChoiceRecordBytes) {
        EndAutoNavigation(e);
        return;
    }
    e.Choices.HoveredChoice = e.Choices.ChoiceRecord[next++];
    // Taken while S151 still says "replaying", so the choice is not recorded a second time.
    ChoiceClick(e);
    if (next >= e.Vars.S[152]) EndAutoNavigation(e);
}

CommandResult ShowSelect(EngineState& e, int style) {
    ShellState& sh = e.Shell;
    ChoiceState& c = e.Choices;
    e.Vars.S[54] = style;
    StopSkipAndAuto(e, StopMode::Unforced);
    e.Script.FetchLine = true;
    std::vector<ChoiceEntry> entries = ReadChoiceEntries(e);
    c.ChoiceCount = 0;
    for (const ChoiceEntry& entry : entries) {
        if (!entry.ConditionHolds) continue;
        std::string_view label = entry.Label;
        if (!entry.HasCondition && !label.empty() && label[0] == '$') {
            int slot = label.size() > 1 && label[1] >= '0' && label[1] <= '9' ? label[1] - '0' : 0;
            label = e.StringSlots[slot].View();
        }
        c.ChoiceLabels[c.ChoiceCount] = label;
        c.ChoiceTargets[c.ChoiceCount] = entry.Target;
        ++c.ChoiceCount;
    }
    // A block without entries offers nothing to choose: the script goes on past it.
    if (c.ChoiceCount == 0) return CommandResult::EndPass;

    PlayVoice(e, kListSound);
    sh.EngineBusy = true;
    bool full_text = e.FullTextMode();
    sh.ChoiceKind = full_text ? kChoiceFullText : kChoiceInWindow;
    const WindowGeometry& g = Geometry(e);
    for (int i = 0; i < c.ChoiceCount && full_text; ++i) {
        int length = static_cast<int>(c.ChoiceLabels[i].Length());
        int top = g.FullTop + (e.Text.TextRow + i) * g.FullRowStep;
        c.ChoiceRects[i] = {g.FullLeft, top, g.FullLeft + (length + 2) * g.FullColumnStep,
                            top + 30};
    }
    e.Scene.PreviousFrameSurface = e.DisplaySurface;
    if (!full_text) {
        DrawPlates(e);
        // Automatic navigation takes the recorded entry as soon as the plates are drawn.
        if (e.Vars.S[151] == 2) ReplayRecordedChoice(e);
    }
    c.HoveredChoice = -1;
    SpeakFinishedText(e);  // the question, before the entry under the pointer
    ChoiceHover(e, sh.LastMouseX, sh.LastMouseY);
    sh.EngineBusy = false;
    SaveChoiceHistory(e);
    return CommandResult::EndPass;
}

}  // namespace

CommandResult RunSelect(EngineState& e, const char*) {
    return ShowSelect(e, 0);
}
CommandResult RunSel2(EngineState& e, const char*) {
    return ShowSelect(e, 1);
}

void ChoiceHover(EngineState& e, int x, int y) {
    ChoiceState& c = e.Choices;
    switch (e.Shell.ChoiceKind) {
        case kChoiceInWindow:
        case kChoiceFullText: {
            bool full = e.Shell.ChoiceKind == kChoiceFullText;
            int hovered = full ? HoveredInFullText(e, x, y) : HoveredInWindow(e, x, y);
            if (hovered == c.HoveredChoice) return;
            if (full) {
                HighlightInFullText(e, hovered);
            } else {
                HighlightInWindow(e, hovered);
            }
            c.HoveredChoice = hovered;
            if (hovered > 0 && hovered <= c.ChoiceCount)
                SpeakChoice(e, c.ChoiceLabels[hovered - 1].View());
            return;
        }
        case kChoiceClickmap:
            ClickmapHover(e, x, y);
            return;
        case kChoiceSelectionTree:
            SelectionTreeHover(e, x, y);
            return;
        default:
            return;
    }
}

void ChoiceClick(EngineState& e) {
    ChoiceState& c = e.Choices;
    ShellState& sh = e.Shell;
    int kind = sh.ChoiceKind;
    // Any click on the tree sounds, and the tree's own sound follows when an entry is taken. Its
    // clicks are not entries of a list: recording them would put the replay out of step.
    if (kind == kChoiceSelectionTree) {
        PlayTakeSound(e);
        SelectionTreeClick(e);
        return;
    }
    if (c.HoveredChoice <= 0) return;
    // A replayed record may name an entry this list does not have: there is nothing to take.
    if (c.HoveredChoice > c.ChoiceCount) return;
    if (kind == kChoiceFullText && c.HoveredChoice == c.ChoiceCount && Sel2LastDisabled(e)) return;
    int index = c.HoveredChoice - 1;
    PlayTakeSound(e);
    if (e.Vars.S[151] == 1) RecordChoice(e, c.HoveredChoice);
    switch (kind) {
        case kChoiceInWindow:
            BlinkTakenRow(e, index);
            e.Vars.S[15] = 0;
            sh.ChoiceKind = kNoChoice;
            e.DisplaySurface = e.Scene.PreviousFrameSurface;
            ShowOnDrawingArea(e, e.DisplaySurface);
            if (e.Text.WindowShown) NewPage(e);
            JumpToChoice(e, index);
            break;
        case kChoiceFullText:
            e.Vars.S[15] = 0;
            NewPage(e);
            JumpToChoice(e, index);
            sh.ChoiceKind = kNoChoice;
            break;
        case kChoiceClickmap:
            TakeClickmapRegion(e, index);
            break;
        default:
            break;
    }
}

void MoveChoiceFocus(EngineState& e, int direction) {
    ChoiceState& c = e.Choices;
    if (e.Shell.ChoiceKind != kChoiceInWindow || c.ChoiceCount <= 0) return;
    int current = c.HoveredChoice;  // 1-based, 0 none
    int target;
    if (direction < 0) {
        target = current <= 1 ? 1 : current - 1;
    } else {
        target = (current <= 0 || current >= c.ChoiceCount) ? c.ChoiceCount : current + 1;
    }
    // The pointer would move here; moving the focus with it is the same for the engine.
    int x = c.ChoiceBoxLeft + c.ChoiceBoxWidth - 7;
    int y = c.ChoiceBoxTop + 31 + kRowHeight * (target - 1);
    e.Shell.LastMouseX = x;
    e.Shell.LastMouseY = y;
    ChoiceHover(e, x, y);
}

void EndAutoNavigation(EngineState& e) {
    e.Vars.S[151] = 1;
    e.Vars.S[152] = e.Vars.S[153];
    e.Toolbar.AutoNaviVisible = false;
    RefreshToolbar(e);
}

}  // namespace vespin
