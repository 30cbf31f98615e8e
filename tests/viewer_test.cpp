// The graphics viewer through the headless host: what a page draws (plates, thumbnails, the
// completion digits), the pointer's highlights, the clicks of the four page kinds, the scene
// replay and its return, and definitions that ask for more than the viewer holds.

#include <gtest/gtest.h>

#include <string>

#include "core/shell/engine_state.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::Pixel;

Surface Solid(int w, int h, uint8_t red) {
    Surface s(w, h);
    s.Fill(0, 0, red);
    return s;
}

// Digit d is red 10 + 20 d over a mask that takes it whole.
Surface DigitSheet() {
    Surface s(320, 48);
    for (int d = 0; d < 10; ++d) {
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 32; ++x) {
                uint8_t* p = s.Row(y) + 3 * (32 * d + x);
                p[2] = static_cast<uint8_t>(10 + 20 * d);
                uint8_t* m = s.Row(24 + y) + 3 * (32 * d + x);
                m[0] = m[1] = m[2] = 255;
            }
        }
    }
    return s;
}

constexpr Pixel kBase{0, 0, 1}, kHover{0, 0, 2}, kThumb{0, 0, 3}, kPlate{0, 0, 4};
constexpr Pixel kOtherBase{0, 0, 5};
Pixel Digit(int d) {
    return Pixel{0, 0, 10 + 20 * d};
}

const char* kLinks = ":VIEW_0\n{\nM1:700,0,750,20\nM2:750,0,800,20\nM9:0,0,800,600\n}\n";

// A page of `type` with three items at x = 0, 100, 200 (50 x 50) and NEXT, PREV, EXIT boxes.
std::string Header(int type, int sets, const std::string& extra = "") {
    return "{\nTYPE:" + std::to_string(type) +
           "\nGRA:base,hover,thumbs\nPLATE:plate\nSET:" + std::to_string(sets) +
           "\nTHM_SIZE:50,50\nNEXT:0,300,50,350\nPREV:100,300,150,350\nEXIT:200,300,250,350\n"
           "1:0,0\n2:100,0\n3:200,0\n" +
           extra + "}\n";
}

struct Game : test::TestGame {
    explicit Game(const std::string& view, const std::string& main = "*viewer VIEW_1\nafter\n\\\n")
        : TestGame({{"main", main}, {"view", view}, {"scene", kScene}}, Options()) {}
    static constexpr const char* kScene = "*end\n:second\nreplayed\n\\\n*exit\n:ends\n*end\n";
    static test::GameOptions Options() {
        test::GameOptions o = test::WholeLines();
        o.Pictures["base"] = Solid(800, 600, 1);
        o.Pictures["hover"] = Solid(800, 600, 2);
        o.Pictures["thumbs"] = Solid(800, 600, 3);
        o.Pictures["plate"] = Solid(50, 50, 4);
        o.Pictures["other"] = Solid(800, 600, 5);
        o.Pictures["sys_vwnum"] = DigitSheet();
        for (int i = 1; i <= 4; ++i)
            o.Pictures["A0" + std::to_string(i)] = Solid(800, 600, static_cast<uint8_t>(100 + i));
        return o;
    }
    ViewerState& V() { return State().Viewer; }
    bool Open() {
        return RunUntil([&] { return State().Shell.MainMode == kModeViewer; }, 2000);
    }
    Pixel Screen(int x, int y) { return At(Host().DrawingArea(), x, y); }
    void ClickAt(int x, int y, MouseButton b = MouseButton::Left) {
        MouseMove(x, y);
        MouseDown(x, y, b);
        Steps(1);
    }
};

