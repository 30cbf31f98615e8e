// Scene effects on the headless host: the shake's path and its return, the scroll's pan and its
// click, the staff roll's length, the object layer's drawing and erasing, and the presentation
// mode's steps.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/effects/objects.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;
using test::WholeLines;

// Every row of a different colour, so a view's rows say where it was taken.
Surface RowPicture(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = s.Row(y) + x * 3;
            p[0] = static_cast<uint8_t>(y & 0xFF), p[1] = static_cast<uint8_t>(y >> 8);
            p[2] = static_cast<uint8_t>(x & 0x7F);
        }
    }
    return s;
}

int RowAt(const Surface& s, int x, int y) {
    const uint8_t* p = s.Row(y) + x * 3;
    return p[0] | p[1] << 8;
}

bool SameBytes(const Surface& a, const Surface& b) {
    return a.SizeBytes() == b.SizeBytes() && std::memcmp(a.Data(), b.Data(), a.SizeBytes()) == 0;
}

// Runs until the line "A" after the effect is typed; returns the virtual time it took.
uint32_t RunToMarker(TestGame& g) {
    uint32_t start = g.Host().NowMs();
    EXPECT_TRUE(g.RunUntil([&] { return g.Transcript().find('A') != std::string::npos; }));
    return g.Host().NowMs() - start;
}

TEST(Shake, MovesByFallingAmplitudeAndReturns) {
    struct Case {
        const char* line;
        std::vector<std::pair<int, int>> shifts;  // before the final (0, 0)
    };
    const Case cases[] = {
        {"*shake 0,20,50",
         {{0, -20},
          {0, 18},
          {0, -16},
          {0, 14},
          {0, -12},
          {0, 10},
          {0, -8},
          {0, 6},
          {0, -4},
          {0, 2}}},
        {"*shake 1,6,30", {{6, 0}, {-4, 0}, {2, 0}}},
        {"*shake 1",
         {{-20, 0},
          {18, 0},
          {-16, 0},
          {14, 0},
          {-12, 0},
          {10, 0},
          {-8, 0},
          {6, 0},
          {-4, 0},
          {2, 0}}},
        {"*shake 7,20,50", {}},  // an unknown mode keeps still
        {"*shake 0,0,50", {}},
    };
    for (const Case& c : cases) {
        TestGame g({{"main", std::string(c.line) + "\nA\n"}}, WholeLines());
        RunToMarker(g);
        const auto& got = g.Host().WindowShifts();
        ASSERT_EQ(got.size(), c.shifts.size() + 1) << c.line;
        for (size_t i = 0; i < c.shifts.size(); ++i) {
            EXPECT_EQ(std::make_pair(got[i].Dx, got[i].Dy), c.shifts[i]) << c.line << " #" << i;
        }
        EXPECT_EQ(got.back().Dx, 0) << c.line;
        EXPECT_EQ(got.back().Dy, 0) << c.line;
    }
}

TEST(Shake, StepsArriveEveryPeriodAndRandomModeUsesTheEightDirections) {
    TestGame g({{"main", "*shake 0,20,50\n*shake 2,10,40\nA\n"}}, WholeLines());
    RunToMarker(g);
    const auto& got = g.Host().WindowShifts();
    ASSERT_EQ(got.size(), 11u + 6u);
    for (size_t i = 1; i <= 10; ++i)
        EXPECT_EQ(got[i].TimeMs - got[i - 1].TimeMs, 50u) << i;
    for (size_t i = 11; i < 16; ++i) {
        int a = 10 - 2 * static_cast<int>(i - 11);
        EXPECT_TRUE(std::abs(got[i].Dx) == a || got[i].Dx == 0) << i;
        EXPECT_TRUE(std::abs(got[i].Dy) == a || got[i].Dy == 0) << i;
        EXPECT_FALSE(got[i].Dx == 0 && got[i].Dy == 0) << i;
    }
    EXPECT_EQ(got.back().Dx, 0);
    EXPECT_EQ(got.back().Dy, 0);
}

GameOptions TallPicture(int w, int h, std::string events = "") {
    GameOptions o = WholeLines();
    o.Pictures["TALL"] = RowPicture(w, h);
    o.Events = std::move(events);
    return o;
}

