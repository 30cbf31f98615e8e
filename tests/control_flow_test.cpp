// Commands that steer the script: jumps, calls, conditions, computed jumps, sleeps and helpers.

#include <gtest/gtest.h>

#include "core/script/commands.h"
#include "core/text/sjis.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;
using test::WholeLines;

// Plays until the script stops producing text; clicks through every wait on the way.
std::string PlayThrough(TestGame& g, int clicks = 20) {
    for (int i = 0; i < clicks && !g.State().Shell.WindowClosed; ++i) {
        g.RunFor(300);
        g.Click();
    }
    return g.Transcript();
}

TEST(CommandTable, FirstMatchOverTheFullEntryIgnoringCase) {
    EXPECT_EQ(FindCommand("exitgame"), 49);
    EXPECT_EQ(FindCommand("exit"), 52);
    EXPECT_EQ(FindCommand("EXIT"), 52);
    EXPECT_EQ(FindCommand("go X"), 3);
    EXPECT_EQ(FindCommand("goX"), -1);  // "go " needs its blank
    EXPECT_EQ(FindCommand("gra A"), 0);
    EXPECT_EQ(FindCommand("grb A"), 19);
    EXPECT_EQ(FindCommand("return"), -1);  // the entry is "return " with its blank
    EXPECT_EQ(FindCommand("se X"), 46);
    EXPECT_EQ(FindCommand("select"), 5);
    EXPECT_EQ(FindCommand("seloop X"), 47);
    EXPECT_EQ(FindCommand("nothing"), -1);
    EXPECT_EQ(CommandName(60), "battle");
}

TEST(CommandTable, AnUnbuiltCommandDoesWhatItsRowSaysAndIsReportedOnce) {
    for (int i = 0; i < kCommandCount; ++i) {
        if (CommandBuilt(i)) continue;
        std::string name(CommandName(i));
        std::string line = "*" + name + (name.back() == ' ' ? "x" : "");
        ASSERT_EQ(FindCommand(line.substr(1)), i) << line;
        bool ends = CommandRowResult(i) == CommandResult::EndPass;

        testing::internal::CaptureStderr();
        TestGame g({{"main", line + "\n" + line + "\nA\n"}}, WholeLines());
        g.Steps(2);  // loading main, then one pass over the script
        EXPECT_EQ(g.Transcript().find('A') == std::string::npos, ends) << line;
        g.Steps(2);
        EXPECT_NE(g.Transcript().find('A'), std::string::npos) << line;
        std::string said = testing::internal::GetCapturedStderr();

        while (name.back() == ' ')
            name.pop_back();
        std::string quoted = "\"" + name + "\"";
        size_t first = said.find(quoted);
        EXPECT_NE(first, std::string::npos) << line;
        EXPECT_EQ(said.find(quoted, first + 1), std::string::npos) << "said twice: " << line;
    }
}

TEST(ControlFlow, StoppingAutoAdvanceKeepsTheLastLevel) {
    // break stops auto-advance (forced); select stops it only with BreakonSelect on.
    struct Case {
        const char* stop;
        const char* break_on_select;
        int auto_delay_after;
    };
    for (const Case& c : {Case{"*break", "0", 0}, Case{"*select\n{A\nA\n}", "1", 0},
                          Case{"*select\n{A\nA\n}", "0", 3}}) {
        GameOptions o = WholeLines();
        o.Settings["BreakonSelect"] = c.break_on_select;
        TestGame g({{"main", std::string("!S027=7\n!S026=3\n") + c.stop + "\nafter\n"}}, o);
        g.RunFor(300);
        EXPECT_EQ(g.State().Vars.S[26], c.auto_delay_after) << c.stop;
        EXPECT_EQ(g.State().Vars.S[27], 7) << c.stop;
    }
}

TEST(ControlFlow, GoContinuesInTheSamePassCallAndChainEndIt) {
    TestGame g({{"main", "*go L\nno\n:L\nA\n*call sub\nB\n"}, {"sub", "C\n"}}, WholeLines());
    g.Steps(2);  // first pass loads main; the next types through the jump
    EXPECT_EQ(g.Transcript(), "[page]\nA\n");
    g.Steps(1);
    EXPECT_EQ(g.Transcript(), "[page]\nA\n");  // the call ended its pass
    g.Steps(1);
    EXPECT_EQ(g.Transcript(), "[page]\nA\nC\n");
}

TEST(ControlFlow, CallWithLabelAndEndResumeTheCaller) {
    TestGame g({{"main", "*call B:L2\nafter\n"}, {"B", "one\n:L2\ntwo\n*end\nthree\n"}},
               WholeLines());
    std::string t = PlayThrough(g);
    EXPECT_EQ(t, "[page]\ntwo\nafter\n");
    EXPECT_EQ(g.State().Script.CurrentScriptName.View(), "main");
}

