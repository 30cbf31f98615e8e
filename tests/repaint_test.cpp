// Repaints of the drawing area on the headless host: when the host delivers one (the window
// first shown, a message box or the popup menu gone, a new screen layout, the movie panel
// hidden), and what the engine does then.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/shell/main_loop.h"
#include "core/text/sjis_strings.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::GameOptions;
using test::Pixel;
using test::TestGame;

constexpr Pixel kMarker{1, 2, 3};

// A game paused on a page wait, its window long shown, with one pixel of the DisplaySurface
// changed behind the drawing area's back: only a repaint shows it.
struct PausedGame : TestGame {
    explicit PausedGame(GameOptions o = test::WholeLines(), const char* script = "Text.\n\\\n")
        : TestGame({{"main", script}}, std::move(o)) {
        RunUntil([&] { return State().Shell.WaitKind != 0; }, 5000);
        Hide(State().DisplaySurface);
    }
    static void Hide(Surface& s) {
        uint8_t* p = s.Row(50) + 50 * 3;
        p[0] = uint8_t(kMarker.b), p[1] = uint8_t(kMarker.g), p[2] = uint8_t(kMarker.r);
    }
    bool Repainted() { return At(Host().DrawingArea(), 50, 50) == kMarker; }
    void Input(InputKind kind, UiCommand command = UiCommand::SpeedButton1) {
        InputEvent ev;
        ev.kind = kind;
        ev.command = command;
        ev.x = 700, ev.y = 580;
        HandleInput(State(), ev);
    }
};

TEST(Repaint, TheFirstPumpPaintsTheNewWindow) {
    TestGame g({{"main", ""}});
    EXPECT_EQ(g.Host().RepaintCount(), 0);
    g.Steps(1);
    EXPECT_EQ(g.Host().RepaintCount(), 1);
    g.Steps(5);
    EXPECT_EQ(g.Host().RepaintCount(), 1);  // nothing covered it since
}

struct TriggerCase {
    const char* name;
    std::function<void(PausedGame&)> act;
    bool repaints;
};

TEST(Repaint, ComesAfterWhatCoveredOrMovedTheWindowAndOnlyThen) {
    const std::vector<TriggerCase> cases = {
        {"nothing", [](PausedGame&) {}, false},
        {"a mouse move", [](PausedGame& g) { g.Input(InputKind::MouseMove); }, false},
        {"the close question, cancelled",
         [](PausedGame& g) {
             g.Host().SetEvents(
                 ParseEventScript(std::to_string(g.Host().NowMs()) + " answer cancel").Events);
             g.Steps(1);  // the answer is queued
             g.Input(InputKind::CloseRequest);
         },
         true},
        {"the popup menu",
         [](PausedGame& g) { g.Input(InputKind::Command, UiCommand::SpeedButton1); }, true},
        {"a new screen layout",
         [](PausedGame& g) { g.Host().ApplyScreenLayout(ScreenLayout::FullScreen); }, true},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(c.name);
        PausedGame g;
        c.act(g);
        EXPECT_FALSE(g.Repainted());  // the repaint waits for the next pump
        g.Steps(1);
        EXPECT_EQ(g.Repainted(), c.repaints);
        EXPECT_FALSE(g.State().Shell.WindowClosed);
    }
}

TEST(Repaint, FollowsTheEndOfAMovie) {
    TestGame m({{"main", "*movie clip.mpg\nText.\n\\\n"}}, test::WholeLines());
    std::ofstream(m.Folder() / "clip.mpg", std::ios::binary) << std::string(100, '\1');
    ASSERT_TRUE(m.RunUntil([&] { return m.Host().MoviePanel().PanelVisible(); }, 3000));
    int before = m.Host().RepaintCount();
    m.Click();  // a click ends a movie of unknown length
    EXPECT_FALSE(m.Host().MoviePanel().PanelVisible());
    m.Steps(1);
    EXPECT_EQ(m.Host().RepaintCount(), before + 1);
}

TEST(Repaint, ShowsTheSceneAloneWhileThePlayerHidesTheWindow) {
    PausedGame g;
    EngineState& e = g.State();
    g.Click(MouseButton::Right);  // hides the message window
    ASSERT_EQ(e.Shell.MainMode, kModeWindowHidden);
    PausedGame::Hide(e.CompositionSurface);
    e.DisplaySurface.Fill(9, 9, 9);
    OnRepaint(e);
    EXPECT_EQ(At(g.Host().DrawingArea(), 50, 50), kMarker);
    EXPECT_EQ(At(g.Host().DrawingArea(), 60, 60), (Pixel{0, 0, 0}));
}

TEST(Repaint, GivesBackTheTextFontFaceAndTheVolumes) {
    GameOptions o = test::WholeLines();
    o.Settings["Vol1"] = "-700";
    PausedGame g(o);
    EngineState& e = g.State();
    ASSERT_NE(e.Audio.Sound.Device, nullptr);
    // The subtitle card leaves the Gothic face on the drawing area; the window system's
    // volume went elsewhere meanwhile.
    e.Text.PlainFontFace = "elsewhere";
    g.Host().Sound().SetMasterVolume(-3000);
    e.Audio.Sound.SlotFilled[0] = true;
    g.Host().Sound().CreateBuffer(0, PcmFormat{}, std::vector<int16_t>(4, 0));
    g.Host().Sound().SetVolume(0, -100);
    OnRepaint(e);
    EXPECT_EQ(e.Text.PlainFontFace, e.TextRenderer.FaceName);
    EXPECT_EQ(g.Host().Sound().MasterVolume(), e.Audio.Sound.MasterVolume);
    EXPECT_EQ(g.Host().Sound().Volume(0), -700);
}

}  // namespace
}  // namespace vespin
