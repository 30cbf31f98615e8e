// The shape transitions: shapes filled into the weight map A (TransitionAlphaMap), directly or
// accumulated through H (TransitionShapeMap), and N blended over O by A once a frame.

#include <algorithm>
#include <array>

#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/shape_fill.h"
#include "core/graphics/transition_kit.h"
#include "core/shell/engine_state.h"

namespace vespin::transition {

namespace {

constexpr int kCentreX = kScreenWidth / 2;
constexpr int kCentreY = kScreenHeight / 2;
constexpr uint8_t kAccumulatedGrey = 16;  // what a shape in H adds to A each period
constexpr uint32_t kShapePeriodMs = 40;

// The maps live only while a shape transition runs.
class ShapeRun {
  public:
    explicit ShapeRun(EngineState& e)
        : m_e(e),
          m_alpha(e.Scene.TransitionAlphaMap),
          m_shape(e.Scene.TransitionShapeMap),
          m_new(NewFrame(e)),
          m_old(OldFrame(e)),
          m_work(WorkFrame(e)) {
        m_alpha.Resize(kScreenWidth, kScreenHeight);
        m_shape.Resize(kScreenWidth, kScreenHeight);
        StartClock(e);
    }

    Surface& Alpha() { return m_alpha; }
    Surface& Shape() { return m_shape; }

    // H is never cleared: everything drawn into it so far adds to A again.
    void Accumulate() { AccumulateMap(m_alpha, m_shape); }

    // Shows N blended over O by A; false when a click or close request cuts the run short.
    bool ShowFrame() {
        WeightMapBlend(m_new, m_old, m_alpha, m_work);
        ShowAll(m_e, m_work);
        return !CutShort(m_e, ClickMark::None);
    }

    int Wait() { return WaitPeriod(m_e, kShapePeriodMs); }

    void Finish() {
        m_alpha = Surface();
        m_shape = Surface();
        ShowAll(m_e, m_new);
    }

  private:
    EngineState& m_e;
    Surface& m_alpha;
    Surface& m_shape;
    Surface& m_new;
    Surface& m_old;
    Surface& m_work;
};

// A shape that grows 5 pixels a period, accumulated through H, until its radius reaches `end`.
template <typename DrawShape>
void GrowAccumulated(EngineState& e, int end, DrawShape draw) {
    ShapeRun run(e);
    for (int r = 5, periods = 1; r < end; periods = run.Wait()) {
        for (int i = 0; i < periods && r < end; ++i, r += 5) {
            draw(run.Shape(), r);
            run.Accumulate();
        }
        if (!run.ShowFrame()) break;
    }
    run.Finish();
}

}  // namespace

void SoftCircle(EngineState& e) {
    // Each pixel gains 16 a period once the disc has reached it: an 80-pixel soft rim.
    GrowAccumulated(
        e, 550, [](Surface& h, int r) { FillDisc(h, kCentreX, kCentreY, r, kAccumulatedGrey); });
}

void TurningStar(EngineState& e) {
    GrowAccumulated(e, 550, [](Surface& h, int r) {
        auto star = StarPoints(kCentreX, kCentreY, r, 0.5 * r, r);
        FillPolygon(h, star, kAccumulatedGrey);
    });
}

void TurningWedges(EngineState& e) {
    // Two opposite wedges of 40 degrees turning 4 degrees a period, reaching past the corners.
    constexpr double kReach = 600;
    ShapeRun run(e);
    for (int a = 0, periods = 1; a < 250; periods = run.Wait()) {
        for (int i = 0; i < periods && a < 250; ++i, a += 4) {
            const Point centre{kCentreX, kCentreY};
            for (int turn : {a, a + 180}) {
                std::array<Point, 3> wedge = {centre, PolarPoint(kCentreX, kCentreY, kReach, turn),
                                              PolarPoint(kCentreX, kCentreY, kReach, turn + 40)};
                FillPolygon(run.Shape(), wedge, kAccumulatedGrey);
            }
            run.Accumulate();
        }
        if (!run.ShowFrame()) break;
    }
    run.Finish();
}

void FadingStar(EngineState& e) {
    // A star drawn afresh each frame straight into A, brightening as it grows; its inner points
    // move out faster than its outer ones.
    ShapeRun run(e);
    for (int r = 5, q = 0; r < 660;) {
        run.Alpha().Fill(0, 0, 0);
        auto star = StarPoints(kCentreX, kCentreY, r, (r + q) / 2, r);
        FillPolygon(run.Alpha(), star, static_cast<uint8_t>(std::min(r / 2, 255)));
        if (!run.ShowFrame()) break;
        const int periods = run.Wait();
        r += 5 * periods;
        q += periods + 2;
    }
    run.Finish();
}

}  // namespace vespin::transition
