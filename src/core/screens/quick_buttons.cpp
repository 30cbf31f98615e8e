#include "core/screens/quick_buttons.h"

#include <algorithm>

#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/persistence/quick_load.h"
#include "core/persistence/save_game.h"
#include "core/resources/picture.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "core/shell/skip_auto.h"
#include "core/text/backlog_screen.h"
#include "core/text/hide_window_view.h"
#include "core/text/window_style.h"

namespace vespin {

namespace {

// The bar covers window area (616, 26) to (776, 186); the gauge sits above it at (671, 8).
constexpr int kBarLeft = 616, kBarTop = 26, kBarSize = 160;
constexpr int kGaugeLeft = 671, kGaugeTop = 8, kGaugeWidth = 100, kGaugeHeight = 7;
constexpr int kGaugeEmptyX = 378, kGaugeEmptyY = 9, kGaugeFullX = 378, kGaugeFullY = 33;

struct ButtonLayout {
    Rect Hit;  // relative to the window's origin
    int OnX, OnY;
    int HoverX, HoverY;
};

// Buttons 1..7 in the order the pointer finds them.
constexpr ButtonLayout kButtons[kQuickButtonCount] = {
    {{668, 69, 35, 33}, 33, 66, 33, 0},       // skip
    {{627, 54, 33, 32}, 0, 64, 0, 32},        // auto-advance
    {{697, 25, 25, 25}, 298, 51, 298, 24},    // hide the window
    {{734, 35, 46, 51}, 204, 102, 204, 51},   // quick save
    {{730, 110, 50, 42}, 250, 90, 250, 45},   // quick load
    {{632, 101, 33, 33}, 68, 66, 68, 33},     // log
    {{615, 152, 103, 36}, 101, 71, 101, 36},  // replay the last voice
};

int& Look(EngineState& e, int button) {
    return e.Vars.S[kQuickButtonFirstVar + button - 1];
}

bool BarVisible(const EngineState& e) {
    return e.Shell.MainMode == kModeScript && e.Text.WindowShown && !e.FullTextMode() &&
           e.Settings.PictureWindowStyle && !e.Shell.BacklogOpen;
}

void ComposeGauge(EngineState& e) {
    QuickBarState& q = e.QuickBar;
    CopyRect(q.Sheet, Rect{kGaugeEmptyX, kGaugeEmptyY, kGaugeWidth, kGaugeHeight}, q.Gauge, 0, 0);
    int level = e.AutoDelay();
    if (level == 0) return;
    // A script may write any level into S026; the filled part stays within the gauge.
    int filled = std::clamp(110 - 10 * level, 0, kGaugeWidth);
    CopyRect(q.Sheet, Rect{kGaugeFullX, kGaugeFullY, filled, kGaugeHeight}, q.Gauge, 0, 0);
}

void ComposeBar(EngineState& e) {
    QuickBarState& q = e.QuickBar;
    CopyRect(e.Text.QuickButtonBackdrop, Rect{0, 0, kBarSize, kBarSize}, q.Bar, 0, 0);
    ComposeGauge(e);
    for (int b = 1; b <= kQuickButtonCount; ++b) {
        int look = Look(e, b);
        if (look != 1 && look != 2) continue;
        const ButtonLayout& l = kButtons[b - 1];
        Rect from{look == 1 ? l.OnX : l.HoverX, look == 1 ? l.OnY : l.HoverY, l.Hit.w, l.Hit.h};
        CopyRect(q.Sheet, from, q.Bar, l.Hit.x - kBarLeft, l.Hit.y - kBarTop);
    }
}

void PutIntoWindowImages(EngineState& e) {
    const QuickBarState& q = e.QuickBar;
    for (Surface* image : {&e.Text.WindowImage, &e.Text.CleanWindowImage}) {
        CopyRect(q.Bar, Rect{0, 0, kBarSize, kBarSize}, *image, kBarLeft, kBarTop);
        CopyRect(q.Gauge, Rect{0, 0, kGaugeWidth, kGaugeHeight}, *image, kGaugeLeft, kGaugeTop);
    }
}

void PutOntoDisplay(EngineState& e, bool show) {
    const QuickBarState& q = e.QuickBar;
    const WindowGeometry& g = Geometry(e);
    Rect bar = CopyRect(q.Bar, Rect{0, 0, kBarSize, kBarSize}, e.DisplaySurface, g.Left + kBarLeft,
                        g.Top + kBarTop);
    Rect gauge = CopyRect(q.Gauge, Rect{0, 0, kGaugeWidth, kGaugeHeight}, e.DisplaySurface,
                          g.Left + kGaugeLeft, g.Top + kGaugeTop);
    if (!show) return;
    ShowOnDrawingArea(e, e.DisplaySurface, bar);
    ShowOnDrawingArea(e, e.DisplaySurface, gauge);
}

bool AnyHoverLook(EngineState& e) {
    for (int b = 1; b <= kQuickButtonCount; ++b) {
        if (Look(e, b) == 2) return true;
    }
    return false;
}

int ButtonAt(const EngineState& e, int x, int y) {
    const WindowGeometry& g = Geometry(e);
    int wx = x - g.Left, wy = y - g.Top;
    for (int b = 1; b <= kQuickButtonCount; ++b) {
        const Rect& r = kButtons[b - 1].Hit;
        if (wx >= r.x && wx < r.x + r.w && wy >= r.y && wy < r.y + r.h) return b;
    }
    return kQuickNone;
}

// The button the pointer may light, after the restrictions of S000 and of a replayed scene.
// Returns -1 when S000 = 3 bars the bar altogether.
int UsableButton(const EngineState& e, int b) {
    if (b == kQuickSkip && !e.Saves.PassageRead && e.Settings.Seen) return kQuickNone;
    bool replay = e.Shell.ReplayActive;
    switch (e.Vars.S[sys::kSaveAvailability]) {
        case 1:
            if (b == kQuickSave) return kQuickNone;
            break;
        case 2:
            if (b == kQuickSave || b == kQuickLoad) return kQuickNone;
            break;
        case 3:
            if (!replay) return -1;
            break;
        default:
            break;
    }
    if (replay && (b == kQuickSave || b == kQuickLoad)) return kQuickNone;
    return b;
}

void PressSkip(EngineState& e) {
    e.Vars.S[61] = 0;
    if (e.Shell.SkipState != 0) {
        // Ending through EndSkipping rebuilds the scene a fast skip left undrawn.
        EndSkipping(e);
    } else {
        Look(e, kQuickSkip) = 1;
        e.Shell.SkipState = e.Settings.SkipMode + 1;
    }
    DrawQuickButtons(e, QuickButtonTarget::Display);
}

void PressLog(EngineState& e) {
    Look(e, kQuickLog) = 1;
    DrawQuickButtons(e, QuickButtonTarget::Display);
    OpenLog(e);
    Look(e, kQuickLog) = 0;
}

}  // namespace

void InitQuickButtons(EngineState& e) {
    QuickBarState& q = e.QuickBar;
    LoadPicture(e.Archives, "sys_qbtn", q.Sheet);
    q.Bar.Resize(kBarSize, kBarSize);
    q.Gauge.Resize(kGaugeWidth, kGaugeHeight);
    q.Hovered = kQuickNone;
}

void DrawQuickButtons(EngineState& e, QuickButtonTarget target) {
    if (!BarVisible(e)) return;
    ComposeBar(e);
    switch (target) {
        case QuickButtonTarget::DisplayOnly:
            PutOntoDisplay(e, false);
            break;
        case QuickButtonTarget::Display:
            PutOntoDisplay(e, true);
            PutIntoWindowImages(e);
            break;
        case QuickButtonTarget::WindowImage:
            PutIntoWindowImages(e);
            break;
    }
}

void QuickButtonHover(EngineState& e, int x, int y) {
    const ShellState& sh = e.Shell;
    if (sh.SaveScreenState != 0 || sh.MainMode != kModeScript) return;
    if (!e.Text.WindowShown && !e.FullTextMode()) return;
    // The tinted style has no bar: nothing may light up where its buttons would be.
    if (!e.Settings.PictureWindowStyle) return;
    int b = UsableButton(e, ButtonAt(e, x, y));
    if (b < 0) return;
    QuickBarState& q = e.QuickBar;
    // A press forgets the hovered button but leaves its look: leaving it must still clear it.
    if (b != q.Hovered || (b == kQuickNone && AnyHoverLook(e))) {
        for (int i = 1; i <= kQuickButtonCount; ++i) {
            if (Look(e, i) == 2) Look(e, i) = 0;
        }
        if (b != kQuickNone && Look(e, b) != 1) Look(e, b) = 2;
        DrawQuickButtons(e, QuickButtonTarget::Display);
    }
    q.Hovered = b;
}

bool QuickButtonPress(EngineState& e, bool during_choice) {
    if (!e.Settings.PictureWindowStyle) return false;
    switch (e.QuickBar.Hovered) {
        case kQuickSkip:
            PressSkip(e);
            break;
        case kQuickAuto:
            ToggleAutoAdvance(e);
            break;
        case kQuickSave:
            QuickSave(e);
            break;
        case kQuickLoad:
            AskQuickLoad(e);
            break;
        case kQuickLog:
            PressLog(e);
            break;
        case kQuickHide:
            if (during_choice) return false;
            HideWindowView(e);
            break;
        case kQuickVoice:
            if (during_choice) return false;
            if (!e.Audio.Sound.LastVoice.Empty()) PlayVoice(e, e.Audio.Sound.LastVoice.View());
            break;
        default:
            return false;
    }
    e.QuickBar.Hovered = kQuickNone;
    return true;
}

void ReleasePressedQuickButtons(EngineState& e) {
    // A press forgot the hovered button, so the pointer lights it again at its next move.
    bool pressed = false;
    for (int b = kQuickSave; b <= kQuickLog; ++b) {
        if (Look(e, b) == 0) continue;
        Look(e, b) = 0;
        pressed = true;
    }
    if (pressed) DrawQuickButtons(e, QuickButtonTarget::Display);
}

}  // namespace vespin
