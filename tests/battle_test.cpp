// The card battle through the headless host: scoring of played rows, guard charges, heals, ties
// and a whole battle replayed from timed clicks.

#include <gtest/gtest.h>

#include <string>

#include "core/battle/battle_state.h"
#include "core/persistence/save_game.h"
#include "core/shell/engine_state.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::GameOptions;
using test::Pixel;
using test::TestGame;
using test::WholeLines;

// Both sides draw type 0 only, with 100 hit points; the battle, then a line after it.
constexpr char kBattleScript[] =
    "!V010=1;V020=10;V100=0;V102=100;V103=100;V104=1;V200=0;V202=100;V203=100;V204=1\n"
    "*battle\n"
    "After the battle.\n"
    "\\\n";

// A guard marker that is plainly red where it is opaque.
Surface Wall() {
    Surface s(32, 16);
    s.Fill(255, 0, 255);
    return s;
}

class Battle {
  public:
    explicit Battle(const std::string& script = kBattleScript) : g(Game(script)) {
        g.RunUntil([&] { return g.State().Shell.MainMode == kModeBattle; });
    }
    static TestGame Game(const std::string& script) {
        GameOptions o = WholeLines();
        o.Pictures["cb_wall"] = Wall();
        return TestGame({{"main", script}}, o);
    }
    EngineState& E() { return g.State(); }
    // The next turn's hands: the player's first five places and the opponent's first five.
    void Hands(const Row& player, const Row& opponent) {
        for (int i = 0; i < kRowSize; ++i) {
            E().Battle.PlayerHand[i] = player[i];
            E().Battle.OpponentHand[i] = opponent[i];
        }
    }
    // Clicks the player's hand places 0..4: the fifth resolves the turn.
    void PlayFive() {
        for (int i = 0; i < kRowSize; ++i)
            g.MouseDown(274 + 74 * i + 30, 520);
    }
    int V(int n) { return E().Vars.V[n]; }

    TestGame g;
};

constexpr int kNone = card::kEmpty;
constexpr Row kNothing{kNone, kNone, kNone, kNone, kNone};

TEST(Battle, TheDealFollowsTheWeightsAndASideWithoutWeightsDrawsPlainCards) {
    // The player draws type 3 only; the opponent has no positive weight at all.
    Battle b(
        "!V010=1;V020=10;V100=0;V102=9;V103=9;V107=5;V200=0;V202=9;V203=9;V205=-2\n"
        "*battle\n");
    EXPECT_EQ(b.V(11), 3);
    EXPECT_EQ(b.V(21), 0);
    for (int code : b.E().Battle.PlayerHand)
        EXPECT_TRUE((code >= 150 && code < 200) || code == card::kGuard || code == card::kHeal)
            << code;
    for (int code : b.E().Battle.OpponentHand)
        EXPECT_TRUE(code < 50 || code == card::kHeal || code == card::kDouble) << code;
    Battle again(
        "!V010=1;V020=10;V100=0;V102=9;V103=9;V107=5;V200=0;V202=9;V203=9;V205=-2\n"
        "*battle\n");
    EXPECT_EQ(b.E().Battle.PlayerHand, again.E().Battle.PlayerHand);
    EXPECT_EQ(b.E().Battle.OpponentHand, again.E().Battle.OpponentHand);
}

TEST(Battle, RowsScoreTheirBaseTimesTheirSetAndTheirDoubles) {
    struct Case {
        const char* What;
        Row Played;
        int Damage;  // taken from the opponent, who plays nothing
    };
    const Case cases[] = {
        {"a type-0 pair scores only its base", {5, 5, 3, 2, 1}, 16},
        {"two pairs (x 2.5, truncated)", {51, 52, 101, 102, 1}, 17},
        {"three of a kind (type 1 against attribute 0)", {51, 52, 53, 1, 1}, 8 * 2},
        {"three then a pair: a full house", {51, 52, 53, 104, 105}, 15 * 5},
        {"a pair then three: a full house", {54, 55, 101, 102, 103}, 15 * 5},
        {"four of a kind", {51, 52, 53, 54, 1}, 11 * 3},
        {"five of a kind", {51, 52, 53, 54, 55}, 15 * 4},
        {"one double card doubles", {1, 2, 3, card::kDouble, 4}, 10 * 2},
        {"two double cards quadruple", {card::kDouble, card::kDouble, 1, 2, 3}, 6 * 4},
    };
    for (const Case& c : cases) {
        Battle b;
        b.Hands(c.Played, kNothing);
        b.PlayFive();
        EXPECT_EQ(b.V(202), 100 - c.Damage) << c.What;
        EXPECT_EQ(b.V(102), 100) << c.What;
    }
}

