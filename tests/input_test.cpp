// The player's input through the engine's handlers: clicks while typing, skipping, auto-advance
// and its gauge, the keys that act as clicks, hiding the window.

#include <gtest/gtest.h>

#include "core/shell/main_loop.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;

struct Game : TestGame {
    explicit Game(test::ScriptList scripts, GameOptions o = {}) : TestGame(scripts, o) { Steps(1); }
};

TEST(Input, AClickWhileTypingCompletesThePageAndASecondEndsTheWait) {
    Game g({{"main", "ABCDEFGH\n\\\nnext\n"}});
    g.Steps(2);  // the typing effect: two characters so far
    EXPECT_EQ(g.Transcript(), "[page]\nAB");
    g.MouseDown(100, 100);
    g.Steps(2);
    EXPECT_EQ(g.Transcript(), "[page]\nABCDEFGH\n[wait 1]\n");
    g.RunFor(600);  // the click lockout runs out; the wait holds
    g.MouseDown(100, 100);
    g.Steps(3);
    EXPECT_NE(g.Transcript().find("[page]\nne"), std::string::npos) << g.Transcript();
}

TEST(Input, AClickDuringSkippingEndsSkipping) {
    Game g({{"main", "*sleep 3000\n"}});
    g.Key(vk::kShift, true);
    EXPECT_EQ(g.State().Shell.SkipState, 1);
    g.State().Shell.SleepPasses = 0;
    g.MouseDown(100, 100);
    EXPECT_EQ(g.State().Shell.SkipState, 0);
}

TEST(Input, ReleasingShiftEndsSkippingEvenWithTheBacklogOpen) {
    Game g({{"main", "*sleep 3000\n"}});
    g.Key(vk::kShift, true);
    g.State().Shell.BacklogOpen = true;
    g.Key(vk::kShift, false);
    EXPECT_EQ(g.State().Shell.SkipState, 0);
}

TEST(Input, TheSkipModeSettingChoosesTheSkipping) {
    GameOptions o;
    o.Settings["SkipMode"] = "2";  // the fast skip is for the quick button: Shift gives 1
    Game g({{"main", "*sleep 3000\n"}}, o);
    g.Key(vk::kShift, true);
    EXPECT_EQ(g.State().Shell.SkipState, 1);
}

TEST(Input, TheSpeedGaugeEndsSetLevelsTenAndOne) {
    Game g({{"main", "A\n\\\n"}});
    g.RunFor(300);
    g.Command(UiCommand::SpeedButton7);  // auto-advance on
    ASSERT_NE(g.State().AutoDelay(), 0);
    g.MouseDown(10 + 671, 400 + 10);
    EXPECT_EQ(g.State().AutoDelay(), 10);
    EXPECT_EQ(g.State().Toolbar.SliderPosition, 1);
    g.MouseDown(10 + 770, 400 + 10);
    EXPECT_EQ(g.State().AutoDelay(), 1);
    EXPECT_EQ(g.State().Vars.S[27], 1);
    EXPECT_EQ(g.State().Toolbar.SliderPosition, 10);
    g.MouseDown(300, 300);  // elsewhere: the click turns auto-advance off
    EXPECT_EQ(g.State().AutoDelay(), 0);
}

TEST(Input, AutoAdvanceToggleAndSlider) {
    Game g({{"main", "*sleep 3000\n"}});
    g.Command(UiCommand::SpeedButton7);
    EXPECT_EQ(g.State().AutoDelay(), 5);  // S027 starts at 5
    EXPECT_TRUE(g.Host().Toolbar().AutoOn);
    EXPECT_TRUE(g.Host().Toolbar().SliderVisible);
    g.Command(UiCommand::TrackBar1, 8);
    EXPECT_EQ(g.State().AutoDelay(), 3);
    g.Key(vk::kControl, true);
    EXPECT_EQ(g.State().AutoDelay(), 0);
    EXPECT_EQ(g.State().Vars.S[27], 3);
    EXPECT_FALSE(g.Host().Toolbar().SliderVisible);
}

TEST(Input, EnterClicksAtTheLastMousePosition) {
    Game g({{"main", "A\n\\\nB\n"}});
    g.RunFor(300);
    g.MouseMove(2000, -50);  // the pointer has left the window
    g.CharKey(vk::kEnter);
    g.RunFor(100);
    EXPECT_NE(g.Transcript().find("B\n"), std::string::npos);
}

TEST(Input, SpaceHidesAndShowsTheWindowAndAClickShowsItToo) {
    Game g({{"main", "*gra Sfff\nA\n\\\n"}});
    g.RunFor(300);
    g.CharKey(vk::kSpace);
    EXPECT_EQ(g.State().Shell.MainMode, kModeWindowHidden);
    EXPECT_TRUE(g.State().Shell.ToolbarLocked);
    EXPECT_EQ(g.State().DrawingArea.Row(500)[400 * 3], 240);  // the scene without the window
    g.CharKey(vk::kSpace);
    EXPECT_EQ(g.State().Shell.MainMode, kModeScript);
    g.MouseDown(10, 10, MouseButton::Right);
    EXPECT_EQ(g.State().Shell.MainMode, kModeWindowHidden);
    g.MouseDown(10, 10);
    EXPECT_EQ(g.State().Shell.MainMode, kModeScript);
    EXPECT_EQ(g.State().Shell.WaitKind, 1);  // showing the window did not end the wait
}

TEST(Input, EscapeActsAsARightClick) {
    Game g({{"main", "A\n\\\n"}});
    g.RunFor(300);
    g.CharKey(vk::kEscape);
    EXPECT_EQ(g.State().Shell.MainMode, kModeWindowHidden);
}

TEST(Input, ASleepEndsOnAClick) {
    Game g({{"main", "*sleep 10\nA\n"}});
    g.Steps(1);
    EXPECT_EQ(g.State().Shell.SleepPasses, -1);
    g.MouseDown(1, 1);
    EXPECT_EQ(g.State().Shell.SleepPasses, 0);
}

TEST(Input, ToolbarFollowsS000AndTheLock) {
    Game g({{"main", "!S000=1\n*sleep 3000\n"}});
    g.Steps(2);
    EXPECT_FALSE(g.Host().Toolbar().SaveEnabled);
    EXPECT_TRUE(g.Host().Toolbar().LoadEnabled);
    g.CharKey(vk::kSpace);
    EXPECT_FALSE(g.Host().Toolbar().ExitEnabled);  // locked while the window is hidden
    g.CharKey(vk::kSpace);
    EXPECT_TRUE(g.Host().Toolbar().ExitEnabled);
}

TEST(Input, TheExitMenuItemAsksFirst) {
    GameOptions o;
    o.Events = "0 answer cancel\n";
    Game g({{"main", "*sleep 3000\n"}}, o);
    g.RunFor(10);
    g.Command(UiCommand::MenuN7);
    EXPECT_FALSE(g.State().Shell.WindowClosed);
    g.Command(UiCommand::MenuN7);
    EXPECT_TRUE(g.State().Shell.WindowClosed);
}

}  // namespace
}  // namespace vespin