TEST(Viewer, ItemsDrawByTheirStateAndThePercentageByItsDigits) {
    struct Case {
        const char* items;  // the set block's item lines; A01..A04 seen as `seen` says
        std::vector<int> seen;
        Pixel item1, hundreds, tens, units;
    } cases[] = {
        // 1 of 20 names seen: 5 %, the units digit alone.
        {"1:A01,B1,B2,B3,B4,B5,B6,B7,B8,B9\n2:C0,C1,C2,C3,C4,C5,C6,C7,C8,C9\n",
         {0},
         Pixel{0, 0, 1},
         kBase,
         kBase,
         Digit(5)},
        // everything seen: the thumbnail, and 100 in three digits.
        {"1:A01,A02\n", {0, 1}, kThumb, Digit(1), Digit(0), Digit(0)},
        // nothing seen: the plate, 0 %.
        {"1:A01,A02\n", {}, kPlate, kBase, kBase, Digit(0)},
        // no names at all: nothing to see counts as complete, and the empty item stays locked.
        {"1:\n", {}, kPlate, Digit(1), Digit(0), Digit(0)},
        // 1 of 2: 50 %.
        {"1:A01,A02\n", {1}, kBase, kBase, Digit(5), Digit(0)},
    };
    for (const Case& c : cases) {
        Game g(std::string(kLinks) + ":VIEW_1\n" + Header(0, 1) + "{\n" + c.items + "}\n");
        for (int bit : c.seen)
            g.V().CgSeenBits.Set(bit, true);
        ASSERT_TRUE(g.Open()) << c.items;
        EXPECT_EQ(g.Screen(10, 10), c.item1) << c.items;
        EXPECT_EQ(g.Screen(600, 540), c.hundreds) << c.items;
        EXPECT_EQ(g.Screen(635, 540), c.tens) << c.items;
        EXPECT_EQ(g.Screen(670, 540), c.units) << c.items;
        EXPECT_EQ(g.State().Vars.S[0], 2) << c.items;
    }
}

TEST(Viewer, NextAndPrevLightOnlyWithMoreThanOneSetAndWrapAround) {
    for (int sets : {1, 2}) {
        std::string view = std::string(kLinks) + ":VIEW_1\n" + Header(0, sets) +
                           "{\n1:A01\n}\n{\nGRA:other,hover,thumbs\n1:A02\n}\n";
        Game g(view);
        ASSERT_TRUE(g.Open());
        g.MouseMove(10, 310);  // NEXT
        EXPECT_EQ(g.Screen(10, 310), sets == 1 ? kBase : kHover) << sets;
        g.MouseMove(210, 310);  // EXIT always lights
        EXPECT_EQ(g.Screen(210, 310), kHover) << sets;
        g.ClickAt(10, 310);
        EXPECT_EQ(g.V().CurrentSet, sets == 1 ? 0 : 1);
        g.ClickAt(110, 310);  // PREV from the first set wraps to the last
        g.ClickAt(110, 310);
        EXPECT_EQ(g.V().CurrentSet, sets == 1 ? 0 : 1);
        EXPECT_EQ(g.Screen(400, 400), sets == 1 ? kBase : kOtherBase);
    }
}

TEST(Viewer, TheHighlightFadesAfterThePointerLeaves) {
    Game g(std::string(kLinks) + ":VIEW_1\n" + Header(0, 1) + "{\n1:A01\n}\n");
    g.V().CgSeenBits.Set(0, true);
    ASSERT_TRUE(g.Open());
    g.MouseMove(10, 10);
    EXPECT_EQ(g.Screen(10, 10), kHover);
    g.Steps(3);
    EXPECT_EQ(g.Screen(10, 10), kHover);  // held while pointed at
    g.MouseMove(400, 400);
    g.Steps(20);
    EXPECT_EQ(g.V().Hover[1], 0);
    EXPECT_EQ(g.Screen(10, 10), kThumb);
}

TEST(Viewer, APartlySeenItemShowsOnlyItsSeenVariantsInTurn) {
    Game g(std::string(kLinks) + ":VIEW_1\n" + Header(0, 1) + "{\n1:A01,A02,A03,A04\n}\n");
    g.V().CgSeenBits.Set(1, true);
    g.V().CgSeenBits.Set(3, true);
    ASSERT_TRUE(g.Open());
    const int expected[] = {102, 104, 102, 104};
    g.ClickAt(10, 10);
    EXPECT_EQ(g.Screen(400, 400).r, expected[0]);
    for (int i = 1; i < 4; ++i) {
        g.ClickAt(10, 10);
        EXPECT_EQ(g.Screen(400, 400).r, expected[i]) << i;
    }
    g.ClickAt(10, 10, MouseButton::Middle);
    EXPECT_FALSE(g.V().FullView);
    EXPECT_EQ(g.Screen(400, 400), kBase);
}

