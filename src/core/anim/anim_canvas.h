#pragma once
// Where an animation's pictures go, by player: straight onto the drawing area (`anim`), into a
// half-size frame doubled onto it (`animq`), or into a picture added onto the background it
// covers (the battle's effects). Every surface is made before the loop and kept for it.

#include <cstdint>
#include <span>

#include "core/anim/anim_entry.h"
#include "core/graphics/surface.h"
#include "core/resources/jpeg_picture.h"

namespace vespin {

struct EngineState;

enum class AnimForm : uint8_t { Full, Doubled, Battle };

class AnimCanvas {
  public:
    AnimCanvas(EngineState& e, AnimForm form, int x, int y)
        : m_e(e), m_form(form), m_x(x), m_y(y) {}

    // Makes the surfaces the form needs from the header's size; false when the size is unusable
    // (the animation then does not play).
    bool Prepare(const AnimHeader& header);
    // Draws one picture: at (dx, dy) of the animation (a patch frame's offsets, else 0, 0).
    void Draw(std::span<const uint8_t> jpeg, int dx, int dy);
    // What stays when the loop has ended; `last` is the last event's picture (may be empty).
    void Finish(std::span<const uint8_t> last, int dx, int dy);

  private:
    void ShowDoubled();

    EngineState& m_e;
    AnimForm m_form;
    int m_x, m_y;
    JpegFrameDecoder m_decoder;
    Surface m_frame;       // animq: the half-size frame; battle: the effect picture
    Surface m_doubled;     // animq: the frame doubled
    Surface m_background;  // battle: what the effect covers
    Surface m_output;      // battle: background + picture
};

}  // namespace vespin