TEST(Scroll, PansDownOverTheWholePictureInItsTime) {
    TestGame g({{"main", "*scroll TALL,2,10,0\nA\n"}}, TallPicture(800, 1200));
    uint32_t took = RunToMarker(g);
    EXPECT_GE(took, 6000u);
    EXPECT_LT(took, 6200u);
    EngineState& e = g.State();
    EXPECT_EQ(RowAt(e.DisplaySurface, 10, 0), 600);
    EXPECT_EQ(RowAt(e.DisplaySurface, 10, 599), 1199);
    EXPECT_EQ(RowAt(g.Host().DrawingArea(), 10, 0), 600);
    EXPECT_EQ(e.Shell.MainMode, kModeScript);
    EXPECT_FALSE(e.Shell.EngineBusy);
}

TEST(Scroll, AClickEndsAtTheFinalView) {
    TestGame g({{"main", "*scroll TALL,2,10,0\nA\n"}},
               TallPicture(800, 1200, "3000 click 400 300 left\n"));
    uint32_t took = RunToMarker(g);
    EXPECT_LT(took, 3200u);
    EXPECT_EQ(RowAt(g.Host().DrawingArea(), 10, 0), 600);
    EXPECT_EQ(g.State().Shell.InterruptRequest, 0);
}

TEST(Scroll, EachDirectionStartsAndEndsWhereItShould) {
    struct Case {
        const char* line;
        int w, h;
        int first_row, first_x;  // of the view's top-left pixel at the end
    };
    const Case cases[] = {
        {"*scroll TALL,0,1,0", 800, 700, 0, 0},       // up from the bottom
        {"*scroll TALL,1,1,0", 900, 600, 0, 100},     // right
        {"*scroll TALL,3,1,0", 900, 600, 0, 0},       // left from the right
        {"*scroll TALL,2,1,0", 640, 480, 0, 0},       // smaller than the screen: still
        {"*scroll TALL,9,1,0", 800, 1200, 0, 0},      // no such direction: still at (0, 0)
        {"*scroll NOTHERE,2,1,0", 800, 1200, -1, 0},  // missing: nothing happens
    };
    for (const Case& c : cases) {
        TestGame g({{"main", std::string(c.line) + "\nA\n"}}, TallPicture(c.w, c.h));
        RunToMarker(g);
        const Surface& d = g.State().DisplaySurface;
        if (c.first_row < 0) {
            EXPECT_EQ(RowAt(d, 0, 0), 0) << c.line;  // still the black start-up frame
            EXPECT_EQ(d.Row(0)[2], 0) << c.line;
            continue;
        }
        EXPECT_EQ(RowAt(d, 0, 0), c.first_row) << c.line;
        EXPECT_EQ(d.Row(0)[2], c.first_x & 0x7F) << c.line;
        if (c.w < kScreenWidth) {
            EXPECT_EQ(d.Row(0)[(kScreenWidth - 1) * 3], 0) << c.line;
        }
    }
}

std::string StaffLines(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "Staff " + std::to_string(i) + "\n";
    return s + "}\nnot a line\n";
}

TEST(StaffRoll, ThirtyLinesScroll480PixelsAndAClickEndsItOnlyAfterTheGameIsCleared) {
    struct Case {
        bool cleared;
        std::string events;
        uint32_t least, most;
    };
    const Case cases[] = {
        {false, "", 480 * 30, 480 * 30 + 200},
        {false, "3000 click 400 300 left\n", 480 * 30, 480 * 30 + 200},
        {true, "3000 click 400 300 left\n", 2900, 3200},
        // Closing asks; even a "no" ends the roll, which the question has cut into.
        {false, "2900 answer cancel\n3000 close\n", 2900, 3200},
    };
    for (const Case& c : cases) {
        GameOptions o = WholeLines();
        o.Events = c.events;
        std::string main = c.cleared ? "!E999=1\n*sroll\nA\n" : "*sroll\nA\n";
        TestGame g({{"main", main}, {"sroll", StaffLines(30)}}, o);
        uint32_t took = RunToMarker(g);
        EXPECT_GE(took, c.least) << c.events;
        EXPECT_LE(took, c.most) << c.events;
        EXPECT_EQ(g.State().Shell.MainMode, kModeScript);
        EXPECT_FALSE(g.State().Shell.WindowClosed);
    }
}

