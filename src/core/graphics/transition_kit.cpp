#include "core/graphics/transition_kit.h"

#include "core/graphics/drawing_area.h"

#include <algorithm>
#include <cstring>

#include "core/graphics/frame_clock.h"
#include "core/shell/engine_state.h"

namespace vespin::transition {

namespace {

constexpr int kInterruptedMark = 19;  // S019

Surface& ScreenSized(Surface& s) {
    if (s.Width() != kScreenWidth || s.Height() != kScreenHeight)
        s.Resize(kScreenWidth, kScreenHeight);
    return s;
}

}  // namespace

Surface& NewFrame(EngineState& e) {
    return ScreenSized(e.DisplaySurface);
}

Surface& OldFrame(EngineState& e) {
    return ScreenSized(e.Scene.PreviousFrameSurface);
}

Surface& WorkFrame(EngineState& e) {
    return ScreenSized(e.Scene.WorkSurface);
}

void CopySurface(const Surface& from, Surface& to) {
    if (from.Width() != to.Width() || from.Height() != to.Height())
        to.Resize(from.Width(), from.Height());
    if (from.SizeBytes() != 0) std::memcpy(to.Data(), from.Data(), from.SizeBytes());
}

void Show(EngineState& e, const Surface& source, Rect area) {
    int x0 = std::max(area.x, 0);
    int y0 = std::max(area.y, 0);
    int x1 = std::min(area.x + area.w, kScreenWidth);
    int y1 = std::min(area.y + area.h, kScreenHeight);
    if (x1 <= x0 || y1 <= y0) return;
    ShowOnDrawingArea(e, source, Rect{x0, y0, x1 - x0, y1 - y0});
}

void ShowAll(EngineState& e, const Surface& source) {
    ShowOnDrawingArea(e, source, kScreenRect);
}

void DeadlinePacer::BeginFrame() {
    m_deadline = m_e.Host.NowMs() + m_frame_ms;
}

void DeadlinePacer::EndFrame() {
    WaitUntil(m_e, m_deadline);
}

bool CutShort(EngineState& e, ClickMark mark) {
    if (e.Shell.InterruptRequest == 0) return false;
    ShowAll(e, NewFrame(e));
    // A close request cuts the transition short just as a click does, and is marked the same.
    if (mark == ClickMark::SetS019) e.Vars.S[kInterruptedMark] = 1;
    return true;
}

}  // namespace vespin::transition
