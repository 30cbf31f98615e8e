#pragma once
// The battle's pictures: cards built from "cards" with their values in "cardfont" digits, the
// guard marker, the hit points and the texts, at the screen's fixed places.

#include <string_view>

#include "core/battle/battle_state.h"

namespace vespin {

struct EngineState;

inline constexpr int kCardWidth = 72;
inline constexpr int kCardHeight = 108;

// Places on the 800 x 600 picture.
Rect OpponentHandPlace(int i);  // face down
Rect OpponentRowPlace(int i);
Rect PlayerRowPlace(int i);
Rect PlayerHandPlace(int i);

// Draws `value` in "cardfont" digits, the number centred on `centre_x` with its top at `top`;
// each digit blended through its mask byte by byte. Negative values are drawn as 0.
void DrawCardNumber(const Surface& font, Surface& target, int centre_x, int top, int value);

// Draws card `code` (face, special card or back) with its top-left at (x, y) of `target`.
void DrawCard(BattleState& b, int code, Surface& target, int x, int y);

// Puts `place` of the DisplaySurface back as the CompositionSurface has it.
void RestorePlace(EngineState& e, const Rect& place);

// The guard marker "cb_wall" onto the DisplaySurface, through its own first colour byte.
void DrawGuardMarker(EngineState& e);

// White text of the given cell height with its top-left at (x, y) of `target`.
void DrawBattleText(EngineState& e, Surface& target, int x, int y, int height,
                    std::string_view text);

}  // namespace vespin
