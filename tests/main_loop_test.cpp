// The engine's loop: start-up, pacing of idle passes, the timer, the close question.

#include <gtest/gtest.h>

#include "core/graphics/frame_clock.h"
#include "core/shell/close.h"
#include "core/shell/main_loop.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;

// Measures the virtual time of one loop turn (pump plus idle pass).
uint32_t TurnMs(TestGame& g) {
    uint32_t start = g.Host().NowMs();
    g.Steps(1);
    return g.Host().NowMs() - start;
}

TEST(MainLoop, StartUpStateAndFirstPassLoadsMain) {
    TestGame g({{"main", "hello\n"}});
    EngineState& e = g.State();
    EXPECT_TRUE(e.Shell.FirstIdlePending);
    EXPECT_EQ(e.Vars.S[0], 3);
    EXPECT_EQ(e.Vars.S[8], 8);
    EXPECT_EQ(e.Vars.S[20], 250);
    EXPECT_EQ(e.Vars.S[21], 550);
    EXPECT_EQ(e.Vars.S[27], 5);
    EXPECT_EQ(e.StringSlots[0].View(), "\x98\x61\x90\x6C");  // the default player name
    EXPECT_FALSE(g.Host().Toolbar().SaveEnabled);            // S000 = 3 disables save and load
    g.Steps(1);
    EXPECT_FALSE(e.Shell.FirstIdlePending);
    EXPECT_EQ(e.Script.CurrentScriptName.View(), "main");
    EXPECT_GT(e.Script.ScriptSize, 0);
}

TEST(MainLoop, GlobalValuesAndNamesComeFromTheSettings) {
    GameOptions o;
    o.Settings = {{"GV03", "42"}, {"PlayerName", "Ann"}, {"PlayerName2", "Bo"}, {"Clear", "2"}};
    TestGame g({{"main", ""}}, o);
    EXPECT_EQ(g.State().Vars.G[3], 42);
    EXPECT_EQ(g.State().StringSlots[0].View(), "Ann");
    EXPECT_EQ(g.State().StringSlots[1].View(), "Bo");
    EXPECT_EQ(g.State().Vars.S[100], 2);
}

TEST(MainLoop, PassesLastThirtyMsOrTheAutoAdvanceTime) {
    TestGame g({{"main", "*sleep 300\nA\n"}});
    g.Steps(1);
    EXPECT_EQ(TurnMs(g), 30u);  // sleeping: no interpreter step
    TestGame fast({{"main", "ABCDEFGHIJ\n"}});
    fast.Steps(1);
    fast.State().Vars.S[26] = 10;  // auto-advance at level 10
    EXPECT_EQ(TurnMs(fast), 65u);
    fast.State().Vars.S[26] = 1;
    fast.State().Shell.WaitTicks = 0;
    EXPECT_EQ(TurnMs(fast), 20u);
    fast.State().Vars.S[26] = 0;
    fast.State().Shell.WaitTicks = 0;
    EXPECT_EQ(TurnMs(fast), 30u);
}

TEST(MainLoop, ANegativeAutoLevelFromAScriptDoesNotStallThePass) {
    // Its pass time lies in the past: the pass ends at once instead of sleeping for weeks.
    TestGame g({{"main", "!S026=-4\nABCDEFGHIJ\n"}});
    g.Steps(1);
    EXPECT_LE(TurnMs(g), 30u);
    EXPECT_LE(TurnMs(g), 30u);
}

TEST(MainLoop, TimerTicksCountDownWaitsEvery55Ms) {
    GameOptions whole_lines;
    whole_lines.Settings["Delay"] = "1";
    TestGame g({{"main", "A%4B\n"}}, whole_lines);
    g.Steps(2);
    EXPECT_EQ(g.State().Shell.WaitTicks, 4);
    g.RunUntil([&] { return g.State().Shell.WaitTicks == 0; });
    uint32_t at = g.Host().NowMs();
    EXPECT_GE(at, 4 * 55u);
    EXPECT_LT(at, 6 * 55u + 30u);
}

TEST(MainLoop, AutoAdvanceEndsPageWaitsOnTheTimer) {
    TestGame g({{"main", "A\n\\\nB\n\\\n"}});
    g.Steps(1);
    g.State().Vars.S[26] = 1;
    EXPECT_TRUE(g.RunUntil([&] { return g.Transcript().find("B\n") != std::string::npos; }, 5000));
}

