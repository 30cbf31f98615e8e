#include "core/effects/scroll.h"

#include <algorithm>
#include <string>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/transitions.h"
#include "core/resources/picture.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"

namespace vespin {

namespace {

// Where the pan starts, which way it goes and how many one-pixel steps it takes.
struct Pan {
    int StartX = 0, StartY = 0;
    int Dx = 0, Dy = 0;
    int Distance = 0;
};

// A picture smaller than the screen in the panned direction gives no distance and a start
// inside the picture: the view stands still at the picture's top-left corner.
Pan PlanPan(int direction, int w, int h) {
    int spare_w = std::max(w - kScreenWidth, 0);
    int spare_h = std::max(h - kScreenHeight, 0);
    switch (direction) {
        case 0:
            return {0, spare_h, 0, -1, spare_h};
        case 1:
            return {0, 0, 1, 0, spare_w};
        case 2:
            return {0, 0, 0, 1, spare_h};
        case 3:
            return {spare_w, 0, -1, 0, spare_w};
        default:
            return {};
    }
}

Rect ViewAt(const Pan& pan, int offset) {
    return Rect{pan.StartX + offset * pan.Dx, pan.StartY + offset * pan.Dy, kScreenWidth,
                kScreenHeight};
}

struct ScrollArguments {
    std::string Name;
    int Direction = 0, Period = 1, Transition = 0;
};

ScrollArguments ParseScroll(std::string_view text) {
    ScrollArguments a;
    size_t comma = text.find(',');
    a.Name = std::string(text.substr(0, comma));
    while (!a.Name.empty() && (a.Name.back() == ' ' || a.Name.back() == '\r'))
        a.Name.pop_back();
    std::string rest(comma == std::string_view::npos ? "" : text.substr(comma + 1));
    int fields[3] = {0, 0, 0};
    size_t at = 0;
    for (int i = 0; i < 3 && at <= rest.size(); ++i) {
        fields[i] = ParseDecimal(rest.c_str() + at);
        size_t next = rest.find(',', at);
        if (next == std::string::npos) break;
        at = next + 1;
    }
    a.Direction = fields[0];
    a.Period = std::max(fields[1], 1);  // a period below 1 ms would never end a frame
    a.Transition = fields[2];
    return a;
}

}  // namespace

void ScrollPicture(EngineState& e, std::string_view argument) {
    ShellState& sh = e.Shell;
    ScrollArguments a = ParseScroll(argument);
    SetToolbarLocked(e, true);
    Surface picture;
    if (!LoadPicture(e.Archives, a.Name, picture)) {
        SetToolbarLocked(e, false);
        return;
    }
    sh.MainMode = kModeScrollScene;
    Pan pan = PlanPan(a.Direction, picture.Width(), picture.Height());

    CopyRect(e.DisplaySurface, kScreenRect, e.Scene.PreviousFrameSurface, 0, 0);
    e.DisplaySurface.Fill(0, 0, 0);  // what a small picture does not cover stays black
    CopyRect(picture, ViewAt(pan, 0), e.DisplaySurface, 0, 0);
    RunTransition(e, a.Transition);

    StartClock(e);
    sh.EngineBusy = sh.TransitionRunning = true;
    sh.InterruptRequest = 0;
    for (int o = 0; o < pan.Distance; o += WaitPeriod(e, static_cast<uint32_t>(a.Period))) {
        BlitToDrawingArea(e, picture, ViewAt(pan, o), 0, 0);
        if (sh.InterruptRequest != 0 || sh.WindowClosed) break;
    }
    CopyRect(picture, ViewAt(pan, pan.Distance), e.DisplaySurface, 0, 0);
    ShowOnDrawingArea(e, e.DisplaySurface);
    sh.EngineBusy = sh.TransitionRunning = false;
    sh.MainMode = kModeScript;
    SetToolbarLocked(e, false);
    // A close asked for during the pan is asked now; a click has done its work.
    SettleTransitionInterrupt(e);
}

}  // namespace vespin
