// The start and end that every transition shares, the table of the 25, and what the picture
// command does with an interruption afterwards.

#include "core/graphics/transitions.h"

#include "core/graphics/transition_kit.h"
#include "core/shell/engine_state.h"
#include "core/text/message_window.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

using namespace transition;

constexpr int kInterruptedMark = 19;  // S019

void Cut(EngineState& e) {
    ShowAll(e, NewFrame(e));
}

using TransitionFn = void (*)(EngineState&);

constexpr TransitionFn kTransitions[kTransitionCount] = {
    Cut,               // 0
    VerticalBlinds,    // 1
    HorizontalBlinds,  // 2
    SoftWipe,          // 3
    CircleOpening,     // 4
    RandomBlockFade,   // 5
    QuickCrossFade,    // 6
    RowComb,           // 7
    ColumnComb,        // 8
    FadeType5,         // 9
    SquaresCoarse,     // 10
    SquaresFine,       // 11
    GradientWipe,      // 12
    FadeType4,         // 13
    RandomHalfRows,    // 14
    ConvergingBand,    // 15
    SlantedStrips,     // 16
    InterlacedFade,    // 17
    HalvesSlidingIn,   // 18
    PushFromLeft,      // 19
    Mosaic,            // 20
    SoftCircle,        // 21
    TurningStar,       // 22
    TurningWedges,     // 23
    FadingStar,        // 24
};

}  // namespace

void RunTransition(EngineState& e, int n) {
    ShellState& sh = e.Shell;
    sh.EngineBusy = true;
    sh.TransitionRunning = true;
    sh.InterruptRequest = 0;
    e.Vars.S[kInterruptedMark] = 0;

    if (n < 0 || e.Settings.GMode != 0 || sh.SkipState != 0) n = 0;
    if (n < kTransitionCount) kTransitions[n](e);

    // In full-text mode the darkened frame is the scene the text runs over from now on.
    if (e.FullTextMode()) CopySurface(e.DisplaySurface, e.CompositionSurface);
    ResetPlainTextFonts(e);
    sh.EngineBusy = false;
    sh.TransitionRunning = false;
}

bool SettleTransitionInterrupt(EngineState& e) {
    ShellState& sh = e.Shell;
    int request = sh.InterruptRequest;
    sh.InterruptRequest = 0;
    if (request == 2) {
        // The close was refused while the transition ran; ask now. The frame on screen is kept
        // aside and put back, as a message box may leave its marks on the drawing area.
        sh.InterpreterEnabled = false;
        CopySurface(e.DrawingArea, OldFrame(e));
        MessageResult answer = e.Host.ShowMessageBox(
            sjis::ToUtf8(sjis_text::kQuitQuestion), sjis::ToUtf8(sjis_text::kConfirmCaption),
            MessageIcon::Question, MessageButtons::OkCancel);
        if (answer == MessageResult::Ok) sh.QuitRequested = true;
        ShowAll(e, OldFrame(e));
        sh.InterpreterEnabled = true;
    }
    return request != 0;
}

}  // namespace vespin