TEST(StaffRoll, TheLastViewShowsTheLastLinesAndBlackBelowThem) {
    TestGame g({{"main", "*sroll\n*sleep 30000\n"}, {"sroll", StaffLines(30)}}, WholeLines());
    g.RunFor(480 * 30 + 1000);
    const Surface& area = g.Host().DrawingArea();
    // Line 29 sits at row 696 of the column, shown at 20 + 696 - 480; nothing below row 720.
    auto lit = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 270; x < 690; ++x)
                if (area.Row(y)[x * 3] != 0) return true;
        }
        return false;
    };
    EXPECT_TRUE(lit(236, 260));
    EXPECT_FALSE(lit(260, 580));
    EXPECT_FALSE(lit(0, 20));
}

// An engine showing a patterned background, with a 40 x 30 object in slot 1 whose mask is
// opaque on its left half and clear on its right half.
class ObjectLayer : public ::testing::Test {
  protected:
    static GameOptions Options() {
        GameOptions o = WholeLines();
        o.Pictures["A01"] = RowPicture(800, 600);
        Surface obj(40, 60);
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 40; ++x) {
                uint8_t* p = obj.Row(y) + x * 3;
                uint8_t v = y < 30 ? 200 : (x < 20 ? 255 : 0);
                p[0] = p[1] = p[2] = v;
            }
        }
        o.Pictures["OBJ"] = obj;
        return o;
    }
    ObjectLayer() : g({{"main", "*gra A01 0\n*obj_load 1,OBJ\nA\n"}}, Options()), e(g.State()) {
        RunToMarker(g);
        before = Area();
    }
    const Surface& Area() { return g.Host().DrawingArea(); }
    TestGame g;
    EngineState& e;
    Surface before;
};

TEST_F(ObjectLayer, SetThenEraseRestoresTheScreenByteForByte) {
    ObjectCommand(e, "set 1,100,50");
    EXPECT_FALSE(SameBytes(Area(), before));
    EXPECT_EQ(Area().Row(60)[110 * 3], 200);                    // opaque half: the object
    EXPECT_EQ(RowAt(Area(), 130, 60), RowAt(before, 130, 60));  // clear half: the scene
    ObjectCommand(e, "ERA 1,100,50");
    EXPECT_TRUE(SameBytes(Area(), before));
}

TEST_F(ObjectLayer, FixKeepsTheObjectThroughARepaint) {
    ObjectCommand(e, "fix 1,100,50");
    Surface drawn = Area();
    OnRepaint(e);
    EXPECT_TRUE(SameBytes(Area(), drawn));
    ObjectCommand(e, "set 1,300,50");
    OnRepaint(e);
    EXPECT_EQ(Area().Row(60)[310 * 3], before.Row(60)[310 * 3]);  // `set` does not stay
}

TEST_F(ObjectLayer, BadSlotsPositionsAndMissingBatchDrawNothingOutside) {
    const char* nothing[] = {"set 32,10,10", "set -1,10,10", "set 2,10,10", "fix 40,0,0",
                             "b_set 1,0,0",  "b_show",       "era 2,0,0",   "unknown 1,2,3",
                             "del 99",       "load 32,OBJ"};
    for (const char* c : nothing) {
        ObjectCommand(e, c);
        EXPECT_TRUE(SameBytes(Area(), before)) << c;
    }
    // Half off every edge: clipped, no write outside.
    for (const char* c : {"set 1,780,590", "set 1,-30,-20", "fix 1,-2147483648,2147483647"})
        ObjectCommand(e, c);
    EXPECT_EQ(Area().Row(599)[781 * 3], 200);
    ObjectCommand(e, "load 3,MISSING");
    ObjectCommand(e, "del 1");
    Surface now = Area();
    ObjectCommand(e, "set 3,0,0");
    ObjectCommand(e, "set 1,0,0");
    EXPECT_TRUE(SameBytes(Area(), now));
}

