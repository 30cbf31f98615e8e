// The quick-button bar through the engine's input handlers: lighting, latching and unlatching,
// the restrictions of S000 and of a replayed scene, the gauge, read marks and skipping, and the
// tinted style that has no bar.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/screens/quick_buttons.h"
#include "core/shell/engine_state.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::GameOptions;
using test::Pixel;
using test::TestGame;

// Button centres on the drawing area (the picture-style window sits at (10, 400)).
struct Point {
    int x, y;
};
constexpr Point kCentre[8] = {{0, 0},          {10 + 685, 485}, {10 + 643, 470}, {10 + 709, 437},
                              {10 + 757, 460}, {10 + 755, 531}, {10 + 648, 517}, {10 + 666, 570}};
constexpr Point kNowhere{200, 100};

// A sheet whose images are flat colours: on looks green, hover looks red, each button's blue is
// its number times 10; the gauge is grey when empty and white when full.
Surface Sheet() {
    struct Images {
        int w, h, on_x, on_y, hover_x, hover_y;
    };
    constexpr Images kImages[7] = {{35, 33, 33, 66, 33, 0},    {33, 32, 0, 64, 0, 32},
                                   {25, 25, 298, 51, 298, 24}, {46, 51, 204, 102, 204, 51},
                                   {50, 42, 250, 90, 250, 45}, {33, 33, 68, 66, 68, 33},
                                   {103, 36, 101, 71, 101, 36}};
    Surface s(480, 160);
    auto fill = [&](int x0, int y0, int w, int h, Pixel p) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                uint8_t* q = s.Row(y) + 3 * x;
                q[0] = p.b, q[1] = p.g, q[2] = p.r;
            }
    };
    for (int i = 0; i < 7; ++i) {
        const Images& m = kImages[i];
        fill(m.on_x, m.on_y, m.w, m.h, Pixel{10 * (i + 1), 200, 0});
        fill(m.hover_x, m.hover_y, m.w, m.h, Pixel{10 * (i + 1), 0, 200});
    }
    fill(378, 9, 100, 7, Pixel{90, 90, 90});
    fill(378, 33, 100, 7, Pixel{255, 255, 255});
    return s;
}

GameOptions BarGame(const char* window_type = "1") {
    GameOptions o;
    o.Pictures["sys_qbtn"] = Sheet();
    o.Settings["Seen"] = "0";
    o.Settings["WINTYPE"] = window_type;
    return o;
}

struct Game : TestGame {
    explicit Game(const std::string& main, GameOptions o = BarGame())
        : TestGame({{"main", main}}, o) {
        RunUntil([&] { return State().Shell.WaitKind != 0; });
    }
    int Look(int button) { return State().Vars.S[59 + button]; }
};

constexpr char kPages[] = "!S000=0\nA\n\\\nB\n\\\nC\n\\\nD\n\\\n*sleep 60000\n";

TEST(QuickButtons, HoverLightsTheButtonAndLeavingPutsItBack) {
    Game g(kPages);
    Pixel before = At(g.State().DisplaySurface, kCentre[6].x, kCentre[6].y);
    g.MouseMove(kCentre[6].x, kCentre[6].y);
    EXPECT_EQ(g.Look(6), 2);
    EXPECT_EQ(At(g.State().DisplaySurface, kCentre[6].x, kCentre[6].y), (Pixel{60, 0, 200}));
    EXPECT_EQ(At(g.State().DrawingArea, kCentre[6].x, kCentre[6].y), (Pixel{60, 0, 200}));
    g.MouseMove(kNowhere.x, kNowhere.y);
    EXPECT_EQ(g.Look(6), 0);
    EXPECT_EQ(At(g.State().DrawingArea, kCentre[6].x, kCentre[6].y), before);
    // The voice button takes a click even with no voice yet; leaving it afterwards unlights it.
    g.MouseMove(kCentre[7].x, kCentre[7].y);
    g.MouseDown(kCentre[7].x, kCentre[7].y);
    EXPECT_EQ(g.State().Shell.WaitKind, 1);
    g.MouseMove(kNowhere.x, kNowhere.y);
    EXPECT_EQ(g.Look(7), 0);
}

TEST(QuickButtons, ASecondClickOnALatchedButtonSwitchesItOff) {
    struct Case {
        int button;
        int look_var;
    };
    for (Case c : {Case{1, 60}, Case{2, 61}}) {
        SCOPED_TRACE(c.button);
        Game g(kPages);
        Point p = kCentre[c.button];
        g.MouseMove(p.x, p.y);
        g.MouseDown(p.x, p.y);
        bool on = c.button == 1 ? g.State().Shell.SkipState != 0 : g.State().AutoDelay() != 0;
        EXPECT_TRUE(on);
        EXPECT_EQ(g.State().Vars.S[c.look_var], 1);
        EXPECT_EQ(g.State().Shell.WaitKind, 1) << "the button took the click, not the page";
        g.MouseDown(p.x, p.y);
        EXPECT_EQ(g.State().Shell.SkipState, 0);
        EXPECT_EQ(g.State().AutoDelay(), 0);
        EXPECT_EQ(g.State().Vars.S[c.look_var], 0);
    }
}

