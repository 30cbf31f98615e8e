// Start-up on the headless host: what the engine leaves for later (the pixels of surfaces nothing
// has drawn on, the pre-render of the common glyphs), and that leaving it changes no frame.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/graphics/surface.h"
#include "core/text/text_renderer.h"
#include "test_game.h"
#include "text_test_support.h"

namespace vespin {
namespace {

using test::At;
using test::GameOptions;
using test::Pixel;
using test::TestGame;
using testing::Checksum;

constexpr Pixel kBlack{0, 0, 0};

struct LazyPixelsCase {
    const char* name;
    std::function<void(Surface& s, Surface& other)> act;
    bool pending_after;
    Pixel corner;  // pixel (0, 0) of `s` afterwards
};

// `s` starts 4 x 3 and untouched; `other` is 4 x 3 and grey.
TEST(LazyPixels, ASurfaceKeepsItsSizeAndReadsBlackUntilItIsDrawnOn) {
    const std::vector<LazyPixelsCase> cases = {
        {"fresh", [](Surface&, Surface&) {}, true, kBlack},
        {"black fill", [](Surface& s, Surface&) { s.Fill(0, 0, 0); }, true, kBlack},
        {"grey fill", [](Surface& s, Surface&) { s.Fill(7, 7, 7); }, false, {7, 7, 7}},
        {"colour fill", [](Surface& s, Surface&) { s.Fill(1, 2, 3); }, false, {1, 2, 3}},
        {"read", [](Surface& s, Surface&) { (void)std::as_const(s).Row(0); }, false, kBlack},
        {"copy from black",
         [](Surface& s, Surface&) {
             Surface black(4, 3);
             EXPECT_EQ(CopyRect(black, Rect{0, 0, 4, 3}, s, 0, 0).w, 4);
             EXPECT_TRUE(black.PixelsPending());
         },
         true, kBlack},
        {"copy from grey",
         [](Surface& s, Surface& other) {
             CopyRect(other, Rect{0, 0, 4, 3}, s, 0, 0);
         },
         false,
         {9, 9, 9}},
        {"drawn, then resized",
         [](Surface& s, Surface&) {
             s.Fill(5, 5, 5);
             s.Resize(4, 3);
         },
         true, kBlack},
        {"assigned from an untouched one",
         [](Surface& s, Surface&) {
             s.Fill(5, 5, 5);
             s = Surface(4, 3);
         },
         true, kBlack},
    };
    for (const LazyPixelsCase& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(4, 3);
        Surface other(4, 3);
        other.Fill(9, 9, 9);
        c.act(s, other);
        EXPECT_EQ(s.Width(), 4);
        EXPECT_EQ(s.Height(), 3);
        EXPECT_EQ(s.SizeBytes(), 36u);
        EXPECT_EQ(s.PixelsPending(), c.pending_after);
        EXPECT_EQ(At(s, 0, 0), c.corner);
        EXPECT_EQ(At(s, 3, 2), c.corner);
    }
}

TEST(LazyPixels, BlackCopiedOverADrawnSurfaceReallyClearsIt) {
    Surface drawn(4, 3);
    drawn.Fill(200, 100, 50);
    Surface black(4, 3);
    CopyRect(black, Rect{1, 1, 2, 1}, drawn, 1, 1);
    EXPECT_EQ(At(drawn, 1, 1), kBlack);
    EXPECT_EQ(At(drawn, 2, 1), kBlack);
    EXPECT_EQ(At(drawn, 0, 1), (Pixel{200, 100, 50}));
    EXPECT_EQ(At(drawn, 3, 1), (Pixel{200, 100, 50}));
}

// The surfaces of an engine that the first passes need not touch.
std::vector<std::pair<const char*, Surface*>> SceneSurfaces(EngineState& e) {
    return {{"BackgroundLayer", &e.Scene.BackgroundLayer},
            {"PreviousFrameSurface", &e.Scene.PreviousFrameSurface},
            {"WorkSurface", &e.Scene.WorkSurface},
            {"SpareSurface", &e.Scene.SpareSurface},
            {"CompositionSurface", &e.CompositionSurface},
            {"DisplaySurface", &e.DisplaySurface},
            {"DrawingArea", &e.DrawingArea}};
}

TEST(Startup, TheFirstPassLeavesUnusedSurfacesAndTheGlyphsForLater) {
    TestGame g({{"main", "*sleep 900\n"}});
    g.Steps(2);  // the first pass loads main, the second starts the sleep
    EngineState& e = g.State();
    ASSERT_EQ(e.Script.ScriptSize > 0, true);
    for (auto [name, surface] : SceneSurfaces(e)) {
        SCOPED_TRACE(name);
        EXPECT_EQ(surface->Width(), 800);
        EXPECT_EQ(surface->Height(), 600);
        EXPECT_TRUE(surface->PixelsPending());
    }
    EXPECT_TRUE(g.Host().DrawingArea().PixelsPending());
    EXPECT_EQ(e.TextRenderer.Cache.Count(), 0);
    EXPECT_TRUE(e.TextRenderer.CommonSetPending);
    // What the window shows is black all the same.
    EXPECT_EQ(At(g.Host().DrawingArea(), 400, 300), kBlack);
}

TEST(Startup, TheFirstCharacterFindsTheCommonSetRenderedAtTheRebuildsSize) {
    VESPIN_REQUIRE_IPA_FONTS();
    TestGame eager({{"main", ""}}, test::WholeLines());
    TestGame lazy({{"main", ""}}, test::WholeLines());
    // One rebuilds and renders at once; the other changes the size before its first character,
    // without a rebuild, which must not reach the glyphs the rebuild owed.
    RebuildFont(eager.State());
    RenderPendingCommonSet(eager.State());
    RebuildFont(lazy.State());
    eager.State().Settings.FONTSIZE = 11;
    lazy.State().Settings.FONTSIZE = 11;
    const char kAsia[] = "\x88\x9F";  // 亜, not one of the common set
    PrepareChar(eager.State(), kAsia);
    PrepareChar(lazy.State(), kAsia);
    const GlyphCache& a = eager.State().TextRenderer.Cache;
    const GlyphCache& b = lazy.State().TextRenderer.Cache;
    ASSERT_EQ(a.Count(), 193);
    ASSERT_EQ(b.Count(), 193);
    for (unsigned code : {0x93FAu, 0x82A0u, 0x8258u, 0x889Fu}) {
        ASSERT_NE(b.Find(code), nullptr) << std::hex << code;
        EXPECT_EQ(*a.Find(code), *b.Find(code)) << std::hex << code;
    }
}

// Every surface of the engine made ready and the glyphs rendered right after start-up, as an
// engine that allocated and cleared everything eagerly would have them.
void MakeEverythingReady(EngineState& e) {
    for (auto [name, surface] : SceneSurfaces(e))
        (void)surface->Data();
    for (Surface* s : {&e.Text.WindowSource, &e.Text.WindowImage, &e.Text.CleanWindowImage,
                       &e.Text.QuickButtonBackdrop, &e.Text.ClickWaitPicture})
        (void)s->Data();
    RenderPendingCommonSet(e);
}

GameOptions Scenery() {
    GameOptions o;
    Surface back(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            uint8_t* p = back.Row(y) + x * 3;
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(x ^ y);
        }
    o.Pictures["A01"] = back;
    o.Events = "2000 click 700 580\n5000 click 700 580\n9000 click 400 165\n";
    return o;
}

// The same game, its frames taken at fixed times, with and without everything made ready first.
std::vector<uint64_t> Frames(bool ready_first, std::string& transcript) {
    TestGame g({{"main",
                 "Before any picture.\n\\\n*gra A01 3\nOver the picture.\n\\\n*gra S00f 5\n"
                 "*select\n{One\nOne.\n{Two\nTwo.\n}\n\\\n"}},
               Scenery());
    if (ready_first) MakeEverythingReady(g.State());
    std::vector<uint64_t> frames;
    for (int i = 0; i < 16; ++i) {
        g.RunFor(700);
        frames.push_back(Checksum(g.Host().DrawingArea()));
    }
    transcript = g.Transcript();
    return frames;
}

TEST(Startup, LeavingWorkForLaterChangesNoFrame) {
    std::string lazy_text, eager_text;
    std::vector<uint64_t> lazy = Frames(false, lazy_text);
    std::vector<uint64_t> eager = Frames(true, eager_text);
    EXPECT_EQ(lazy, eager);
    EXPECT_EQ(lazy_text, eager_text);
    EXPECT_NE(lazy.front(), lazy.back());  // the run did show something
    EXPECT_NE(lazy_text.find("One."), std::string::npos) << lazy_text;
}

}  // namespace
}  // namespace vespin
