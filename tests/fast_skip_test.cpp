// The end of a fast skip: the skip drew nothing, so the scene and the message window are built
// again from what the script left, and shown.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/shell/skip_auto.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::Pixel;
using test::TestGame;

constexpr Pixel kGreen{0, 240, 0};  // A03
constexpr Pixel kBlack{0, 0, 0};
constexpr int kAboveWindow = 100;

// Three pictures and three pages, skipped through; the last page waits.
const char* kScript = "*gra A01\nFirst.\n\\\n*gra A02\nSecond.\n\\\n*gra A03\nThird.\n\\\n";

test::GameOptions Pictures() {
    test::GameOptions o = test::WholeLines();
    const std::pair<const char*, Pixel> colours[] = {
        {"A01", {240, 0, 0}}, {"A02", {0, 0, 240}}, {"A03", kGreen}};
    for (auto [name, c] : colours) {
        Surface s(800, 600);
        s.Fill(uint8_t(c.b), uint8_t(c.g), uint8_t(c.r));
        o.Pictures[name] = s;
    }
    return o;
}

struct SkipCase {
    const char* name;
    int skip_state;
    bool window_open;  // the message window is open when the skip ends
    bool full_text;
    bool rebuilt;
};

TEST(FastSkip, ItsEndRebuildsTheSceneAndTheWindowOnlyWhenTheSkipDrewNothing) {
    const SkipCase cases[] = {
        {"fast skip, window open", 3, true, false, true},
        {"fast skip, window closed", 3, false, false, false},
        {"fast skip, full-screen text", 3, true, true, false},
        {"skip with display", 1, true, false, false},
    };
    for (const SkipCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame g({{"main", kScript}}, Pictures());
        EngineState& e = g.State();
        g.Steps(1);  // main is loaded
        e.Shell.SkipState = c.skip_state;
        e.Vars.S[60] = 1;
        // Skipping ends the page waits by itself; stop at the last one.
        g.RunUntil([&] { return g.Transcript().find("Third.") != std::string::npos; }, 5000);
        e.Shell.WaitKind = 0;
        ASSERT_EQ(e.Scene.BackgroundName.View(), "A03");
        if (c.skip_state == 3) {
            // Nothing was drawn: the screen is as it was before the skip.
            EXPECT_EQ(At(g.Host().DrawingArea(), 10, kAboveWindow), kBlack);
        }
        e.Text.WindowShown = c.window_open;
        e.Vars.S[sys::kFullTextMode] = c.full_text ? 1 : 0;

        EndSkipping(e);
        EXPECT_EQ(e.Shell.SkipState, 0);
        EXPECT_EQ(e.Vars.S[60], 0);
        EXPECT_FALSE(e.Shell.EngineBusy);
        const Surface& area = g.Host().DrawingArea();
        if (c.rebuilt) {
            EXPECT_EQ(At(area, 10, kAboveWindow), kGreen);
            // The window over it is the freshly composed one, with the page on it.
            EXPECT_EQ(std::memcmp(area.Data(), e.DisplaySurface.Data(), area.SizeBytes()), 0);
            EXPECT_TRUE(e.Text.WindowImageValid);
        } else if (c.skip_state == 3) {
            EXPECT_EQ(At(area, 10, kAboveWindow), kBlack);
        }
    }
}

TEST(FastSkip, BreakEndsItAndTheScriptGoesOnOverTheRebuiltScene) {
    TestGame g({{"main", "*gra A01\nOne.\n\\\n*gra A03\nTwo.\n*break\nThree.\n\\\n"}}, Pictures());
    EngineState& e = g.State();
    g.Steps(1);
    e.Shell.SkipState = 3;
    ASSERT_TRUE(g.RunUntil([&] { return e.Shell.SkipState == 0; }, 5000));
    g.RunFor(500);
    EXPECT_EQ(At(g.Host().DrawingArea(), 10, kAboveWindow), kGreen);
    EXPECT_NE(g.Transcript().find("Three."), std::string::npos);
}

}  // namespace
}  // namespace vespin
