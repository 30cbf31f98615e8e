#pragma once
// What the transitions share: the three frames they work with, drawing to the drawing area,
// their two kinds of pacing, and the check for a click after each frame. Each family of
// transitions lives in its own file; RunTransition picks one from the table in transitions.cpp.

#include <cstdint>

#include "core/graphics/surface.h"

namespace vespin {

struct EngineState;

namespace transition {

// ---- The frames -------------------------------------------------------------------------------

// The new frame N, the old frame O and the work frame W. The transitions walk whole screen rows,
// so any of them that is not screen-sized (a parts mask loaded into W, a bare engine in a tool)
// is made so first; W is only claimed by the transitions that draw into it.
Surface& NewFrame(EngineState& e);
Surface& OldFrame(EngineState& e);
Surface& WorkFrame(EngineState& e);

void CopySurface(const Surface& from, Surface& to);

// ---- Drawing ----------------------------------------------------------------------------------

// Copies `area` of `source`, clipped to the screen, to the same place of the drawing area.
void Show(EngineState& e, const Surface& source, Rect area);
void ShowAll(EngineState& e, const Surface& source);

// ---- Pacing -----------------------------------------------------------------------------------

// A frame time kept by deadlines: each frame's deadline is the clock at its start plus the frame
// time, awaited (and messages pumped) when the frame has been drawn. A slow frame is not made up
// for, so these transitions run long on a slow machine instead of dropping frames.
class DeadlinePacer {
  public:
    DeadlinePacer(EngineState& e, uint32_t frame_ms) : m_e(e), m_frame_ms(frame_ms) {}
    void BeginFrame();
    void EndFrame();

  private:
    EngineState& m_e;
    uint32_t m_frame_ms;
    uint32_t m_deadline = 0;
};

// ---- Interruption -----------------------------------------------------------------------------

enum class ClickMark : uint8_t {
    SetS019,  // a click that cuts the transition short is recorded in S019
    None,     // the transition just ends
};

// Checked once per frame, after drawing: when a click or a close request came in, shows N whole
// and says that the transition must end.
bool CutShort(EngineState& e, ClickMark mark);

// ---- The transitions, by family ---------------------------------------------------------------

// Strips, blinds, combs and squares of N copied to the drawing area.
void VerticalBlinds(EngineState& e);    // 1
void HorizontalBlinds(EngineState& e);  // 2
void SoftWipe(EngineState& e);          // 3
void CircleOpening(EngineState& e);     // 4
void RowComb(EngineState& e);           // 7
void ColumnComb(EngineState& e);        // 8
void SquaresCoarse(EngineState& e);     // 10
void SquaresFine(EngineState& e);       // 11
void RandomHalfRows(EngineState& e);    // 14
void SlantedStrips(EngineState& e);     // 16

// Blends of the two frames.
void RandomBlockFade(EngineState& e);  // 5
void QuickCrossFade(EngineState& e);   // 6
void FadeType5(EngineState& e);        // 9
void GradientWipe(EngineState& e);     // 12
void FadeType4(EngineState& e);        // 13
void ConvergingBand(EngineState& e);   // 15
void InterlacedFade(EngineState& e);   // 17

// Frames that move or coarsen.
void HalvesSlidingIn(EngineState& e);  // 18
void PushFromLeft(EngineState& e);     // 19
void Mosaic(EngineState& e);           // 20

// Shapes accumulated in a weight map.
void SoftCircle(EngineState& e);     // 21
void TurningStar(EngineState& e);    // 22
void TurningWedges(EngineState& e);  // 23
void FadingStar(EngineState& e);     // 24

}  // namespace transition
}  // namespace vespin
