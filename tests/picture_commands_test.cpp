// The picture commands with real pictures in vg_gra.vsp: backgrounds, the three character
// positions and their flags, clearing, the transition each command asks for, mirroring, the
// centre offset, mask blending and the commands that draw straight onto the screen.

#include <gtest/gtest.h>

#include "core/graphics/picture_commands.h"
#include "core/graphics/scene.h"
#include "core/shell/engine_state.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::GameOptions;
using test::Pixel;
using test::TestGame;

Surface Solid(int w, int h, Pixel c) {
    Surface s(w, h);
    s.Fill(uint8_t(c.b), uint8_t(c.g), uint8_t(c.r));
    return s;
}
// A mask of one opacity: byte 0 is the one the blend reads; the edge formula reads all three.
Surface Mask(int w, int h, int opacity) {
    return Solid(w, h, {opacity, opacity, opacity});
}

constexpr Pixel kBack{10, 20, 30};                 // A01
constexpr Pixel kGrey{200, 200, 200};              // A02
constexpr Pixel kForbidden{0, 0, 200};             // A1001: must never be shown
constexpr Pixel kLeft{250, 0, 0};                  // B0101, 80 wide
constexpr Pixel kRight{0, 250, 0};                 // B0202, 80 wide
constexpr Pixel kCentre{0, 0, 250};                // B0303, 96 wide
constexpr Pixel kHalfA{1, 2, 3}, kHalfB{4, 5, 6};  // B0404: left half A (opaque), right half B
constexpr int kRow = 100;                          // above the message window

GameOptions WithPictures() {
    GameOptions o;
    o.Settings["Delay"] = "1";
    auto& p = o.Pictures;
    p["A01"] = Solid(800, 600, kBack);
    p["A02"] = Solid(800, 600, kGrey);
    p["A1001"] = Solid(800, 600, kForbidden);
    p["B0101"] = Solid(80, 600, kLeft);
    p["M0101"] = Mask(80, 600, 255);
    p["B0202"] = Solid(80, 600, kRight);
    p["M0202"] = Mask(80, 600, 255);
    p["B0303"] = Solid(96, 600, kCentre);
    p["M0303"] = Mask(96, 600, 255);
    Surface halves = Solid(80, 600, kHalfA), half_mask = Mask(80, 600, 255);
    for (int y = 0; y < 600; ++y) {
        for (int x = 40; x < 80; ++x) {
            uint8_t* c = halves.Row(y) + x * 3;
            c[0] = uint8_t(kHalfB.b), c[1] = uint8_t(kHalfB.g), c[2] = uint8_t(kHalfB.r);
            std::fill_n(half_mask.Row(y) + x * 3, 3, uint8_t(0));
        }
    }
    p["B0404"] = halves;
    p["M0404"] = half_mask;
    p["B0505"] = Solid(80, 600, {100, 100, 100});  // half-opaque: blends
    p["M0505"] = Mask(80, 600, 128);
    p["B0606"] = Solid(84, 600, {100, 100, 100});  // 84 = 80 blended + 4 by the edge formula
    p["M0606"] = Mask(84, 600, 128);
    p["B0707"] = Solid(96, 600, kCentre);   // no mask of its own
    p["B0808"] = Solid(802, 700, kCentre);  // wider and taller than the screen
    p["M0808"] = Mask(802, 700, 255);
    p["B0909"] = Solid(81, 600, kCentre);  // odd width
    p["M0909"] = Mask(81, 600, 255);
    Surface parts = Solid(16, 8, {7, 8, 9});
    parts.Row(0)[0] = 255, parts.Row(0)[1] = 255, parts.Row(0)[2] = 0;  // the key colour
    p["P01"] = parts;
    return o;
}

class PictureCommands : public ::testing::Test {
  protected:
    PictureCommands() : game({{"main", ""}}, WithPictures()), e(game.State()) {
        game.Steps(1);
        RunGra(e, "A01");
    }
    // Runs `command` with the transition marker reset; returns the transition it asked for, or
    // kNone when nothing was shown.
    static constexpr int kNone = -99;
    int Shown(CommandResult (*command)(EngineState&, const char*), const char* arg) {
        e.Scene.LastTransition = kNone;
        command(e, arg);
        return e.Scene.LastTransition;
    }
    Pixel Screen(int x) const { return At(e.DrawingArea, x, kRow); }
    int& Flags() { return e.Vars.S[23]; }