TEST(ControlFlow, CallThroughAStringSlot) {
    TestGame g({{"main", "*string 3 sub\n*call $3\nback\n"}, {"sub", "in sub\n"}}, WholeLines());
    EXPECT_EQ(PlayThrough(g), "[page]\nin sub\nback\n");
}

TEST(ControlFlow, MissingScriptsAndLabelsChangeNothing) {
    TestGame g({{"main", "*call nosuch\n*go nolabel\n*call $5\nstill here\n"}}, WholeLines());
    EXPECT_EQ(PlayThrough(g), "[page]\nstill here\n");
    EXPECT_EQ(g.State().Script.CallDepth, 0);
}

TEST(ControlFlow, ATenthNestedCallIsRefused) {
    TestGame g({{"main", "*call r\n"}, {"r", "!V001=V001+1\n*call r\n!V002=V002+1\n"}},
               WholeLines());
    EXPECT_TRUE(g.RunUntil([&] { return g.State().Script.CallDepth == 9; }));
    g.RunFor(3000);
    // Nine calls were pushed and the tenth refused; every level then ran on to its end.
    EXPECT_EQ(g.State().Vars.V[1], 9);
    EXPECT_EQ(g.State().Vars.V[2], 9);
    EXPECT_EQ(g.State().Script.CallDepth, 0);
}

TEST(ControlFlow, ChainForgetsPendingReturns) {
    TestGame g({{"main", "*call a\nnever\n"}, {"a", "*chain b:here\n"}, {"b", "x\n:here\nB\n"}},
               WholeLines());
    EXPECT_EQ(PlayThrough(g), "[page]\nB\n");
    EXPECT_EQ(g.State().Script.CallDepth, 0);
    EXPECT_EQ(g.State().Script.CurrentScriptName.View(), "b");
}

TEST(ControlFlow, IfRunsCommandsAssignmentsAndLabels) {
    TestGame g({{"main",
                 "!V001=1\n"
                 "*if (V001=1) *go X\n"
                 "no\n"
                 ":X\n"
                 "*if (V001=1) !V002=7\n"
                 "*if (V001=1) Y\n"
                 "no\n"
                 ":Y\n"
                 "*if (V001=2) *go X\n"
                 "false ends the pass\n"
                 "*if (V001=1\n"
                 "unclosed\n"}},
               WholeLines());
    EXPECT_EQ(PlayThrough(g), "[page]\nfalse ends the pass\nunclosed\n");
    EXPECT_EQ(g.State().Vars.V[2], 7);
}

TEST(ControlFlow, ComputedJumpRunsOneBody) {
    const char* block = "*cjmp V001\n{\na\n{\nb\n{\nc\n}\nafter\n";
    for (auto [index, expected] : {std::pair{1, "b\nafter\n"},
                                   {0, "a\nafter\n"},
                                   {2, "c\nafter\n"},
                                   {5, "after\n"},
                                   {-1, "after\n"}}) {
        TestGame g({{"main", block}}, WholeLines());
        g.State().Vars.V[1] = index;
        g.Steps(1);
        g.State().Vars.V[1] = index;  // start-up cleared the bank
        EXPECT_EQ(PlayThrough(g), std::string("[page]\n") + expected) << index;
    }
}

TEST(ControlFlow, ComputedJumpWithoutArgumentUsesG1) {
    TestGame g({{"main", "*cjmp\n{\na\n{\nb\n}\n"}}, WholeLines());
    g.State().Vars.G[1] = 1;
    EXPECT_EQ(PlayThrough(g), "[page]\nb\n");
}

TEST(ControlFlow, ComputedJumpWithoutBlockEndsTheScript) {
    TestGame g({{"main", "*cjmp 1000000\nnot a block\n"}}, WholeLines());
    g.RunFor(2000);
    EXPECT_EQ(g.Transcript(), "");
}

TEST(ControlFlow, SleepCountsPassesOrWaitsForAClick) {
    TestGame g({{"main", "*sleep 300\nA\n*sleep 20\nB\n"}}, WholeLines());
    g.Steps(2);
    EXPECT_EQ(g.State().Shell.SleepPasses, 10);
    g.Steps(10);
    EXPECT_EQ(g.Transcript(), "");
    g.Steps(1);
    EXPECT_EQ(g.Transcript(), "[page]\nA\n");
    g.Steps(1);
    EXPECT_EQ(g.State().Shell.SleepPasses, -1);
    g.RunFor(5000);
    EXPECT_EQ(g.Transcript(), "[page]\nA\n");  // still asleep
    g.Click();
    g.Steps(2);
    EXPECT_EQ(g.Transcript(), "[page]\nA\nB\n");
}

