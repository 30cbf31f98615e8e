// The scene and the picture commands that need no picture files: solid colours, colour effects,
// character flags, `fix`, `ptset`, `mode`.

#include <gtest/gtest.h>

#include "core/graphics/picture_commands.h"
#include "core/graphics/scene.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::GameOptions;
using test::Pixel;
using test::TestGame;
using test::WholeLines;

// Fills the background with a pattern that tells every pixel apart.
void Pattern(Surface& s) {
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            uint8_t* p = s.Row(y) + x * 3;
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(x ^ y);
        }
}

TEST(Scene, SolidColourFillsTheBackgroundAndShowsIt) {
    TestGame g({{"main", "*gra Sf0g\n"}}, WholeLines());
    g.RunFor(300);
    EXPECT_EQ(At(g.State().DrawingArea, 10, 10), (Pixel{240, 0, 255}));
    EXPECT_EQ(At(g.Host().DrawingArea(), 799, 599), (Pixel{240, 0, 255}));
    EXPECT_EQ(g.State().Scene.BackgroundName.View(), "Sf0g");
    EXPECT_EQ(g.State().Vars.S[23], 0);
}

TEST(Scene, GrbChangesLayersOnlyAndUpdateShowsThem) {
    TestGame g({{"main", "*grb S00f\n*sleep 300\n*update\n"}}, WholeLines());
    g.Steps(3);
    EXPECT_EQ(At(g.State().DrawingArea, 0, 0), (Pixel{0, 0, 0}));
    g.RunFor(600);
    EXPECT_EQ(At(g.State().DrawingArea, 0, 0), (Pixel{0, 0, 240}));
}

TEST(Scene, GraTagUsesTheLastSelector) {
    TestGame g({{"main", "*grb S00f\nA[gra S0f0]B\n*sleep 300\n*gra S111\nC[gra Sf00]D\n"}},
               WholeLines());
    g.Steps(3);
    EXPECT_EQ(At(g.State().DrawingArea, 0, 0), (Pixel{0, 0, 0}));  // grb: nothing shown
    g.RunFor(600);
    EXPECT_EQ(At(g.State().DrawingArea, 0, 0), (Pixel{240, 0, 0}));  // gra: the tag shows
}

TEST(Scene, ColourEffects) {
    TestGame g({{"main", ""}}, WholeLines());
    EngineState& e = g.State();
    Pattern(e.Scene.BackgroundLayer);
    auto compose = [&](int effect, int level = 0) {
        e.Vars.S[11] = effect;
        e.Vars.S[13] = level;
        ComposeScene(e);
        return e.CompositionSurface;
    };
    Surface plain = compose(0);
    EXPECT_EQ(At(plain, 7, 9), (Pixel{7, 9, 7 ^ 9}));
    Surface same = compose(1, 16);
    EXPECT_EQ(std::memcmp(same.Data(), plain.Data(), plain.SizeBytes()), 0);
    EXPECT_EQ(At(compose(1, 8), 100, 50), (Pixel{50, 25, (100 ^ 50) / 2}));
    Surface turned = compose(4);
    EXPECT_EQ(At(turned, 0, 0), At(plain, 799, 599));
    EXPECT_EQ(At(turned, 799, 599), At(plain, 0, 0));
    EXPECT_EQ(At(turned, 10, 400), At(plain, 789, 199));
    // Sepia and grey from the average g = (b + g + r) / 3.
    e.Scene.BackgroundLayer.Fill(10, 20, 33);
    EXPECT_EQ(At(compose(2), 1, 1), (Pixel{5, 15, 21}));
    EXPECT_EQ(At(compose(3), 1, 1), (Pixel{21, 21, 21}));
}

TEST(Scene, ClearingCharactersByTheLastLetter) {
    TestGame g({{"main", ""}}, WholeLines());
    EngineState& e = g.State();
    e.Vars.S[23] = 3;
    ClearCharacters(e, "5R");
    EXPECT_EQ(e.Vars.S[23], 1);  // keeps the left one
    e.Vars.S[23] = 3;
    ClearCharacters(e, "L");
    EXPECT_EQ(e.Vars.S[23], 2);
    e.Vars.S[23] = 4;
    e.Scene.LeftCentreName = "B0303";
    ClearCharacters(e, "L");
    EXPECT_EQ(e.Vars.S[23], 0);  // the centre flag clears everything
    EXPECT_TRUE(e.Scene.LeftCentreName.Empty());
    e.Vars.S[23] = 3;
    ClearCharacters(e, "L]");  // the tag reads to the end of the line: ']' clears both
    EXPECT_EQ(e.Vars.S[23], 0);
}

