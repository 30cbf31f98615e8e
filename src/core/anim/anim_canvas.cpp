#include "core/anim/anim_canvas.h"

#include "core/anim/anim_doubling.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/pixel_ops.h"
#include "core/host/host.h"
#include "core/shell/engine_state.h"

namespace vespin {

bool AnimCanvas::Prepare(const AnimHeader& header) {
    if (m_form == AnimForm::Full) return true;
    if (!AnimSizeUsable(header)) return false;
    const int w = header.Width, h = header.Height;
    m_frame.Resize(w, h);
    if (m_form == AnimForm::Doubled) {
        m_doubled.Resize(2 * w, 2 * h);
        m_e.DisplaySurface.Fill(255, 255, 255);
        return true;
    }
    m_background.Resize(w, h);
    m_output.Resize(w, h);
    CopyRect(m_e.DisplaySurface, Rect{m_x, m_y, w, h}, m_background, 0, 0);
    return true;
}

void AnimCanvas::ShowDoubled() {
    if (m_e.Settings.AnimQuality) {
        DoubleByQuality(m_frame, m_doubled);
    } else {
        DoubleBySpeed(m_frame, m_doubled);
    }
    BlitToDrawingArea(m_e, m_doubled, Rect{0, 0, m_doubled.Width(), m_doubled.Height()}, m_x, m_y);
}

void AnimCanvas::Draw(std::span<const uint8_t> jpeg, int dx, int dy) {
    if (jpeg.empty()) return;
    Rect drawn;
    switch (m_form) {
        case AnimForm::Full:
            m_decoder.Draw(jpeg, m_e.DrawingArea, m_x + dx, m_y + dy, drawn);
            if (drawn.w > 0) m_e.Host.Present(m_e.DrawingArea, drawn);
            return;
        case AnimForm::Doubled:
            m_decoder.Draw(jpeg, m_frame, dx, dy, drawn);
            if (drawn.w > 0) ShowDoubled();
            return;
        case AnimForm::Battle:
            m_decoder.Draw(jpeg, m_frame, dx, dy, drawn);
            if (drawn.w == 0) return;
            AddSurfaces(m_background, m_frame, m_output);
            BlitToDrawingArea(m_e, m_output, Rect{0, 0, m_output.Width(), m_output.Height()}, m_x,
                              m_y);
            return;
    }
}

void AnimCanvas::Finish(std::span<const uint8_t> last, int dx, int dy) {
    switch (m_form) {
        case AnimForm::Full: {
            // The last picture stays: in the DisplaySurface for the next recomposition, and on
            // screen.
            Rect drawn;
            if (last.empty()) return;
            m_decoder.Draw(last, m_e.DisplaySurface, m_x + dx, m_y + dy, drawn);
            if (drawn.w > 0) BlitToDrawingArea(m_e, m_e.DisplaySurface, drawn, drawn.x, drawn.y);
            return;
        }
        case AnimForm::Doubled:
            return;  // the frame on screen stays; the DisplaySurface stays white
        case AnimForm::Battle: {
            // The effect leaves no trace.
            const Rect all{0, 0, m_background.Width(), m_background.Height()};
            BlitToDrawingArea(m_e, m_background, all, m_x, m_y);
            CopyRect(m_background, all, m_e.DisplaySurface, m_x, m_y);
            return;
        }
    }
}

}  // namespace vespin