TEST(MainLoop, SkippingReleasesPageWaitsEveryPass) {
    TestGame g({{"main", "A\n\\\nB\n\\\nC\n"}});
    g.Steps(1);
    g.Key(16, true);  // Shift held
    g.Steps(12);
    EXPECT_NE(g.Transcript().find("C\n"), std::string::npos);
    g.Key(16, false);
    EXPECT_EQ(g.State().Shell.SkipState, 0);
}

TEST(MainLoop, MissingGameDataClosesOnTheFirstPassWithoutAsking) {
    GameOptions o;
    o.WithDataArchive = false;
    TestGame g({}, o);
    ASSERT_EQ(g.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(g.Host().MessageBoxes()[0], "Error!: ゲームデータを読み込めません。");
    EXPECT_FALSE(g.State().Shell.WindowClosed);
    g.Steps(1);
    EXPECT_TRUE(g.State().Shell.WindowClosed);
    EXPECT_EQ(g.Host().MessageBoxes().size(), 1u);  // no close question
}

TEST(MainLoop, SetupNotRunWarnsAndCloses) {
    GameOptions o;
    o.Settings["GameDir"] = "NULL";
    TestGame g({{"main", "A\n"}}, o);
    EXPECT_EQ(g.Host().MessageBoxes()[0], "Warning: 先にセットアップを実行してください。");
    g.Steps(1);
    EXPECT_TRUE(g.State().Shell.WindowClosed);
}

TEST(MainLoop, CancellingTheCloseQuestionKeepsTheGameRunning) {
    GameOptions o;
    o.Events = "100 answer cancel\n100 close\n";
    TestGame g({{"main", "A\n\\\nB\n"}}, o);
    g.RunFor(500);
    EXPECT_FALSE(g.State().Shell.WindowClosed);
    EXPECT_TRUE(g.State().Shell.InterpreterEnabled);
    ASSERT_EQ(g.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(g.Host().MessageBoxes()[0], "確認: ゲームを終了しますか？");
    g.Click();
    g.RunFor(200);
    EXPECT_NE(g.Transcript().find("B\n"), std::string::npos);
}

TEST(MainLoop, CloseDuringATransitionIsDeferredWithoutAQuestion) {
    TestGame g({{"main", "A\n"}});
    g.Steps(1);
    g.State().Shell.TransitionRunning = true;
    g.State().Shell.EngineBusy = true;
    EXPECT_FALSE(RequestClose(g.State()));
    EXPECT_EQ(g.State().Shell.InterruptRequest, 2);
    EXPECT_TRUE(g.Host().MessageBoxes().empty());
    g.State().Shell.TransitionRunning = false;
    EXPECT_FALSE(RequestClose(g.State()));  // still busy: refused, still no question
    EXPECT_TRUE(g.Host().MessageBoxes().empty());
}

TEST(MainLoop, ClicksDuringATransitionOnlyRecordAnInterrupt) {
    TestGame g({{"main", "A\n\\\nB\n"}});
    g.RunFor(300);
    g.State().Shell.TransitionRunning = true;
    g.Click();
    EXPECT_EQ(g.State().Shell.InterruptRequest, 1);
    EXPECT_EQ(g.State().Shell.WaitKind, 1);  // the wait was not released
}

TEST(MainLoop, RandomSequenceDependsOnThePassCount) {
    TestGame a({{"main", "*sleep 3000\n"}}), b({{"main", "*sleep 3000\n"}});
    a.Steps(10);
    b.Steps(11);
    EXPECT_NE(a.State().Rng.Seed, b.State().Rng.Seed);
    TestGame c({{"main", "*sleep 3000\n"}});
    c.Steps(10);
    EXPECT_EQ(a.State().Rng.Seed, c.State().Rng.Seed);
}

}  // namespace
}  // namespace vespin

