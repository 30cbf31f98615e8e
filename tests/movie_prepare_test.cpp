// A movie whose player takes its time to prepare the file: the engine holds as for a playing
// movie, but its loop and its 55 ms timer go on, and the movie starts on the tick after it is
// ready.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/audio/movie.h"
#include "core/shell/main_loop.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::TestGame;

struct MovieGame : TestGame {
    MovieGame(uint32_t prepare_ms, bool fails)
        : TestGame({{"main", "*movie clip.mpg\nAfter.\n\\\n"}}, test::WholeLines()) {
        std::ofstream(Folder() / "clip.mpg", std::ios::binary) << std::string(100, '\1');
        Host().MoviePanel().SetPreparation(prepare_ms, fails);
        RunUntil([&] { return State().Shell.MoviePreparing; }, 2000);
    }
    VirtualMoviePlayer& Player() { return Host().MoviePanel(); }
    bool TextShown() { return Transcript().find("After.") != std::string::npos; }
};

TEST(MoviePreparation, TheTimerRunsOnAndTheMovieStartsWhenReady) {
    MovieGame g(2000, false);
    EngineState& e = g.State();
    ASSERT_TRUE(e.Shell.MoviePreparing);
    EXPECT_TRUE(e.Shell.EngineBusy);
    EXPECT_FALSE(g.Player().PanelVisible());
    uint32_t ticks = e.Shell.TimerTickCount;
    g.RunFor(1500);
    EXPECT_GE(e.Shell.TimerTickCount - ticks, 1500u / 55 - 1);  // the clock of waits goes on
    EXPECT_FALSE(g.Player().PanelVisible());
    EXPECT_FALSE(g.TextShown());
    ASSERT_TRUE(g.RunUntil([&] { return g.Player().PanelVisible(); }, 1000));
    EXPECT_FALSE(e.Shell.MoviePreparing);
    EXPECT_TRUE(e.Shell.ToolbarLocked);
    EXPECT_TRUE(g.Player().IsPlaying());
    g.Click();  // a movie of unknown length plays until a click
    g.RunFor(300);
    EXPECT_TRUE(g.TextShown());
}

struct EndCase {
    const char* name;
    bool fails;
    bool close;   // the player asks to close the window while the file is prepared
    bool answer;  // the answer to the close question
};

TEST(MoviePreparation, AFailureOrACloseRequestEndsItWithoutAPicture) {
    const EndCase cases[] = {
        {"unplayable after all", true, false, false},
        {"closed, then cancelled", false, true, false},
        {"closed for good", false, true, true},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        MovieGame g(1000, c.fails);
        EngineState& e = g.State();
        if (c.close) {
            std::string answer = c.answer ? " answer ok" : " answer cancel";
            g.Host().SetEvents(ParseEventScript(std::to_string(g.Host().NowMs()) + answer).Events);
            g.Steps(1);
            InputEvent close;
            close.kind = InputKind::CloseRequest;
            HandleInput(e, close);
            EXPECT_EQ(g.Host().MessageBoxes().size(), 1u);  // asked at once, not after the movie
        }
        g.RunFor(1500);
        EXPECT_FALSE(e.Shell.MoviePreparing);
        EXPECT_FALSE(g.Player().PanelVisible());
        EXPECT_EQ(g.Player().OpenCount(), 1);
        if (c.close && c.answer) {
            EXPECT_TRUE(e.Shell.WindowClosed);
            continue;
        }
        EXPECT_FALSE(e.Shell.EngineBusy);
        EXPECT_FALSE(e.Shell.ToolbarLocked);
        EXPECT_TRUE(g.TextShown());
    }
}

}  // namespace
}  // namespace vespin