TEST(QuickButtons, RestrictionsOfS000AndOfAReplayedScene) {
    struct Case {
        int s000;
        bool replay;
        int save_look, load_look, log_look;
    };
    const Case cases[] = {
        {0, false, 2, 2, 2}, {1, false, 0, 2, 2}, {2, false, 0, 0, 2},
        {3, false, 0, 0, 0}, {3, true, 0, 0, 2},  {0, true, 0, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "S000=" << c.s000 << " replay=" << c.replay);
        Game g(kPages);
        g.State().Vars.S[0] = c.s000;
        g.State().Shell.ReplayActive = c.replay;
        int looks[3];
        for (int b : {4, 5, 6}) {
            g.MouseMove(kCentre[b].x, kCentre[b].y);
            looks[b - 4] = g.Look(b);
            g.MouseMove(kNowhere.x, kNowhere.y);
        }
        EXPECT_EQ(looks[0], c.save_look);
        EXPECT_EQ(looks[1], c.load_look);
        EXPECT_EQ(looks[2], c.log_look);
    }
}

TEST(QuickButtons, WithS000TwoQuickSaveAndLoadAreEmptySpace) {
    Game g(kPages);
    g.State().Vars.S[0] = 2;
    g.MouseDown(kCentre[4].x, kCentre[4].y);  // as over empty space: the page goes on
    EXPECT_FALSE(std::filesystem::exists(g.Folder() / "save" / "save99.dat"));
    g.RunFor(600);
    g.MouseDown(kCentre[5].x, kCentre[5].y);
    EXPECT_EQ(g.State().Shell.ConfirmKind, 0);
    g.Steps(3);
    EXPECT_NE(g.Transcript().find("C"), std::string::npos) << g.Transcript();

    g.State().Vars.S[0] = 0;
    g.MouseDown(kCentre[4].x, kCentre[4].y);
    EXPECT_TRUE(std::filesystem::exists(g.Folder() / "save" / "save99.dat"));
    g.RunFor(3000);  // the banner
    g.MouseDown(kCentre[5].x, kCentre[5].y);
    EXPECT_EQ(g.State().Shell.ConfirmKind, 1);
}

TEST(QuickButtons, ARememberedLevelOutOfRangeBecomesThreeAndFillsTheGauge) {
    for (int remembered : {0, 11}) {
        SCOPED_TRACE(remembered);
        Game g(kPages);
        g.State().Vars.S[27] = remembered;
        g.MouseMove(kCentre[2].x, kCentre[2].y);
        g.MouseDown(kCentre[2].x, kCentre[2].y);
        EXPECT_EQ(g.State().AutoDelay(), 3);
        // Level 3 fills 80 of the gauge's 100 pixels.
        const Surface& shown = g.State().DrawingArea;
        EXPECT_EQ(At(shown, 10 + 671 + 79, 400 + 10), (Pixel{255, 255, 255}));
        EXPECT_EQ(At(shown, 10 + 671 + 80, 400 + 10), (Pixel{90, 90, 90}));
    }
}

TEST(QuickButtons, ReadMarksSteerSkippingWhenSeenIsOn) {
    const char* script =
        "!S000=0\n*mark 5\nA\n\\\n*go second\n:second\n*mark 5\nB\n\\\n*mark 6\nC\n\\\nD\n\\\n"
        "*sleep 60000\n";
    for (bool seen : {true, false}) {
        SCOPED_TRACE(seen);
        GameOptions o = BarGame();
        o.Settings["Seen"] = seen ? "1" : "0";
        Game g(script, o);
        EXPECT_FALSE(g.State().Saves.PassageRead);
        g.Key(vk::kShift, true);
        g.RunUntil([&] { return g.Transcript().find("C") != std::string::npos; });
        EXPECT_NE(g.Transcript().find("B"), std::string::npos);
        g.RunFor(2000);
        // mark 5 again counted as read and skipping went on; mark 6 is new and stops it.
        EXPECT_EQ(g.State().Shell.SkipState != 0, !seen);
        EXPECT_FALSE(g.State().Saves.PassageRead);
        EXPECT_EQ(g.Transcript().find("D") != std::string::npos, !seen) << g.Transcript();
    }
}

TEST(QuickButtons, SkipDoesNotLightOverUnreadTextWithSeenOn) {
    GameOptions o = BarGame();
    o.Settings["Seen"] = "1";
    Game g("!S000=0\n*mark 9\nA\n\\\n", o);
    g.MouseMove(kCentre[1].x, kCentre[1].y);
    EXPECT_EQ(g.Look(1), 0);
}

TEST(QuickButtons, TheTintedStyleHasNoBar) {
    Game g(kPages, BarGame("0"));
    for (int b = 1; b <= 7; ++b) {
        // The tinted window starts at (0, 400): the same offsets land on its text.
        g.MouseMove(kCentre[b].x - 10, kCentre[b].y);
        EXPECT_EQ(g.Look(b), 0) << b;
    }
    g.MouseDown(kCentre[4].x - 10, kCentre[4].y);
    EXPECT_FALSE(std::filesystem::exists(g.Folder() / "save" / "save99.dat"));
    g.Steps(3);
    EXPECT_NE(g.Transcript().find("B"), std::string::npos) << "the click ended the wait";
}

}  // namespace
}  // namespace vespin