TEST(Viewer, ExitSetsS000ToOneButTheMusicPlayersExitLeavesTwo) {
    struct Case {
        int type;
        int s000;
    } cases[] = {{0, 1}, {1, 1}, {2, 1}, {3, 2}};
    for (const Case& c : cases) {
        Game g(std::string(kLinks) + ":VIEW_1\n" + Header(c.type, 1) + "{\n}\n");
        ASSERT_TRUE(g.Open());
        g.ClickAt(210, 310);
        EXPECT_EQ(g.State().Shell.MainMode, kModeScript) << c.type;
        EXPECT_EQ(g.State().Vars.S[0], c.s000) << c.type;
        g.Steps(3);
        EXPECT_NE(g.Transcript().find("after"), std::string::npos) << c.type;
    }
}

TEST(Viewer, TheMusicPlayerPlaysTheLastTrackAgainAndStops) {
    Game g(std::string(kLinks) + ":VIEW_1\n" + Header(3, 0));
    ASSERT_TRUE(g.Open());
    g.ClickAt(110, 10);  // item 2 (every item of a player is playable)
    EXPECT_EQ(g.State().Vars.S[3], 2);
    g.ClickAt(110, 310);  // PREV stops
    EXPECT_EQ(g.State().Vars.S[3], 0);
    g.ClickAt(10, 310);  // NEXT plays the last track again
    EXPECT_EQ(g.State().Vars.S[3], 2);
    EXPECT_EQ(g.V().CurrentTrack, 2);
}

TEST(Viewer, ASetBlockWithoutGraKeepsTheTripleItsSlotHadBefore) {
    std::string view = std::string(kLinks) + ":VIEW_1\n" + Header(0, 2) +
                       "{\n}\n{\nGRA:other,hover,thumbs\n}\n:VIEW_2\n" + Header(0, 2) +
                       "{\n}\n{\n}\n";
    Game g(view, "*viewer VIEW_1\n*viewer VIEW_2\n");
    ASSERT_TRUE(g.Open());
    g.ClickAt(760, 10);  // link M2 to VIEW_2, which names no triple for its second set
    EXPECT_EQ(g.V().PageName, "VIEW_2");
    g.ClickAt(10, 310);
    EXPECT_EQ(g.V().CurrentSet, 1);
    EXPECT_EQ(g.Screen(400, 400), kOtherBase);
}

TEST(Viewer, DefinitionsBeyondTheViewersTablesAreHeldToThem) {
    struct Case {
        const char* name;
        std::string view;
        bool opens;
        int sets;
    } cases[] = {
        {"no VIEW_0", ":VIEW_1\n" + Header(0, 1), false, 0},
        {"no page", std::string(kLinks), false, 0},
        {"99 sets", std::string(kLinks) + ":VIEW_1\n" + Header(0, 99), true, 10},
        {"negative sets", std::string(kLinks) + ":VIEW_1\n" + Header(0, -3), true, 0},
        {"items 0, 31 and 999, tab 9",
         std::string(kLinks) + ":VIEW_1\n" + Header(0, 1, "0:5,5\n31:5,5\nP9:300,300,350,350\n") +
             "{\n0:A01\n31:A02\n999:A03\n1:A04\n}\n",
         true, 1},
        {"type 7", std::string(kLinks) + ":VIEW_1\n" + Header(7, 1) + "{\n1:A01\n}\n", true, 1},
        {"numbers beyond int",
         std::string(kLinks) + ":VIEW_1\n" +
             Header(0, 1,
                    "THM_SIZE:99999999999,2147483647\n1:2147483647,-2147483648\n"
                    "NEXT:-2147483648,-9,2147483647,99999999999\n") +
             "{\n1:A04\n}\n",
         true, 1},
    };
    for (const Case& c : cases) {
        Game g(c.view);
        g.V().CgSeenBits.Set(3, true);
        EXPECT_EQ(g.Open(), c.opens) << c.name;
        if (!c.opens) {
            EXPECT_NE(g.Transcript().find("after"), std::string::npos) << c.name;
            continue;
        }
        EXPECT_EQ(g.V().Page.SetCount, c.sets) << c.name;
        for (int x : {10, 110, 310})  // clicks over NEXT, PREV and tab 9 never leave the table
            g.ClickAt(x, 310);
        g.ClickAt(10, 10);
        EXPECT_LT(g.V().CurrentSet, 10) << c.name;
    }
    // Names of an item number outside 1..30 still take their seen bit: A04 is the fourth.
    Game g(cases[4].view);
    g.V().CgSeenBits.Set(3, true);
    ASSERT_TRUE(g.Open());
    EXPECT_EQ(g.V().Page.Sets[0].Items[1].State, kItemComplete);
}

