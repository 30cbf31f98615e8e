// The return to the title: a new game started from the title after it is the same game as one
// started with the program, in its variables, its transcript and its first frame.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/shell/engine_state.h"
#include "headless/state_dump.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;

// Everything the old game leaves behind would show: V001 counts games, F003 and S300 are set
// once, P005 and the string slot stay unless reset, the choice is on screen at the return, the
// log and the looping voice belong to the old game.
constexpr char kMain[] =
    "!V001=V001+1;P005=P005+2;S300=S300+1\n"
    "*if (F003=1) *go again\n"
    "!F003=1\n"
    "*gra A001 0\n"
    ">案内\n"
    "はじめ[?V001]回目\n"
    "\\\n"
    "*select\n"
    "{もう一度\n"
    "*chain main\n"
    "{おわり\n"
    "*exitgame\n"
    "}\n"
    ":again\n"
    "前のゲームが残っている。\n"
    "\\\n";

GameOptions Options() {
    GameOptions o;
    o.Pictures["A001"].Resize(kScreenWidth, kScreenHeight);
    o.Pictures["A001"].Fill(40, 90, 160);
    return o;
}

struct Snapshot {
    std::string Vars, Transcript;
    Surface Frame;
};

Snapshot AtFirstWait(TestGame& g, size_t transcript_from) {
    g.RunUntil([&] { return g.State().Shell.WaitKind != 0; });
    return {VariablesAsJson(g.State().Vars), g.Transcript().substr(transcript_from),
            g.State().DisplaySurface};
}

TEST(TitleReturn, ANewGameFromTheTitleIsAFreshGame) {
    TestGame fresh({{"main", kMain}, {"main2", "*chain main\n"}}, Options());
    Snapshot expected = AtFirstWait(fresh, 0);

    TestGame g({{"main", kMain}, {"main2", "*chain main\n"}}, Options());
    AtFirstWait(g, 0);
    g.State().StringSlots[5] = "old";
    g.RunFor(600);
    g.MouseDown(100, 100);  // on to the choice
    ASSERT_TRUE(g.RunUntil([&] { return g.State().Shell.ChoiceKind == 1; }));
    g.Command(UiCommand::MenuN6);
    g.MouseMove(320, 200);  // "はい"
    size_t before = g.Transcript().size();
    g.MouseDown(320, 200);
    Snapshot again = AtFirstWait(g, before);

    EXPECT_EQ(again.Vars, expected.Vars);
    EXPECT_EQ(again.Transcript, expected.Transcript);
    EXPECT_TRUE(g.State().StringSlots[5].Empty());
    // The reading log is the player's, not the game's: the new game's lines follow the old ones.
    EXPECT_GT(g.State().Backlog.LineCount, fresh.State().Backlog.LineCount);
    EXPECT_EQ(g.State().Shell.ChoiceKind, 0);
    const Surface& a = again.Frame;
    const Surface& b = expected.Frame;
    EXPECT_TRUE(std::equal(a.Data(), a.Data() + a.SizeBytes(), b.Data()));
}

}  // namespace
}  // namespace vespin
