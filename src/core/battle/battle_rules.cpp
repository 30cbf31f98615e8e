#include "core/battle/battle_rules.h"

#include <algorithm>
#include <limits>

#include "core/shell/random.h"

namespace vespin {

namespace {

constexpr int kTypes = 7;

// Row: set type of the attacker's hand; column: the defender's main attribute. 0 is x 1, 1 is
// x 0.9, 2 is x 1.1, 3 is x 1.2.
constexpr int kMultiplier[kTypes][kTypes] = {
    {0, 0, 0, 0, 0, 1, 1}, {0, 0, 3, 1, 2, 1, 1}, {0, 3, 0, 2, 1, 1, 1}, {0, 2, 1, 0, 3, 1, 1},
    {0, 1, 2, 3, 0, 1, 1}, {2, 2, 2, 2, 2, 0, 3}, {2, 2, 2, 2, 2, 3, 0},
};
// The multipliers in tenths, so that the product truncates exactly as the fraction does.
constexpr int kTenths[4] = {10, 9, 11, 12};

// The type of the card: the first whose running sum of non-zero weights reaches r mod total.
int PickType(int r, const SideDeck& deck) {
    int64_t total = 0;
    for (int32_t w : deck.Weights)
        total += w;
    if (total == 0) total = 1;
    int64_t t = r % total;
    int64_t sum = 0;
    for (int type = 0; type < kTypes; ++type) {
        if (deck.Weights[type] == 0) continue;
        sum += deck.Weights[type];
        if (sum >= t) return type;
    }
    return -1;
}

}  // namespace

int MainAttribute(const SideDeck& deck) {
    int best = 0;
    for (int type = 1; type < kTypes; ++type) {
        if (deck.Weights[type] > 0 && (best == 0 || deck.Weights[type] > deck.Weights[best]))
            best = type;
    }
    return best;
}

int DealCard(Random& rng, const SideDeck& deck, Side side) {
    int type = PickType(rng.Next(), deck);
    // Weights that never reach the drawn number choose no type; such a side draws type 0, the
    // plainest card, rather than a card of no type at all.
    if (type < 0) type = 0;
    int64_t value = rng.Next() % 11 + deck.Strength / 100 - 5;
    value = std::clamp<int64_t>(value, 1, 49);
    if (type == 0) {
        int f = rng.Next() % 100;
        if (f < 8) value = 2 * value + 1;
        if (f >= 8 && f < 11) return card::kDouble;
    }
    int f = rng.Next() % 100;
    if (side == Side::Player && f < 2) return card::kGuard;
    if (f < 5) return card::kHeal;
    return type * 50 + static_cast<int>(std::min<int64_t>(value, 49));
}

RowScore ScoreRow(const Row& row, Side side, int& guard_charges) {
    RowScore s;
    std::array<int, kTypes> count{};
    for (int code : row) {
        if (code < 0 || code >= card::kGuard) continue;
        s.Score += code % 50;
        count[code / 50] += 1;
    }
    const int64_t base = s.Score;
    enum { None, Pair, Three } state = None;
    int three_type = 0;
    for (int type = 1; type < kTypes; ++type) {
        switch (count[type]) {
            case 2:
                if (state == None) {
                    state = Pair;
                } else if (state == Pair) {
                    s.Kind = 1, s.Score = s.Score * 5 / 2;
                } else {
                    state = None, s.Kind = 3, s.Score *= 5;
                }
                break;
            case 3:
                three_type = type;
                if (state == None) {
                    state = Three;
                } else if (state == Pair) {
                    s.Kind = 3, s.Score *= 5;
                }
                break;
            case 4:
                s.Kind = 4, s.Score *= 3, s.SetType = type;
                break;
            case 5:
                s.Kind = 5, s.Score *= 4, s.SetType = type;
                break;
            default:
                break;
        }
    }
    if (state == Three) s.Kind = 2, s.Score *= 2, s.SetType = three_type;
    if (side == Side::Opponent && s.Kind != 0 && guard_charges > 0) {
        guard_charges -= 1;
        s.Score = base;
    }
    for (int code : row)
        if (code == card::kDouble) s.Score *= 2;
    return s;
}

int64_t ApplyAttribute(int64_t score, int set_type, int defender_attribute) {
    if (set_type < 0 || set_type >= kTypes) set_type = 0;
    if (defender_attribute < 0 || defender_attribute >= kTypes) defender_attribute = 0;
    return score * kTenths[kMultiplier[set_type][defender_attribute]] / 10;
}

int32_t Healed(int32_t hp, int32_t max_hp) {
    int64_t healed = (int64_t{hp} * 100 + int64_t{max_hp} * 18) / 100;
    return static_cast<int32_t>(std::clamp<int64_t>(std::min<int64_t>(max_hp, healed),
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t AddHitPoints(int32_t hp, int64_t delta) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{hp} + delta,
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace vespin