TEST(Scene, FixKeepsWhatPtsetDrewOnTheDrawingArea) {
    TestGame g({{"main", "*gra S000\n*ptset 0,0,2+2,4,V001,10\n*fix\n"}}, WholeLines());
    EngineState& e = g.State();
    g.Steps(1);
    e.Vars.V[1] = 20;
    e.Scene.PartsSheet.Resize(8, 8);
    e.Scene.PartsSheet.Fill(1, 2, 3);
    uint8_t* key = e.Scene.PartsSheet.Row(0);  // one transparent pixel
    key[0] = 255, key[1] = 255, key[2] = 0;
    g.RunFor(300);
    EXPECT_EQ(At(e.DrawingArea, 20, 10), (Pixel{0, 0, 0}));  // the keyed pixel let black through
    EXPECT_EQ(At(e.DrawingArea, 21, 10), (Pixel{1, 2, 3}));
    EXPECT_EQ(At(e.DrawingArea, 23, 13), (Pixel{1, 2, 3}));
    EXPECT_EQ(At(e.DrawingArea, 24, 13), (Pixel{0, 0, 0}));  // 4 x 4 only
    EXPECT_EQ(At(e.CompositionSurface, 21, 10), (Pixel{1, 2, 3}));
    EXPECT_EQ(At(e.DisplaySurface, 21, 10), (Pixel{1, 2, 3}));
}

TEST(Scene, PtsetClipsRectanglesOutsideTheSheet) {
    TestGame g({{"main", "*ptset -50,-50,5000,5000,-10,-10\n*ptset 5,5,1,1,0,0\n"}}, WholeLines());
    g.Steps(1);
    g.State().Scene.PartsSheet.Resize(4, 4);
    g.State().Scene.PartsSheet.Fill(9, 9, 9);
    g.RunFor(300);
    // Sheet pixel (0, 0) lands where source pixel (-50, -50) was asked to go, plus 50.
    EXPECT_EQ(At(g.State().DrawingArea, 40, 40), (Pixel{9, 9, 9}));
    EXPECT_EQ(At(g.State().DrawingArea, 39, 40), (Pixel{0, 0, 0}));
    EXPECT_EQ(At(g.State().DrawingArea, 44, 44), (Pixel{0, 0, 0}));
}

TEST(Scene, ModeTogglesOnlyOnAChange) {
    TestGame g({{"main", "*mode 1\nA\n*mode 1\nB\n*mode 0\nC\n"}}, WholeLines());
    g.Steps(2);
    EXPECT_TRUE(g.State().FullTextMode());
    EXPECT_EQ(g.State().Text.WindowDisplayKind, 2);
    g.Steps(2);  // A, then the second mode 1 changes nothing
    EXPECT_TRUE(g.State().FullTextMode());
    g.Steps(2);  // B, then mode 0
    EXPECT_FALSE(g.State().FullTextMode());
    EXPECT_EQ(g.State().Text.WindowDisplayKind, 1);
}

TEST(Scene, FullTextModeDarkensTheScene) {
    TestGame g({{"main", "*gra S888\n*mode 1\n"}}, WholeLines());
    g.RunFor(300);
    // S008 = 8 at start-up: the scene at 128 / 256.
    EXPECT_EQ(At(g.State().DisplaySurface, 5, 5), (Pixel{64, 64, 64}));
}

}  // namespace
}  // namespace vespin

namespace vespin {
namespace {

TEST(Scene, PtsetWithExtremeValuesDrawsNothingAndDoesNotOverflow) {
    test::TestGame g({{"main",
                       "*ptset 0-2147483647,0,2147483647,4,0,0\n*ptset 0,0,4,4,"
                       "2147483647,2147483647\n"}},
                     test::WholeLines());
    g.Steps(1);
    g.State().Scene.PartsSheet.Resize(8, 8);
    g.State().Scene.PartsSheet.Fill(9, 9, 9);
    g.RunFor(300);
    EXPECT_EQ(g.State().DrawingArea.Row(599)[799 * 3], 0);
}

}  // namespace
}  // namespace vespin

namespace vespin {
namespace {

TEST(Scene, TheCentreLetterChangesNoLayerButGraStillShowsTheScene) {
    test::TestGame g({{"main", "*gra B0101 C,7\n"}}, test::WholeLines());
    g.Steps(1);
    g.State().Scene.LastTransition = -100;
    g.State().Vars.S[23] = 3;
    g.RunFor(2000);
    EXPECT_EQ(g.State().Scene.LastTransition, 7);
    EXPECT_EQ(g.State().Vars.S[23], 3);
    EXPECT_TRUE(g.State().Scene.LeftCentreName.Empty());
}

}  // namespace
}  // namespace vespin
