// Choices through the headless host: select and sel2 in the window and in full-screen text,
// clickmaps, switch, recorded choices and the keyboard.

#include <gtest/gtest.h>

#include "core/script/choice_state.h"
#include "core/script/choices.h"
#include "core/shell/main_loop.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;
using test::WholeLines;

const char* kThree = "*select\n{North\nN\n{South\nS\n{East\nE\n}\nafter\n";

struct Game : TestGame {
    explicit Game(test::ScriptList scripts, GameOptions o = WholeLines()) : TestGame(scripts, o) {}
    ChoiceState& C() { return State().Choices; }
    void ClickAt(int x, int y) {
        MouseMove(x, y);
        MouseDown(x, y);
    }
    void ShowChoice() {
        RunUntil([&] { return State().Shell.ChoiceKind != 0; }, 3000);
    }
    // Lets the click lockout run out, then clicks entry `n` (1-based) of a window choice.
    void Take(int n) {
        RunFor(400);
        ClickAt(400, C().ChoiceBoxTop + 50 * (n - 1) + 25);
        RunFor(300);
    }
};

TEST(Select, ThreePlatesCentredOnTheWindowColumn) {
    Game g({{"main", kThree}});
    g.ShowChoice();
    EXPECT_EQ(g.State().Shell.ChoiceKind, kChoiceInWindow);
    EXPECT_EQ(g.C().ChoiceCount, 3);
    EXPECT_EQ(g.C().ChoiceBoxTop, 115);  // plates at 115, 165 and 215
    g.Take(2);
    EXPECT_EQ(g.State().Shell.ChoiceKind, 0);
    EXPECT_NE(g.Transcript().find("S\nafter\n"), std::string::npos) << g.Transcript();
    EXPECT_EQ(g.Transcript().find("N\n"), std::string::npos);
}

TEST(Select, FalseConditionalEntriesAreAbsentAndSlotsGiveLabels) {
    Game g({{"main", "*string 3 Slot label\n*select\n{(F010=1)Go left\nL\n{$3\nT\n{Stay\nS\n}\n"}});
    g.ShowChoice();
    ASSERT_EQ(g.C().ChoiceCount, 2);
    EXPECT_EQ(g.C().ChoiceLabels[0].View(), "Slot label");
    EXPECT_EQ(g.C().ChoiceBoxTop, 140);
    g.Take(1);
    EXPECT_NE(g.Transcript().find("T\n"), std::string::npos);
}

TEST(Select, Sel2ShowsItsLastEntryDisabledWithoutF100) {
    Game g({{"main", "*sel2\n{A\nA\n{B\nB\n}\n"}});
    g.ShowChoice();
    EXPECT_EQ(g.C().ChoiceCount, 1);  // B is drawn but cannot be taken
    EXPECT_TRUE(g.C().LastEntryDisabled);
    g.Take(2);
    EXPECT_EQ(g.State().Shell.ChoiceKind, kChoiceInWindow);  // still waiting
    g.Take(1);
    EXPECT_NE(g.Transcript().find("A\n"), std::string::npos);
}

TEST(Select, ClicksBeforeTheLockoutRunsOutAreIgnored) {
    Game g({{"main", kThree}});
    g.ShowChoice();
    g.State().Shell.ClickLockout = 5;
    g.ClickAt(400, g.C().ChoiceBoxTop + 25);
    EXPECT_EQ(g.State().Shell.ChoiceKind, kChoiceInWindow);
}

TEST(Select, HoverHighlightsTheRowFromTheSpareSurface) {
    Game g({{"main", kThree}});
    g.ShowChoice();
    g.MouseMove(400, 170);
    EXPECT_EQ(g.C().HoveredChoice, 2);
    g.MouseMove(10, 10);
    EXPECT_EQ(g.C().HoveredChoice, 0);
}

TEST(Select, UpAndDownMoveTheFocus) {
    Game g({{"main", kThree}});
    g.ShowChoice();
    g.MouseMove(10, 10);
    g.Key(40, true);  // Down with nothing hovered: the last entry
    EXPECT_EQ(g.C().HoveredChoice, 3);
    g.Key(38, true);
    EXPECT_EQ(g.C().HoveredChoice, 2);
    g.Key(38, true);
    g.Key(38, true);  // stays on the first
    EXPECT_EQ(g.C().HoveredChoice, 1);
    EXPECT_EQ(g.State().Shell.LastMouseY, 115 + 31);
}

TEST(Select, AMissingTakeSoundInSlotEightStillTakesTheEntry) {
    Game g({{"main", kThree}});
    g.ShowChoice();
    // Without archives nothing plays; the click still goes through with a named sound.
    g.State().StringSlots[8] = "NOSUCH";
    g.Take(3);
    EXPECT_NE(g.Transcript().find("E\n"), std::string::npos);
}

