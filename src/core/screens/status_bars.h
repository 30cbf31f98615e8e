#pragma once
// What the status panels' drawing and their `chgprm` animation share: where the panels stand,
// the bar widths the values give, and the small painting steps on panel pictures.

#include <array>
#include <cstdint>

#include "core/graphics/surface.h"
#include "core/screens/simulation_state.h"

namespace vespin {

struct EngineState;

inline constexpr int kPanelALeft = 390, kPanelATop = 21;
inline constexpr int kPanelBLeft = 630, kPanelBTop = 114;
inline constexpr int kPanelCLeft = 14, kPanelCTop = 15;
inline constexpr int kPanelCWidth = 200, kPanelCHeight = 100;

bool PanelAShown(const EngineState& e);  // bit 0 of S050
bool PanelBShown(const EngineState& e);  // bit 1 of S050
bool PanelCShown(const EngineState& e);  // S051 not 0

// The three bars of panel A; bar 2's scale is 243 when drawn and 241 when `chgprm` measures the
// change. V901 and V103 at 0 become 120 and 150 first.
std::array<int, kPanelABars> PanelAWidths(EngineState& e, int bar2_scale);
// The six bars of panel B at `scale` (91 drawn, 92 measured by `chgprm`).
std::array<int, kPanelBBars> PanelBWidths(const EngineState& e, int scale);

// Fills (x0, y0)-(x1, y1), right and bottom excluded, with a colour reference 0x00BBGGRR;
// clipped to the surface.
void FillBox(Surface& s, int x0, int y0, int x1, int y1, uint32_t colour);
// Rectangle `image` of `source` drawn onto `target` at (x, y) through the mask of the same size
// whose top-left is `mask_at` in `masks`, with the masked blend; clipped to every picture.
struct MaskPlace {
    const Surface& Masks;
    int X = 0, Y = 0;
};
void BlendMasked(Surface& target, int x, int y, const Surface& source, Rect image,
                 MaskPlace mask_at);
// The upper half of `picture` drawn through its lower half.
void BlendStacked(Surface& target, int x, int y, const Surface& picture);

}  // namespace vespin