    TestGame game;
    EngineState& e;
};

TEST_F(PictureCommands, TheA1001BackgroundDoesNothingInAnyCase) {
    for (const char* arg : {"a1001", "A1001 5", "a1001,7", "A1001 L"}) {
        EXPECT_EQ(Shown(RunGra, arg), kNone) << arg;
        EXPECT_EQ(Shown(RunGrb, arg), kNone) << arg;
    }
    EXPECT_EQ(e.Scene.BackgroundName.View(), "A01");
    EXPECT_EQ(At(e.Scene.BackgroundLayer, 5, 5), kBack);
    EXPECT_EQ(Screen(5), kBack);
}

TEST_F(PictureCommands, SidesTogetherThenTheCentreAloneThenClearingAll) {
    EXPECT_EQ(Shown(RunGra, "B0101 L"), -1);
    EXPECT_EQ(Shown(RunGra, "B0202 R"), -1);
    EXPECT_EQ(Flags(), 3);
    EXPECT_EQ(Screen(250), kLeft);   // S020 = 250
    EXPECT_EQ(Screen(550), kRight);  // S021 = 550
    EXPECT_EQ(Screen(210), kLeft);
    EXPECT_EQ(Screen(209), kBack);
    EXPECT_EQ(Screen(400), kBack);

    Shown(RunGra, "B0303");
    EXPECT_EQ(Flags(), 4);
    EXPECT_EQ(Screen(250), kBack);
    EXPECT_EQ(Screen(550), kBack);
    EXPECT_EQ(Screen(352), kCentre);  // (800 - 96) / 2
    EXPECT_EQ(Screen(351), kBack);
    EXPECT_EQ(Screen(447), kCentre);
    EXPECT_EQ(Screen(448), kBack);
    EXPECT_EQ(e.Scene.LeftCentreName.View(), "B0303");

    // L would keep the right character, but the centre flag clears everything.
    EXPECT_EQ(Shown(RunClrb, "L"), 0);
    EXPECT_EQ(Flags(), 0);
    EXPECT_TRUE(e.Scene.LeftCentreName.Empty());
    EXPECT_TRUE(e.Scene.RightName.Empty());
    EXPECT_EQ(Screen(400), kBack);
}

TEST_F(PictureCommands, ClearingTheRightSideRunsTheNumberedTransition) {
    Shown(RunGrb, "B0101 L");
    Shown(RunGra, "B0202,R");
    ASSERT_EQ(Flags(), 3);
    EXPECT_EQ(Shown(RunClrb, "5R"), 5);
    EXPECT_EQ(Flags(), 1);
    EXPECT_EQ(Screen(250), kLeft);
    EXPECT_EQ(Screen(550), kBack);
    EXPECT_EQ(e.Scene.RightName.View(), "B0202");  // a side clear keeps the names
}

TEST_F(PictureCommands, GraShowsWithItsTransitionAndGrbWaitsForUpdate) {
    EXPECT_EQ(Shown(RunGra, "A02,12"), 12);
    EXPECT_EQ(Screen(5), kGrey);
    Shown(RunGra, "B0101 L");
    EXPECT_EQ(Shown(RunGrb, "A01"), kNone);
    EXPECT_EQ(e.Scene.BackgroundName.View(), "A01");
    EXPECT_EQ(At(e.Scene.BackgroundLayer, 5, 5), kBack);
    EXPECT_EQ(Screen(5), kGrey);  // nothing shown yet
    EXPECT_EQ(Flags(), 1);        // only gra sends the characters away
    RunUpdate(e, "");
    EXPECT_EQ(Screen(5), kBack);
    EXPECT_EQ(Screen(250), kLeft);
    EXPECT_EQ(Shown(RunGra, "A02 3 7"), 7);  // the last run of digits counts
    EXPECT_EQ(Flags(), 0);
    EXPECT_EQ(Screen(250), kGrey);
}

