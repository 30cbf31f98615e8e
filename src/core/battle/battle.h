#pragma once
// The card battle: `battle` sets it up and deals, then every click (MainMode 4) moves it on
// until one side's hit points reach 0; S055 then says who won (1 the player, 2 the opponent).

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

CommandResult RunBattle(EngineState& e, const char* arg);

// A click of any button at (x, y) while MainMode is 4.
void BattleClick(EngineState& e, int x, int y);

}  // namespace vespin
