#pragma once
// The battle's rules as plain functions of their inputs: the deal by weights, the scoring of a
// played row, the attribute multipliers and the heal. Fractions truncate toward zero.

#include <array>
#include <cstdint>

#include "core/battle/battle_state.h"

namespace vespin {

struct Random;

enum class Side : uint8_t { Player, Opponent };

// A side's part of the script's variables: draw weights of types 0..6 and strength.
struct SideDeck {
    std::array<int32_t, 7> Weights{};
    int32_t Strength = 0;
};

// The first type 1..6 with the highest weight among types 1..6; 0 when none is above 0.
int MainAttribute(const SideDeck& deck);

// Draws one card for `side` through the shared generator.
int DealCard(Random& rng, const SideDeck& deck, Side side);

// Hand kinds: 1 two pairs, 2 three of a kind, 3 full house, 4 four of a kind, 5 five of a kind.
struct RowScore {
    int64_t Score = 0;
    int Kind = 0;
    int SetType = 0;  // the type of a three, four or five of a kind; 0 otherwise
};

// Scores a played row. For the opponent a positive `guard_charges` takes one charge and drops a
// set's bonus back to the base.
RowScore ScoreRow(const Row& row, Side side, int& guard_charges);

// The attacker's score against the defender's main attribute (0..6; others count as 0).
int64_t ApplyAttribute(int64_t score, int set_type, int defender_attribute);

// Hit points after a heal card: hp + 18 % of the maximum, truncated, at most the maximum.
int32_t Healed(int32_t hp, int32_t max_hp);

// Adds `delta` to hit points without leaving the 32-bit range.
int32_t AddHitPoints(int32_t hp, int64_t delta);

}  // namespace vespin