TEST_F(PictureCommands, ThroughTheScriptTheArgumentsReachTheCommands) {
    TestGame g({{"main", "*gra A02,12\n*grb B0101 L\n*gra B0202 R 4\n*clrb 5R\n"}}, WithPictures());
    g.RunFor(300);
    EngineState& s = g.State();
    EXPECT_EQ(s.Vars.S[23], 1);
    EXPECT_EQ(s.Scene.LastTransition, 5);
    EXPECT_EQ(At(s.DrawingArea, 250, kRow), kLeft);
    EXPECT_EQ(At(s.DrawingArea, 550, kRow), kGrey);
}

TEST_F(PictureCommands, AFailedCharacterLoadStillRunsTheTransition) {
    EXPECT_EQ(Shown(RunGra, "B0999 L 3"), 3);
    EXPECT_EQ(Flags(), 0);
    EXPECT_EQ(e.Scene.LeftCentreName.View(), "B0999");
    EXPECT_EQ(Shown(RunGra, "B0999 R 4"), 4);
    EXPECT_EQ(Flags(), 0);
    Shown(RunGra, "B0101 L");
    EXPECT_EQ(Shown(RunGra, "B0999 2"), 2);
    EXPECT_EQ(Flags(), 1);  // no centre character: the left one stays
    // A side command drops the centre flag even when its own picture is missing.
    Shown(RunGra, "B0303");
    ASSERT_EQ(Flags(), 4);
    Shown(RunGra, "B0999 R");
    EXPECT_EQ(Flags(), 0);
    // A missing background keeps the old picture and shows nothing, but takes the name.
    EXPECT_EQ(Shown(RunGra, "A0999 9"), kNone);
    EXPECT_EQ(e.Scene.BackgroundName.View(), "A0999");
    EXPECT_EQ(At(e.Scene.BackgroundLayer, 5, 5), kBack);
    // A solid colour needs no picture and always shows.
    EXPECT_EQ(Shown(RunGra, "S0f0 8"), 8);
}

TEST_F(PictureCommands, MirroringTurnsTheCentrePictureAndItsMask) {
    Shown(RunGra, "B0404");
    EXPECT_EQ(Screen(360), kHalfA);  // (800 - 80) / 2
    EXPECT_EQ(Screen(399), kHalfA);
    EXPECT_EQ(Screen(400), kBack);  // the transparent half
    e.Vars.S[12] = 1;
    Shown(RunGra, "B0404");
    EXPECT_EQ(Screen(360), kBack);
    EXPECT_EQ(Screen(400), kHalfA);
    EXPECT_EQ(Screen(439), kHalfA);
    EXPECT_EQ(Screen(440), kBack);
    // Side characters are never mirrored.
    Shown(RunGra, "B0404 L");
    EXPECT_EQ(Screen(210), kHalfA);
}

TEST_F(PictureCommands, TheCentreOffsetMovesTheCentreCharacter) {
    e.Vars.S[32] = -200;
    Shown(RunGra, "B0303");
    EXPECT_EQ(Screen(151), kBack);  // -200 - 48 + 400
    EXPECT_EQ(Screen(152), kCentre);
    EXPECT_EQ(Screen(247), kCentre);
    EXPECT_EQ(Screen(248), kBack);
    EXPECT_EQ(Screen(400), kBack);
    for (int offset : {500, -500, 448, -448}) {  // off the screen, or just past an edge
        e.Vars.S[32] = offset;
        RunUpdate(e, "");
    }
    EXPECT_EQ(Screen(0), kBack);
    EXPECT_EQ(Screen(799), kBack);
    e.Vars.S[32] = 446;  // x = 798: two columns show
    RunUpdate(e, "");
    EXPECT_EQ(Screen(797), kBack);
    EXPECT_EQ(Screen(798), kCentre);
    EXPECT_EQ(Screen(799), kCentre);
}