TEST(Viewer, ALinkToAMissingPageKeepsTheCurrentOne) {
    Game g(std::string(kLinks) + ":VIEW_1\n" + Header(0, 1) + "{\n}\n");
    ASSERT_TRUE(g.Open());
    g.ClickAt(760, 10);
    EXPECT_EQ(g.State().Shell.MainMode, kModeViewer);
    EXPECT_EQ(g.V().PageName, "VIEW_1");
}

TEST(Viewer, StartUpListsTheGalleryNamesOfViewOne) {
    Game g(
        std::string(kLinks) + ":VIEW_1\n" + Header(0, 2) + "{\n1:a01,A02\n3:A03\n}\n{\n2:A04\n}\n",
        "*gra A03\n");
    EXPECT_EQ(g.V().PictureList, (std::vector<std::string>{"A01", "A02", "A03", "A04"}));
    EXPECT_EQ(g.State().Vars.S[88], 4);
    g.Steps(3);
    EXPECT_TRUE(g.V().CgSeenBits.Test(2));
    EXPECT_FALSE(g.V().CgSeenBits.Test(0));
}

// The scene list: flag 5 opens item 1 (scene:second); item 2 names a script that is missing.
std::string SceneList() {
    return std::string(kLinks) + ":VIEW_1\n" + Header(1, 1) +
           "{\n1:5,scene:second\n2:5,nothing\n3:5,scene:ends\n}\n";
}

TEST(Viewer, AReplayedSceneComesBackToTheViewerWhereverItEnds) {
    struct Case {
        const char* how;
        int item;
    } cases[] = {{"exit", 1}, {"menu", 1}, {"end at depth 0", 3}};
    for (const Case& c : cases) {
        Game g(SceneList(), "!E005=1\n*mode 1\n!S004=3\n*viewer VIEW_1\nafter\n\\\n");
        ASSERT_TRUE(g.Open());
        int x = 10 + 100 * (c.item - 1);
        g.MouseMove(x, 10);
        g.MouseDown(x, 10);
        EXPECT_TRUE(g.State().Shell.ReplayActive) << c.how;
        EXPECT_TRUE(g.State().Toolbar.MenuRecollectionEndVisible) << c.how;
        EXPECT_EQ(g.State().Shell.MainMode, kModeScript) << c.how;
        if (c.item == 1) {
            ASSERT_TRUE(g.RunUntil([&] { return g.State().Shell.WaitKind != 0; }, 2000));
            EXPECT_NE(g.Transcript().find("replayed"), std::string::npos);
            if (std::string(c.how) == "menu")
                g.Command(UiCommand::MenuN2);
            else
                g.Click();
        }
        ASSERT_TRUE(g.Open()) << c.how;
        const EngineState& e = g.State();
        EXPECT_FALSE(e.Shell.ReplayActive) << c.how;
        EXPECT_EQ(e.Shell.ReplayOrigin, ReplayScreen::None) << c.how;
        EXPECT_FALSE(e.Toolbar.MenuRecollectionEndVisible) << c.how;
        EXPECT_EQ(e.Vars.S[150], 0) << c.how;
        EXPECT_EQ(e.Vars.S[4], 0) << c.how;
        EXPECT_EQ(e.Script.CurrentScriptName.View(), "main") << c.how;
        EXPECT_EQ(g.Screen(400, 400), kBase) << c.how;
        g.ClickAt(210, 310);  // EXIT: the script goes on after its `viewer` line
        g.Steps(3);
        EXPECT_NE(g.Transcript().find("after"), std::string::npos) << c.how;
    }
}

TEST(Viewer, ASceneWhoseScriptIsMissingOrLockedKeepsTheViewer) {
    Game g(SceneList(), "*viewer VIEW_1\nafter\n\\\n");
    ASSERT_TRUE(g.Open());
    g.ClickAt(10, 10);  // locked: E005 is clear
    EXPECT_FALSE(g.State().Shell.ReplayActive);
    Game h(SceneList(), "!E005=1\n*viewer VIEW_1\nafter\n\\\n");
    ASSERT_TRUE(h.Open());
    h.ClickAt(110, 10);  // "nothing" does not exist
    EXPECT_FALSE(h.State().Shell.ReplayActive);
    EXPECT_EQ(h.State().Shell.MainMode, kModeViewer);
}

}  // namespace
}  // namespace vespin