namespace vespin {
namespace {

TEST(FrameClock, PeriodsDropFramesAndDeadlinesSleep) {
    test::TestGame g({{"main", ""}});
    EngineState& e = g.State();
    StartClock(e);
    uint32_t start = g.Host().NowMs();
    EXPECT_EQ(WaitPeriod(e, 20), 1);
    EXPECT_EQ(g.Host().NowMs() - start, 20u);
    g.Host().SleepMs(45);  // a slow frame: two periods and a bit
    EXPECT_EQ(WaitPeriod(e, 20), 3);
    EXPECT_EQ(g.Host().NowMs() - start, 80u);  // back on the period grid
    uint32_t now = g.Host().NowMs();
    WaitUntil(e, now + 33);
    EXPECT_EQ(g.Host().NowMs(), now + 33);
    WaitUntil(e, now);  // a deadline in the past does not sleep
    EXPECT_EQ(g.Host().NowMs(), now + 33);
}

TEST(FrameClock, WaitingDeliversInput) {
    test::GameOptions o;
    o.Events = "10 click 5 5\n";
    test::TestGame g({{"main", ""}}, o);
    EngineState& e = g.State();
    e.Shell.TransitionRunning = true;
    StartClock(e);
    WaitPeriod(e, 20);
    WaitPeriod(e, 20);
    EXPECT_EQ(e.Shell.InterruptRequest, 1);
}

}  // namespace
}  // namespace vespin

namespace vespin {
namespace {

TEST(MainLoop, APassAbandonedByAnErrorStillTakesItsTime) {
    test::TestGame g({{"main", "!V1=2\n*go main\n:main\n!V1=2\n*go main\n"}});
    g.Steps(1);
    uint32_t start = g.Host().NowMs();
    g.Steps(10);
    EXPECT_GE(g.Host().NowMs() - start, 300u);
    EXPECT_GE(g.Host().Errors().size(), 10u);
}

}  // namespace
}  // namespace vespin

namespace vespin {
namespace {

struct ScreenModeGame : test::TestGame {
    ScreenModeGame(const char* mode, int accepted_depth)
        : TestGame({{"main", "*sleep 3000\n"}}, [&] {
              test::GameOptions o;
              o.Settings["SMode"] = mode;
              o.ConfigureHost = [accepted_depth](HeadlessHost& host) {
                  host.SetExclusiveDisplayDepth(accepted_depth);
              };
              return o;
          }()) {}
};

TEST(ScreenMode, ExclusiveFullScreenTakesTheFirstDepthTheDisplayAccepts) {
    ScreenModeGame g("1", 32);
    g.Host().MoveWindow(120, 80);
    g.Steps(1);  // the first idle pass enters full screen
    EXPECT_EQ(g.State().Shell.FullScreenActive, 1);
    EXPECT_EQ(g.Host().Layout(), ScreenLayout::FullScreen);
    EXPECT_TRUE(g.Host().ExclusiveDisplay());
    test::TestGame& t = g;
    InputEvent move;
    move.kind = InputKind::MouseMove;
    move.x = 100, move.y = 10;
    HandleInput(t.State(), move);
    EXPECT_TRUE(g.Host().StripVisible());  // the pointer is in the top-left corner
    move.y = 300;
    HandleInput(t.State(), move);
    EXPECT_FALSE(g.Host().StripVisible());
    CloseWindow(g.State());  // closing gives the display back and restores the window
    EXPECT_FALSE(g.Host().ExclusiveDisplay());
    EXPECT_EQ(g.Host().Layout(), ScreenLayout::Windowed);
    int x, y;
    g.Host().WindowPosition(x, y);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 80);
}

TEST(ScreenMode, ADisplayThatRefusesEveryDepthFallsBackToTheWindow) {
    ScreenModeGame g("1", 0);
    g.Steps(1);
    EXPECT_EQ(g.State().Shell.FullScreenActive, 0);
    EXPECT_EQ(g.Host().Layout(), ScreenLayout::Windowed);
}

TEST(ScreenMode, BorderlessModeKeepsTheDisplayAndTheStripHidden) {
    ScreenModeGame g("2", 24);
    g.Steps(1);
    EXPECT_EQ(g.Host().Layout(), ScreenLayout::FullScreen);
    EXPECT_FALSE(g.Host().ExclusiveDisplay());
    EXPECT_EQ(g.State().Shell.FullScreenActive, 0);
    InputEvent move;
    move.kind = InputKind::MouseMove;
    move.x = 100, move.y = 10;
    bool before = g.Host().StripVisible();
    HandleInput(g.State(), move);
    EXPECT_EQ(g.Host().StripVisible(), before);  // only the exclusive mode shows the strip
}

}  // namespace
}  // namespace vespin
