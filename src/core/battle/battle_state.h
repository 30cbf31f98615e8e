#pragma once
// The card battle's state: the phase, both sides' hands and played rows, the guard charges and
// the pictures the battle holds while it runs.

#include <array>

#include "core/graphics/surface.h"

namespace vespin {

inline constexpr int kHandSize = 7;
inline constexpr int kRowSize = 5;

// Card codes: type * 50 + value for the normal cards of types 0..6, then the special ones.
namespace card {
inline constexpr int kGuard = 350;   // the player's: cancels the opponent's next hand bonus
inline constexpr int kHeal = 351;    // its owner regains 18 % of its maximum hit points
inline constexpr int kDouble = 352;  // doubles its owner's score this turn
inline constexpr int kBack = 1000;   // drawn as a card back
inline constexpr int kEmpty = 4095;  // an empty place (drawn as a card back)
}  // namespace card

enum class BattlePhase : int { Deal = 0, Show = 1, Choose = 2, Resolve = 3, Wait = 4 };

using Hand = std::array<int, kHandSize>;
using Row = std::array<int, kRowSize>;

struct BattleState {
    BattlePhase Phase = BattlePhase::Deal;
    int Turn = 0;
    Hand PlayerHand{}, OpponentHand{};
    Row PlayerRow{}, OpponentRow{};
    int GuardCharges = 0;  // guard cards played and not yet used
    int LastKind = 0, LastSetType = 0;

    // Held from the set-up to the end of the battle.
    Surface Cards;        // "cards": the faces, the three specials and the back, 72 x 108 each
    Surface CardFont;     // "cardfont": ten 18 x 36 digits over their masks
    Surface Wall;         // "cb_wall": the guard marker
    Surface CardPicture;  // 72 x 108, one card being drawn
    Surface WorkPicture;  // 380 x 346, the fly-in's frame
};

}  // namespace vespin