TEST(Select, ABlockWithoutEntriesIsSkipped) {
    Game g({{"main", "*select\n}\nafter\n"}});
    g.RunFor(500);
    EXPECT_EQ(g.State().Shell.ChoiceKind, 0);
    EXPECT_NE(g.Transcript().find("after"), std::string::npos);
}

TEST(Select, FullTextEntriesAreLinesUnderTheText) {
    Game g({{"main", "*mode 1\nQuestion\n*select\n{Yes\nY\n{No\nN\n}\n"}});
    g.ShowChoice();
    EXPECT_EQ(g.State().Shell.ChoiceKind, kChoiceFullText);
    const ChoiceRect& r = g.C().ChoiceRects[1];
    EXPECT_EQ(r.Left, 20);
    EXPECT_EQ(r.Right, 20 + 4 * 14);
    g.RunFor(400);
    g.ClickAt(r.Left + 5, r.Top + 5);
    g.RunFor(300);
    EXPECT_NE(g.Transcript().find("N\n"), std::string::npos);
}

TEST(Select, RecordedChoicesReplayAndEndNavigation) {
    Game g({{"main", "*select\n{A\nA\n{B\nB\n}\n*select\n{C\nC\n{D\nD\n}\nend\n"}});
    g.State().Vars.S[151] = 1;  // record
    g.ShowChoice();
    g.Take(2);
    g.ShowChoice();
    g.Take(1);
    EXPECT_EQ(g.State().Vars.S[152], 2);
    EXPECT_EQ(g.C().ChoiceRecord[0], 2);
    EXPECT_EQ(g.C().ChoiceRecord[1], 1);

    Game replay({{"main", "*select\n{A\nA\n{B\nB\n}\n*select\n{C\nC\n{D\nD\n}\nend\n"}});
    replay.Steps(1);
    replay.State().Choices.ChoiceRecord = g.C().ChoiceRecord;
    replay.State().Vars.S[151] = 2;
    replay.State().Vars.S[152] = 1;  // only the first choice is replayed
    replay.ShowChoice();
    replay.RunFor(2000);
    EXPECT_NE(replay.Transcript().find("B\n"), std::string::npos);
    EXPECT_EQ(replay.State().Vars.S[151], 1);  // navigation ended: recording goes on
    EXPECT_EQ(replay.State().Shell.ChoiceKind, kChoiceInWindow);
}

TEST(Select, NavigationEndsRightAfterTheLastRecordedChoice) {
    // The record holds B then C; a page wait follows the last replayed choice, and another
    // choice comes after it.
    const std::string ab = "*select\n{A\nA\n{B\nB\n}\n", cd = "*select\n{C\nC\n{D\nD\n}\n";
    struct Case {
        int recorded;         // choices replayed
        std::string script;   //
        const char* reached;  // the text typed after the last of them
    };
    const Case cases[] = {
        {1, ab + "\\\n" + cd, "B\n"},
        {2, ab + cd + "\\\n" + ab, "C\n"},
    };
    for (const Case& c : cases) {
        Game g({{"main", c.script}});
        g.Steps(1);
        g.State().Choices.ChoiceRecord[0] = 2;
        g.State().Choices.ChoiceRecord[1] = 1;
        g.State().Vars.S[151] = 2;
        g.State().Vars.S[152] = c.recorded;
        g.State().Toolbar.AutoNaviVisible = true;
        ASSERT_TRUE(g.RunUntil([&] { return g.State().Shell.WaitKind != 0; }))
            << c.recorded << ": " << g.Transcript();
        EXPECT_NE(g.Transcript().find(c.reached), std::string::npos) << g.Transcript();
        // Before the next choice is shown, recording has taken over again.
        EXPECT_EQ(g.State().Shell.ChoiceKind, 0);
        EXPECT_EQ(g.State().Vars.S[151], 1) << c.recorded;
        EXPECT_EQ(g.State().Vars.S[152], c.recorded);
        EXPECT_EQ(g.State().Vars.S[153], c.recorded);
        EXPECT_FALSE(g.State().Toolbar.AutoNaviVisible);
    }
}

TEST(Select, ARecordedNumberBeyondTheListIsNotTaken) {
    // The record comes from another path through the game (or a save): 7 is no entry of the
    // second list, whose targets beyond its two entries are left over from the first.
    Game g({{"main",
             "*select\n{A\nA\n{B\nB\n{C\nC\n{D\nD\n{E\nE\n{F\nF\n{G\nG\n}\n"
             "*select\n{Y\nY\n{Z\nZ\n}\n"}});
    g.ShowChoice();
    g.RunFor(400);
    g.ClickAt(400, g.C().ChoiceBoxTop + 25);
    g.State().Choices.ChoiceRecord[0] = 7;
    g.State().Vars.S[151] = 2;
    g.State().Vars.S[152] = 1;
    g.RunFor(500);
    EXPECT_EQ(g.State().Shell.ChoiceKind, kChoiceInWindow);
    EXPECT_EQ(g.Transcript().find("G\n"), std::string::npos) << g.Transcript();
}

