#pragma once
// The yes/no band: a darkened strip across the picture that asks a question, with "はい" and
// "いいえ" under it, "いいえ" the default. While it is open the idle pass runs no script and the
// band takes the pointer and the clicks; most keys are ignored.

#include <string_view>

#include "core/graphics/surface.h"
#include "core/host/events.h"
#include "core/persistence/save_ui_state.h"

namespace vespin {

struct EngineState;

inline constexpr int kBandTop = 150;
inline constexpr int kBandHeight = 88;
// The zone over "はい", in drawing-area pixels, edges included.
inline constexpr Rect kYesZone{300, 194, 70, 30};

// Opens the band with `question` (Shift-JIS) for a ConfirmKindValue.
void AskYesNo(EngineState& e, std::string_view question, int kind);
// Mouse move while the band is open: "はい" lights up over its zone, "いいえ" anywhere else.
void ConfirmBandHover(EngineState& e, int x, int y);
// Any click closes the band; a click of another button than the right one on a lit "はい" runs
// the action of the kind.
void ConfirmBandClick(EngineState& e, MouseButton button);

// Darkens the band's rows in place: rows i and 87 - i (i = 0..15) to (255 - 12 i) / 256, the
// rows between to 63 / 256.
void DarkenBand(Surface& band);

}  // namespace vespin
