#pragma once
// What the battle's own files share: the script variables of each side and the phase steps.

#include "core/battle/battle_rules.h"

namespace vespin {

struct EngineState;

inline constexpr int kBattleResult = 55;  // S055: 1 the player won, 2 lost
inline constexpr int kFlyWidth = 380;
inline constexpr int kFlyHeight = 346;

// V104..V110 and V100 for the player, V204..V210 and V200 for the opponent.
SideDeck DeckOf(const EngineState& e, Side side);

// Phase 0: seven cards for each side, then turn 1.
void Deal(EngineState& e);
// Phase 1: the screen of a new turn; the player chooses next.
void ShowHands(EngineState& e);

}  // namespace vespin