TEST(ControlFlow, StringTitleAndPlayerName) {
    TestGame g({{"main", "*string 0 ABC\n*title 第一章\n*string 25 X\n*string 4 " +
                             std::string(40, 'Z') + "\n"}},
               WholeLines());
    g.RunFor(1000);
    EngineState& e = g.State();
    EXPECT_EQ(e.StringSlots[0].View(), "ABC");
    EXPECT_EQ(e.Vars.S[6], 1);
    EXPECT_EQ(g.Host().Store().Read("PLAYERNAME").value_or(""), "ABC");
    EXPECT_EQ(sjis::ToUtf8(e.StringSlots[9].View()), "第一章");
    EXPECT_EQ(e.StringSlots[4].View(), std::string(31, 'Z'));  // cut to the slot
}

TEST(ControlFlow, StringSlotsNeverSplitADoubleByteCharacter) {
    std::string text = "A";
    for (int i = 0; i < 20; ++i)
        text += "あ";  // 1 + 40 bytes
    TestGame g({{"main", "*string 2 " + text + "\n"}}, WholeLines());
    g.RunFor(500);
    EXPECT_EQ(g.State().StringSlots[2].Length(), 31u);  // A and 15 full characters
}

TEST(ControlFlow, GetMaxNeverFallsBelowZero) {
    TestGame g({{"main", "*get_max V001,V002,V003\n*get_max V004,V005,V006\n*get_max X007,V005\n"}},
               WholeLines());
    g.Steps(1);
    EngineState& e = g.State();
    e.Vars.V[2] = -5;
    e.Vars.V[3] = -2;
    e.Vars.V[5] = 4;
    e.Vars.V[6] = 9;
    e.Vars.V[7] = 123;
    g.RunFor(500);
    EXPECT_EQ(e.Vars.V[1], 0);
    EXPECT_EQ(e.Vars.V[4], 9);
    EXPECT_EQ(e.Vars.V[7], 123);
}

TEST(ControlFlow, GameInitClearsGameStateOnly) {
    TestGame g({{"main", "!F001=1;V001=5;T0001=1;E001=1;S050=3;P001=4;G1=2\n*gameinit\n"}},
               WholeLines());
    g.RunFor(500);
    const VariableBanks& v = g.State().Vars;
    EXPECT_FALSE(v.F.Test(1));
    EXPECT_EQ(v.V[1], 0);
    EXPECT_FALSE(v.T.Test(1));
    EXPECT_TRUE(v.E.Test(1));
    EXPECT_EQ(v.S[50], 3);
    EXPECT_EQ(v.P[1], 4);
    EXPECT_EQ(v.G[1], 2);
}

TEST(ControlFlow, BacktoRecordsTheNextLineAndLoadsResetIt) {
    TestGame g({{"main", "*backto\nA\n*chain main2\n"}, {"main2", "B\n"}}, WholeLines());
    g.Steps(2);
    EXPECT_EQ(g.State().Vars.S[10], 8);  // "*backto" and its NUL
    PlayThrough(g);
    EXPECT_EQ(g.State().Vars.S[10], 0);
}

TEST(ControlFlow, ExitGameAsksAndExitDoesNot) {
    GameOptions o = WholeLines();
    o.Events = "0 answer cancel\n";
    TestGame g({{"main", "*exit\nA\n*exitgame\nB\n*exitgame\nC\n"}}, o);
    PlayThrough(g, 3);
    EXPECT_EQ(g.Host().MessageBoxes().size(), 2u);  // Cancel kept the game going, OK closed it
    EXPECT_TRUE(g.State().Shell.WindowClosed);
    EXPECT_NE(g.Transcript().find("A\n"), std::string::npos);
    EXPECT_NE(g.Transcript().find("B\n"), std::string::npos);
    EXPECT_EQ(g.Transcript().find("C\n"), std::string::npos);
}

TEST(ControlFlow, BreakEndsSkippingAndAutoAdvance) {
    TestGame g({{"main", "*sleep 60\n*break\nA\n"}}, WholeLines());
    g.Steps(2);
    g.State().Shell.SkipState = 1;
    g.State().Vars.S[26] = 4;
    g.RunFor(500);
    EXPECT_EQ(g.State().Shell.SkipState, 0);
    EXPECT_EQ(g.State().AutoDelay(), 0);
    EXPECT_EQ(g.State().Vars.S[27], 5);  // the last level is kept: still the start-up value
}

TEST(ControlFlow, ConversionFailureAbandonsThePassAndIsReported) {
    TestGame g({{"main", "!V1=2\nA\n"}}, WholeLines());
    g.RunFor(500);
    ASSERT_FALSE(g.Host().Errors().empty());
    EXPECT_NE(g.Host().Errors()[0].find("1=2"), std::string::npos);
    // The failing line was consumed; the next pass reads on.
    EXPECT_EQ(g.Transcript(), "[page]\nA\n");
}

}  // namespace
}  // namespace vespin
