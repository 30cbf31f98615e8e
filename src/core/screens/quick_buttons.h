#pragma once
// The quick-button bar of the picture-style message window: seven picture buttons (skip, auto,
// hide, quick save, quick load, log, voice replay) and the auto-advance gauge, composed from the
// sheet "sys_qbtn" over the part of the window picture that lies behind them. S060..S066 hold the
// buttons' looks: 0 plain, 1 on (latched by the mode the button switches), 2 under the pointer.

#include "core/graphics/surface.h"

namespace vespin {

struct EngineState;

inline constexpr int kQuickButtonCount = 7;
inline constexpr int kQuickButtonFirstVar = 60;  // S060 is button 1's look

enum QuickButton : int {
    kQuickNone = 0,
    kQuickSkip = 1,
    kQuickAuto = 2,
    kQuickHide = 3,
    kQuickSave = 4,
    kQuickLoad = 5,
    kQuickLog = 6,
    kQuickVoice = 7,
};

struct QuickBarState {
    Surface Sheet;  // "sys_qbtn", loaded once at start-up
    Surface Bar;    // 160 x 160: the backdrop with the lit buttons over it
    Surface Gauge;  // 100 x 7
    int Hovered = kQuickNone;
};

// Where a drawing of the bar goes.
enum class QuickButtonTarget {
    DisplayOnly,  // the DisplaySurface only
    Display,      // the DisplaySurface and the drawing area, and both window images so that the
                  // bar outlives the clearing of the window's text
    WindowImage,  // the window image and its clean copy only
};

// Loads the sheet and sizes the bar's pictures.
void InitQuickButtons(EngineState& e);
// Composes the bar and the gauge and puts them where `target` says; nothing unless the bar can
// be seen (script mode, window shown, not full-text, the picture style, no log open).
void DrawQuickButtons(EngineState& e, QuickButtonTarget target);
// The pointer at (x, y) of the drawing area: lights the button under it.
void QuickButtonHover(EngineState& e, int x, int y);
// A left click after QuickButtonHover: runs the lit button's function. True when a button took
// the click. During a choice the hide and voice-replay buttons do nothing.
bool QuickButtonPress(EngineState& e, bool during_choice);
// The mouse button went up: the looks that a key or the wheel pressed (S063..S065) go back.
void ReleasePressedQuickButtons(EngineState& e);

}  // namespace vespin