TEST_F(PictureCommands, MasksBlendAndTheRowEndsUseTheEdgeFormula) {
    Shown(RunGra, "A02");
    Shown(RunGra, "B0505");
    // ((200 * (255 - 128)) >> 8) + ((100 * 128) >> 8) = 99 + 50
    EXPECT_EQ(Screen(360), (Pixel{149, 149, 149}));
    EXPECT_EQ(Screen(439), (Pixel{149, 149, 149}));
    EXPECT_EQ(Screen(440), kGrey);
    Shown(RunGra, "B0606 L");  // 84 wide at 250 - 42 = 208
    EXPECT_EQ(Screen(208), (Pixel{149, 149, 149}));
    EXPECT_EQ(Screen(287), (Pixel{149, 149, 149}));
    // The last 84 mod 8 = 4 pixels: min(max(200 - 128, 0) + 100, 255).
    EXPECT_EQ(Screen(288), (Pixel{172, 172, 172}));
    EXPECT_EQ(Screen(291), (Pixel{172, 172, 172}));
    EXPECT_EQ(Screen(292), kGrey);
}

TEST_F(PictureCommands, PicturesThatDoNotFitAreClippedNotOverrun) {
    Shown(RunGra, "B0808");  // 802 x 700, centred at x = -1
    EXPECT_EQ(Flags(), 4);
    EXPECT_EQ(Screen(0), kCentre);
    EXPECT_EQ(Screen(799), kCentre);
    EXPECT_EQ(At(e.DrawingArea, 400, 599).r, kCentre.r);
    Shown(RunGra, "B0909");  // odd width: whole pixels from (800 - 81) / 2 = 359
    EXPECT_EQ(Screen(358), kBack);
    EXPECT_EQ(Screen(359), kCentre);
    EXPECT_EQ(Screen(439), kCentre);
    EXPECT_EQ(Screen(440), kBack);
    // A picture without a mask of its size is not drawn (its flag is still set).
    Shown(RunGra, "B0707");
    EXPECT_EQ(Flags(), 4);
    EXPECT_EQ(Screen(400), kBack);
}

TEST_F(PictureCommands, FastSkippingSetsFlagsWithoutLoading) {
    e.Shell.SkipState = 3;
    EXPECT_EQ(Shown(RunGra, "A02"), kNone);
    EXPECT_EQ(e.Scene.BackgroundName.View(), "A02");
    EXPECT_EQ(At(e.Scene.BackgroundLayer, 5, 5), kBack);
    Shown(RunGra, "B0101 L");
    EXPECT_EQ(Flags(), 1);
    EXPECT_TRUE(e.Scene.LeftCharacterLayer.Empty());
    EXPECT_EQ(Screen(250), kBack);  // nothing loaded, nothing drawn
    Shown(RunGra, "B0303");
    EXPECT_EQ(Flags(), 4);
}

TEST_F(PictureCommands, PartsLoadAndDirectDrawing) {
    RunPartsLoad(e, "P01,A02");
    EXPECT_EQ(e.Vars.S[15], 1);
    EXPECT_EQ(e.Scene.PartsSheet.Width(), 16);
    EXPECT_EQ(At(e.Scene.WorkSurface, 0, 0), kGrey);
    RunPartsLoad(e, "P01");
    EXPECT_EQ(e.Vars.S[15], 0);
    RunPtSet(e, "0,0,4,4,100,100");
    EXPECT_EQ(At(e.DrawingArea, 100, 100), kBack);  // the key colour is left out
    EXPECT_EQ(At(e.DrawingArea, 101, 100), (Pixel{7, 8, 9}));

    uint32_t before = game.Host().NowMs();
    RunDirect(e, "P01,500,10,20");
    EXPECT_GE(game.Host().NowMs() - before, 500u);
    EXPECT_TRUE(e.Shell.InterpreterEnabled);
    EXPECT_EQ(At(e.DrawingArea, 10, 20), (Pixel{255, 255, 0}));  // opaque: the key is drawn
    EXPECT_EQ(At(e.DrawingArea, 25, 27), (Pixel{7, 8, 9}));
    EXPECT_EQ(At(e.DrawingArea, 26, 28), kBack);
    // The surfaces do not hold it: the next update removes it.
    RunUpdate(e, "");
    EXPECT_EQ(At(e.DrawingArea, 25, 27), kBack);
}

}  // namespace
}  // namespace vespin