TEST(Switch, TakesTheFirstEntryThatHolds) {
    const char* block = "*switch\n{(V001=1)\none\n{(V001=2)\ntwo\n{\nthree\n}\nafter\n";
    for (auto [v, expected] : {std::pair{5, "three"}, {1, "one"}, {2, "two"}}) {
        Game g({{"main", block}});
        g.Steps(1);
        g.State().Vars.V[1] = v;
        g.RunFor(300);
        EXPECT_NE(g.Transcript().find(std::string(expected) + "\nafter\n"), std::string::npos)
            << v << ": " << g.Transcript();
    }
}

TEST(Switch, NamedSwitchesNest) {
    Game g({{"main",
             "*switch outer\n"
             "{:outer(V001=1)\n"
             "*switch inner\n"
             "{:inner(V002=1)\n"
             "inner one\n"
             "{:inner\n"
             "inner other\n"
             "}:inner\n"
             "outer one\n"
             "{:outer\n"
             "outer other\n"
             "}:outer\n"
             "done\n"}});
    g.Steps(1);
    g.State().Vars.V[1] = 1;
    g.RunFor(500);
    EXPECT_EQ(g.Transcript(), "[page]\ninner other\nouter one\ndone\n");
}

TEST(Clickmap, RegionsFromTheMapScriptWithTheirKinds) {
    Game g({{"main",
             "*clickmap harbour\n{\nplain\n{Renamed\nrenamed\n{(F001=1)\ndisabled\n}\nafter\n"},
            {"map",
             ":other\n1\nX,0,0,10,10\n:harbour\n3\nBoat,100,100,300,200\n@Hidden,400,100,"
             "300,200\n*Lamp,500,300,600,400\n"}});
    g.ShowChoice();
    ChoiceState& c = g.C();
    ASSERT_EQ(c.ChoiceCount, 3);
    EXPECT_EQ(c.ChoiceRects[1].Left, 300);  // corners put in order
    EXPECT_EQ(c.ChoiceLabels[1].View(), "Renamed");
    EXPECT_FALSE(c.ChoiceEnabled[2]);
    EXPECT_EQ(c.LabelRects[0].Top, 100 + (100 - 24) / 2);
    g.MouseMove(550, 350);  // disabled region: nothing hovered
    EXPECT_EQ(c.HoveredChoice, 0);
    g.MouseMove(200, 150);
    EXPECT_EQ(c.HoveredChoice, 1);
    // The hovered plain region shows its label on a blue band.
    const uint8_t* band = g.State().DrawingArea.Row(c.LabelRects[0].Top + 12) +
                          (c.LabelRects[0].Left + c.LabelRects[0].Right) / 2 * 3;
    EXPECT_GE(band[0], 128);
    g.RunFor(400);
    g.ClickAt(350, 150);  // the @ region can be taken
    g.RunFor(300);
    EXPECT_NE(g.Transcript().find("renamed\nafter\n"), std::string::npos) << g.Transcript();
}

TEST(Clickmap, EntryLinesThatFailToReadLeaveNoEarlierTargetLive) {
    // The entry's condition has an index that is no number: reading the entries fails after the
    // map was shown, and the region must not jump to where the earlier select's entry went.
    Game g({{"main", "*select\n{A\nA\n{B\nB\n}\n*clickmap harbour\n{(V1=1)\nbody\n}\nafter\n"},
            {"map", ":harbour\n1\nBoat,100,100,300,200\n"}});
    g.ShowChoice();
    g.Take(1);
    ASSERT_TRUE(g.RunUntil([&] { return g.State().Shell.ChoiceKind == kChoiceClickmap; }, 3000));
    g.RunFor(400);
    g.ClickAt(200, 150);
    g.RunFor(500);
    EXPECT_EQ(g.C().HoveredChoice, 0);
    EXPECT_EQ(g.Transcript(), "[page]\nA\n");  // A is not typed a second time
}

TEST(Clickmap, AMissingMapLetsTheScriptGoOn) {
    Game g({{"main", "*clickmap nowhere\n{\nbody\n}\nafter\n"}, {"map", ":here\n0\n"}});
    g.RunFor(500);
    EXPECT_EQ(g.State().Shell.ChoiceKind, 0);
    EXPECT_EQ(g.Transcript(), "[page]\nafter\n");
}

}  // namespace
}  // namespace vespin