TEST_F(ObjectLayer, ABatchDrawsOffScreenAndShowsAtOnce) {
    ObjectCommand(e, "b_make");
    ObjectCommand(e, "b_reset");
    ObjectCommand(e, "b_set 1,100,50");
    ObjectCommand(e, "b_set 1,V001+200,50");
    EXPECT_TRUE(SameBytes(Area(), before));
    ObjectCommand(e, "b_show");
    Surface batched = Area();
    OnRepaint(e);
    ObjectCommand(e, "set 1,100,50");
    ObjectCommand(e, "set 1,200,50");
    EXPECT_TRUE(SameBytes(Area(), batched));
    ObjectCommand(e, "b_end");
    OnRepaint(e);
    ObjectCommand(e, "b_show");
    EXPECT_TRUE(SameBytes(Area(), before));
}

// A presentation page called from main; "B" is typed once it has returned.
std::string PresentationPage(const std::string& body) {
    return ";a page\n*type 4\n*pos 100,100\n" + body;
}

bool TextShown(const Surface& area) {
    for (int y = 100; y < 300; ++y) {
        for (int x = 100; x < 400; ++x)
            if (area.Row(y)[x * 3 + 1] > 200) return true;
    }
    return false;
}

TEST(Presentation, PutShowsTheTextAndAClickReturnsToTheCaller) {
    GameOptions o = WholeLines();
    TestGame g({{"main", "*present PAGE\nB\n"},
                {"page", PresentationPage("Hello\n*put\n*click\nnever\n")}},
               o);
    g.RunUntil([&] { return g.State().Shell.MainMode == kModeRoll; });
    g.RunFor(3000);
    EXPECT_EQ(g.State().Shell.MainMode, kModeRoll);
    EXPECT_TRUE(TextShown(g.Host().DrawingArea()));
    EXPECT_EQ(g.Transcript().find('B'), std::string::npos);
    g.Click();
    g.RunFor(500);
    EXPECT_EQ(g.State().Shell.MainMode, kModeScript);
    EXPECT_NE(g.Transcript().find('B'), std::string::npos);
    EXPECT_EQ(g.Transcript().find("never"), std::string::npos);
    EXPECT_TRUE(g.State().Effects.Presentation.Text.Empty());
}

TEST(Presentation, EndGoesOnInTheCalledScriptAndCommandsSetTheirValues) {
    TestGame g({{"main", "*present PAGE\nB\n"},
                {"page", PresentationPage("*dark 8\n*wait 10\n*sepia\n*bogus\n*end\nC\n")}},
               WholeLines());
    g.RunUntil([&] { return g.State().Shell.MainMode == kModeRoll; });
    g.RunFor(200);
    EXPECT_EQ(g.State().Vars.S[11], 1);
    EXPECT_EQ(g.State().Vars.S[13], 8);
    g.RunFor(1000);  // the pause of 1 s has run out
    ASSERT_TRUE(g.RunUntil([&] { return g.Transcript().find('C') != std::string::npos; }, 2000));
    EXPECT_EQ(g.State().Vars.S[11], 0);
    // The called script goes on to its end and only then returns.
    EXPECT_LT(g.Transcript().find('C'), g.Transcript().find('B'));
}

TEST(Presentation, CellTypesKeepTheirCharacterCodes) {
    // The full-width space stores 0; the thirteenth character wraps to the second line.
    TestGame g({{"main", "*present PAGE\n"},
                {"page", "*type 1\nあ　い\nxかきくけこさしすせそた\n\nち\n*click\n"}},
               WholeLines());
    g.RunUntil([&] { return g.State().Shell.MainMode == kModeRoll; });
    g.RunFor(100);
    const auto& codes = g.State().Effects.Presentation.Codes;
    EXPECT_EQ(codes[0], 0x82A0);   // あ
    EXPECT_EQ(codes[1], 0);        // the full-width space
    EXPECT_EQ(codes[2], 0x82A2);   // い
    EXPECT_EQ(codes[3], 0x82A9);   // か (the single-byte x has no cell)
    EXPECT_EQ(codes[12], 0x82BB);  // そ wrapped
    EXPECT_EQ(codes[13], 0x82BD);  // た
    EXPECT_EQ(codes[24], 0x82BF);  // ち after the empty line
}

}  // namespace
}  // namespace vespin