TEST(Battle, AGuardCancelsThisTurnsBonusAndItsSpareChargesCarryOverWithTheMarker) {
    Battle b;
    // Two guards: one cancels the opponent's three of a kind now (30 drops to its base 15).
    b.Hands({card::kGuard, card::kGuard, 1, 2, 3}, {51, 52, 53, 4, 5});
    b.PlayFive();
    EXPECT_EQ(b.V(102), 100 - (15 - 6));
    EXPECT_EQ(b.E().Battle.GuardCharges, 1);
    EXPECT_EQ(At(b.E().DrawingArea, 620, 380), (Pixel{255, 0, 255}));
    b.g.MouseDown(10, 10);  // the next turn shows the marker again
    EXPECT_EQ(b.E().Battle.Phase, BattlePhase::Choose);
    EXPECT_EQ(At(b.E().DrawingArea, 620, 380), (Pixel{255, 0, 255}));
    // The charge left cancels the next set too; a row without a set keeps it.
    b.Hands({1, 1, 1, 1, 1}, {101, 102, 103, 104, 1});
    b.PlayFive();
    EXPECT_EQ(b.E().Battle.GuardCharges, 0);
    EXPECT_EQ(b.V(102), 91 - (11 - 5));
}

TEST(Battle, HealsStopAtTheMaximumAndATieCostsNothing) {
    Battle b;
    b.E().Vars.V[102] = 95, b.E().Vars.V[202] = 40, b.E().Vars.V[203] = 60;
    // Player: a heal and 1 + 1 + 1 + 1; opponent: a heal and the same four: a tie of 4.
    b.Hands({card::kHeal, 1, 1, 1, 1}, {card::kHeal, 1, 1, 1, 1});
    b.PlayFive();
    EXPECT_EQ(b.V(102), 100);      // 95 + 18 stops at 100
    EXPECT_EQ(b.V(202), 40 + 10);  // 18 % of 60 is 10.8: 10
    EXPECT_EQ(b.E().Battle.Turn, 2);
    EXPECT_EQ(b.E().Battle.Phase, BattlePhase::Wait);
    EXPECT_EQ(b.E().Vars.S[55], 0);
}

TEST(Battle, TheLastBlowEndsTheBattleAndTheScriptGoesOn) {
    Battle b;
    b.E().Vars.V[202] = 10;
    b.Hands({51, 52, 53, 54, 55}, kNothing);
    b.PlayFive();
    EXPECT_EQ(b.E().Vars.S[55], 1);
    EXPECT_EQ(b.V(202), 0);
    EXPECT_EQ(b.E().Shell.MainMode, kModeScript);
    EXPECT_EQ(b.E().Vars.S[23], 0);
    b.g.RunFor(500);
    EXPECT_NE(b.g.Transcript().find("After the battle."), std::string::npos);
}

TEST(Battle, ASaveDuringTheBattleIsMarkedAndLoadsIntoANewBattle) {
    Battle b;
    EngineState& e = b.E();
    int battle_line = e.Script.LineStart;
    ASSERT_TRUE(SaveGame(e, 4, SaveKind::Quiet));
    EXPECT_TRUE(ReadSlotSummary(e, 4).Caption.ends_with("(Map)"));
    e.Vars.V[202] = 1;
    b.Hands({51, 52, 53, 54, 55}, kNothing);
    b.PlayFive();
    ASSERT_EQ(e.Shell.MainMode, kModeScript);
    ASSERT_TRUE(LoadGame(e, 4));
    EXPECT_EQ(e.Script.ReadPosition, battle_line);
    EXPECT_EQ(e.Vars.V[202], 100);
    EXPECT_TRUE(b.g.RunUntil([&] { return e.Shell.MainMode == kModeBattle; }, 5000));
    EXPECT_EQ(e.Battle.Turn, 1);
}

// A battle the player clicks through: five hand places, then a click to deal, every 2 s.
std::string ClickThrough() {
    std::string events;
    for (int turn = 0; turn < 40; ++turn) {
        int t = 3000 + turn * 2000;
        for (int i = 0; i < kRowSize; ++i)
            events += std::to_string(t + 100 * i) + " click " + std::to_string(300 + 74 * i) +
                      " 520 left\n";
        events += std::to_string(t + 1500) + " click 100 100 left\n";
    }
    return events;
}

TEST(Battle, AWholeBattleReplaysToTheSameEnd) {
    // Odd scripts too: no positive weight on one side, characters outside the portrait table.
    const char* scripts[] = {
        "!V010=1;V020=10;V100=300;V102=60;V103=60;V105=3;V106=2;V104=1;"
        "V200=200;V202=60;V203=60;V204=2;V207=3\n*battle\nEnd.\n\\\n",
        "!V010=-4;V020=5000;V100=500;V102=15;V103=15;V104=1;V202=15;V203=15;V205=-3\n*battle\n"
        "End.\n\\\n",
    };
    for (const char* script : scripts) {
        int results[2][3];
        for (auto& r : results) {
            GameOptions o = WholeLines();
            o.Events = ClickThrough();
            TestGame g({{"main", script}}, o);
            g.RunFor(90000);
            EngineState& e = g.State();
            r[0] = e.Vars.S[55], r[1] = e.Vars.V[102], r[2] = e.Vars.V[202];
            EXPECT_EQ(e.Shell.MainMode, kModeScript) << script;
        }
        EXPECT_TRUE(results[0][0] == 1 || results[0][0] == 2) << script;
        EXPECT_EQ(results[0][0], results[1][0]) << script;
        EXPECT_EQ(results[0][1], results[1][1]) << script;
        EXPECT_EQ(results[0][2], results[1][2]) << script;
    }
}

}  // namespace
}  // namespace vespin
