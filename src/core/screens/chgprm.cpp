// `chgprm`: the status panels change from the bars last drawn to the current values. The part of
// each bar that changed flashes white and fades into the new panel over five 50 ms steps, while
// panel C plays its highlight; then the panels are drawn for good.

#include <algorithm>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/transitions.h"
#include "core/screens/status_bars.h"
#include "core/screens/status_panels.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr uint32_t kChangeColour = 0xFFFFFF;  // white
constexpr int kSteps = 5;
constexpr int kStepWeight = 50;
constexpr uint32_t kStepMs = 50;
constexpr int kHighlightWidth = 160, kHighlightHeight = 100;

void MarkChange(Surface& work, int left, int top, int bottom, int before, int after) {
    if (before != after)
        FillBox(work, left + std::min(before, after), top, left + std::max(before, after), bottom,
                kChangeColour);
}

void MarkChangesA(EngineState& e, Surface& work) {
    const auto& before = e.Simulation.Panels.WidthsA;
    auto after = PanelAWidths(e, 241);
    MarkChange(work, 118, 6, 23, before[0], after[0]);
    MarkChange(work, 102, 37, 49, before[1], after[1]);
    MarkChange(work, 102, 62, 74, before[2], after[2]);
}

void MarkChangesB(EngineState& e, Surface& work) {
    const auto& before = e.Simulation.Panels.WidthsB;
    auto after = PanelBWidths(e, 92);
    for (int i = 0; i < kPanelBBars; ++i)
        MarkChange(work, 62, 8 + 28 * i, 20 + 28 * i, before[i], after[i]);
}

// Rows of `frame` at (left, top) become old × (256 − weight) / 256 + new × weight / 256.
void FadePanel(Surface& frame, int left, int top, const Surface& old_panel,
               const Surface& new_panel, int weight) {
    int width = std::min(old_panel.Width(), new_panel.Width());
    int height = std::min(old_panel.Height(), new_panel.Height());
    int x0 = std::max(0, -left), x1 = std::min(width, frame.Width() - left);
    if (x1 <= x0) return;
    int bytes = (x1 - x0) * 3;
    int groups = bytes / 8;
    for (int y = 0; y < height; ++y) {
        int fy = top + y;
        if (fy < 0 || fy >= frame.Height()) continue;
        const uint8_t* x = new_panel.Row(y) + x0 * 3;
        const uint8_t* o = old_panel.Row(y) + x0 * 3;
        uint8_t* out = frame.Row(fy) + (left + x0) * 3;
        CrossFadeRow(x, o, groups, weight, out);
        for (int i = groups * 8; i < bytes; ++i)
            out[i] = static_cast<uint8_t>((x[i] * weight + o[i] * (kFullWeight - weight)) >> 8);
    }
}

void HighlightFrame(EngineState& e, int k) {
    const Surface& h = e.Simulation.Panels.Highlight;
    int top = kHighlightHeight * (k + 1);
    if (h.Height() < top + kHighlightHeight) return;  // the animation has no such frame
    BlendMasked(e.Scene.PreviousFrameSurface, kPanelCLeft, kPanelCTop, h,
                Rect{0, top, kHighlightWidth, kHighlightHeight}, MaskPlace{h, 0, 0});
}

void Animate(EngineState& e, const Surface& old_a, const Surface& old_b) {
    const StatusPanelState& p = e.Simulation.Panels;
    Surface& frame = e.Scene.PreviousFrameSurface;
    StartClock(e);
    for (int k = 0; k < kSteps; k += WaitPeriod(e, kStepMs)) {
        int weight = kStepWeight * k;
        // Only the panels on screen: a hidden panel's last composition is not part of the frame.
        if (PanelAShown(e)) FadePanel(frame, kPanelALeft, kPanelATop, old_a, p.ComposedA, weight);
        if (PanelBShown(e)) FadePanel(frame, kPanelBLeft, kPanelBTop, old_b, p.ComposedB, weight);
        if (PanelCShown(e)) HighlightFrame(e, k);
        ShowOnDrawingArea(e, frame);
    }
}

}  // namespace

CommandResult RunChgprm(EngineState& e, const char*) {
    ShellState& sh = e.Shell;
    StatusPanelState& p = e.Simulation.Panels;
    e.Scene.PreviousFrameSurface = e.DisplaySurface;
    Surface old_a = p.ComposedA, old_b = p.ComposedB;
    if (PanelAShown(e)) MarkChangesA(e, old_a);
    if (PanelBShown(e)) MarkChangesB(e, old_b);
    DrawStatusPanels(e, PanelOutput::ComposeOnly);
    // Clicks during the animation are swallowed; a close request is asked once it has ended.
    sh.EngineBusy = true;
    sh.TransitionRunning = true;
    Animate(e, old_a, old_b);
    sh.EngineBusy = false;
    sh.TransitionRunning = false;
    SettleTransitionInterrupt(e);
    DrawStatusPanels(e, PanelOutput::IntoDisplay);
    ShowOnDrawingArea(e, e.DisplaySurface);
    return CommandResult::EndPass;
}

}  // namespace vespin
