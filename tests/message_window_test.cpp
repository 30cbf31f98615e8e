// The message window: where characters go, line breaking, the page, waits and the marker, the
// window's pictures and its close fade.

#include <gtest/gtest.h>

#include <set>

#include "core/text/message_window.h"
#include "core/text/sjis.h"
#include "core/text/window_style.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;
using test::WholeLines;

// A game whose script is loaded, with the interpreter driven by hand.
struct Window : TestGame {
    explicit Window(test::ScriptList scripts, GameOptions o = WholeLines()) : TestGame(scripts, o) {
        Steps(1);
    }
    TextState& Text() { return State().Text; }
    void Put(const char* utf8) {
        std::string sjis = *sjis::FromUtf8(utf8);
        for (size_t i = 0; i < sjis.size();) {
            size_t n = sjis::IsLeadByte(static_cast<uint8_t>(sjis[i])) ? 2 : 1;
            PutChar(State(), std::string_view(sjis).substr(i, n));
            i += n;
        }
    }
};

bool RegionHasInk(const Surface& s, Rect r) {
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            if (s.Row(y)[x * 3 + 1] > 200) return true;  // white text
    return false;
}

TEST(MessageWindow, FirstCharacterGoesToRowOneColumnTwoUnlessAnOpeningQuote) {
    Window w({{"main", ""}});
    w.Put("あ");
    EXPECT_EQ(w.Text().TextRow, 1);
    EXPECT_EQ(w.Text().Page.Text[1][2], 0x82);
    EXPECT_TRUE(w.Text().WindowShown);
    Window q({{"main", ""}});
    q.Put("「あ");
    EXPECT_EQ(q.Text().Page.Text[1][0], 0x81);
    EXPECT_EQ(q.Text().Page.Text[1][1], 0x75);
}

TEST(MessageWindow, LineBreaksKeepClosingMarksOnTheLine) {
    Window w({{"main", ""}});
    w.Put("「");
    for (int i = 0; i < 23; ++i)
        w.Put("あ");  // the 23rd reaches column 46: a new line
    EXPECT_EQ(w.Text().TextRow, 2);
    EXPECT_EQ(w.Text().TextColumn, 4);
    Window v({{"main", ""}});
    v.Put("「");
    for (int i = 0; i < 22; ++i)
        v.Put("あ");
    EXPECT_EQ(v.Text().TextColumn, 46);
    v.Put("。");  // may not begin a line: it stays at column 46
    EXPECT_EQ(v.Text().TextRow, 1);
    EXPECT_EQ(v.Text().Page.Text[1][46], 0x81);
    v.Put("」");  // column 48: breaks whatever the character
    EXPECT_EQ(v.Text().TextRow, 2);
    EXPECT_EQ(v.Text().Page.Text[2][2], 0x81);  // and the new line is indented
}

TEST(MessageWindow, WideSpacingAdvancesThreeColumns) {
    Window w({{"main", ""}});
    w.Put("あ");  // opens the window, which starts a page with wide spacing off
    SetWideSpacing(w.State(), true);
    w.Put("ああ");
    EXPECT_EQ(w.Text().TextColumn, 4 + 3 + 3);
}

TEST(MessageWindow, SpeakerNamesAreCentredInTheNameBox) {
    Window w({{"main", ""}});
    BeginSpeakerName(w.State(), *sjis::FromUtf8("案内人達"));
    EXPECT_EQ(w.Text().NameOffset, 12);  // (120 - 12 * 8) / 2
    Window t({{"main", ""}}, [] {
        GameOptions o = WholeLines();
        o.Settings["WINTYPE"] = "0";
        return o;
    }());
    BeginSpeakerName(t.State(), "ABC");
    EXPECT_EQ(t.Text().NameOffset, (120 - 15 * 3) / 2);  // the tinted style's step is 15
}

TEST(MessageWindow, WinCloseResetsTheCursorEvenWhenClosed) {
    Window w({{"main", "*win_close\n"}});
    w.Text().TextRow = 5;
    w.Text().TextColumn = 9;
    w.Text().TextColour = 3;
    w.RunFor(100);
    EXPECT_EQ(w.Text().TextRow, 0);
    EXPECT_EQ(w.Text().TextColumn, 0);
    EXPECT_EQ(w.Text().TextColour, 0);
}

TEST(MessageWindow, CloseFadesToTheSceneThenMarksTheWindowClosed) {
    Window w({{"main", "*gra S080\nA\n*win_close\n"}});
    w.Steps(1);
    ASSERT_TRUE(w.Text().WindowShown);
    uint32_t start = w.Host().NowMs();
    w.RunUntil([&] { return !w.Text().WindowShown; }, 2000);
    EXPECT_GE(w.Host().NowMs() - start, 320u);  // 256 / 8 steps of 10 ms
    EXPECT_FALSE(w.State().Shell.EngineBusy);
    EXPECT_TRUE(w.Text().PageEmpty);
    EXPECT_EQ(w.State().DrawingArea.Row(500)[400 * 3 + 1], 128);  // only the scene remains
    EXPECT_EQ(w.Text().Page.Text[1][2], 'A');                     // the page stays in memory
}

TEST(MessageWindow, TextSurvivesAChangeOfScene) {
    Window w({{"main", "Hello\n*gra S800\n"}});
    w.RunFor(200);
    Rect line{38, 400 + 20 + 26, 120, 30};  // row 1 of the picture style
    EXPECT_TRUE(RegionHasInk(w.State().DrawingArea, line));
    EXPECT_EQ(w.State().DrawingArea.Row(100)[0], 128);  // the new background
}

TEST(MessageWindow, TintedWindowFadesInOverItsTopRows) {
    GameOptions o = WholeLines();
    o.Settings = {{"WINTYPE", "0"},  {"TXBG_R", "10"},  {"TXBG_G", "20"},
                  {"TXBG_B", "255"}, {"TXBG_A", "160"}, {"Delay", "1"}};
    Window w({{"main", "*gra Sggg\nA\n"}}, o);
    w.RunFor(200);
    const Surface& source = w.Text().WindowSource;
    EXPECT_EQ(source.Row(0)[0], 255);
    EXPECT_EQ(source.Row(200)[0], 0);       // opacity row 0: 160 * 0 / 16
    EXPECT_EQ(source.Row(200 + 8)[0], 80);  // row 8: 160 * 8 / 16
    EXPECT_EQ(source.Row(200 + 16)[0], 160);
    // Over a white scene: ((255 * 95) >> 8) + ((c * 160) >> 8) per channel, deep in the window.
    const uint8_t* p = w.State().DrawingArea.Row(590) + 790 * 3;
    EXPECT_EQ(p[0], 94 + 159);
    EXPECT_EQ(p[2], 94 + 6);
}

TEST(MessageWindow, PictureStyleBlendsSysTwAndTheMarkerAnimates) {
    GameOptions o = WholeLines();
    Surface tw(784, 384);
    for (int y = 0; y < 384; ++y)
        for (int x = 0; x < 784; ++x) {
            uint8_t* p = tw.Row(y) + x * 3;
            p[0] = y < 192 ? 200 : 255, p[1] = y < 192 ? 0 : 255, p[2] = 0;  // opaque blue
        }
    Surface clickw(96, 52);
    for (int y = 0; y < 52; ++y)
        for (int x = 0; x < 96; ++x) {
            uint8_t* p = clickw.Row(y) + x * 3;
            p[0] = p[1] = p[2] = y < 26 ? uint8_t(40 * (x / 24 + 1)) : 255;  // frame f: 40 (f + 1)
        }
    o.Pictures = {{"SYS_TW", tw}, {"SYS_CLICKW", clickw}};
    Window w({{"main", "A\n\\\n"}}, o);
    w.RunFor(300);
    EXPECT_EQ(w.State().DrawingArea.Row(450)[100 * 3], 200);  // the window picture
    ASSERT_TRUE(w.Text().MarkerReady);
    std::set<int> frames;
    for (int i = 0; i < 20; ++i) {
        w.RunFor(55);
        frames.insert(w.State().DrawingArea.Row(560)[590 * 3]);
    }
    EXPECT_EQ(frames, (std::set<int>{40, 80, 120, 160}));
}

TEST(MessageWindow, FastSkipLeavesTheOldPageOnScreen) {
    Window w({{"main", "Hello\n"}});
    w.RunFor(100);
    Surface before = w.State().DrawingArea;
    w.State().Shell.SkipState = 3;
    NewPage(w.State());
    EXPECT_EQ(std::memcmp(before.Data(), w.State().DrawingArea.Data(), before.SizeBytes()), 0);
    w.State().Shell.SkipState = 0;
    NewPage(w.State());
    EXPECT_NE(std::memcmp(before.Data(), w.State().DrawingArea.Data(), before.SizeBytes()), 0);
}

TEST(MessageWindow, FullTextModeStoresButDoesNotDrawFullWidthSpaces) {
    Window w({{"main", "*mode 1\n"}});
    w.RunFor(100);
    Surface before = w.State().DrawingArea;
    w.Put("　");
    EXPECT_EQ(std::memcmp(before.Data(), w.State().DrawingArea.Data(), before.SizeBytes()), 0);
    EXPECT_EQ(w.Text().Page.Text[0][0], 0x81);
    EXPECT_EQ(w.Text().TextColumn, 2);  // no indent in full-text mode
}

// A ruby's number can be as large as a script writes it. Far past the screen the ruby draws
// nothing (even where the position's arithmetic would wrap around onto it) and typing goes on.
// Only the first two or three digits are the number's: the rest belong to the ruby text.
TEST(MessageWindow, RubyNumbersOfAnySizeStayOffTheScreen) {
    struct Case {
        const char* name;
        const char* script;
        Rect probe;  // where the ruby's ink would show
        bool ink;
    };
    const Case cases[] = {
        {"full text, small number: drawn above the line",
         "*mode 1\nA<1 x>B\n",
         {30, 15, 40, 16},
         true},
        {"window, the largest number", "A<99999999999 x>B\n", {0, 0, 800, 446}, false},
        {"window, just below the int limit", "A<2147483600 x>B\n", {0, 0, 800, 446}, false},
        {"full text, from about 153 million",
         "*mode 1\nA<200000000 x>B\n",
         {100, 0, 700, 31},
         false},
        // 14 x 306783399 is 2^32 + 290: a wrapping sum would land at x = 310 - w / 2.
        {"full text, a product that wraps onto the screen",
         "*mode 1\nA<306783398 x>B\n",
         {100, 0, 700, 31},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w({{"main", c.script}});
        w.RunFor(500);
        EXPECT_NE(w.Transcript().find(">B\n"), std::string::npos) << w.Transcript();
        EXPECT_EQ(RegionHasInk(w.State().DrawingArea, c.probe), c.ink);
    }
}

TEST(MessageWindow, SubtitleCardTakesItsTimeAndClosesTheWindowRecord) {
    Window w({{"main", "A\n*subtitle 第一章,灯台の島\nB\n"}});
    w.Steps(1);
    EXPECT_TRUE(w.Text().WindowShown);
    uint32_t start = w.Host().NowMs();
    w.Steps(1);
    EXPECT_GE(w.Host().NowMs() - start, 300u + 2 * 1280u + 1500u);  // two fades of 64 steps
    EXPECT_TRUE(RegionHasInk(w.State().DrawingArea, Rect{200, 120, 240, 72}));
    EXPECT_FALSE(w.Text().WindowShown);
    w.Steps(1);  // the next text opens the window again over the scene
    EXPECT_TRUE(w.Text().WindowShown);
    EXPECT_FALSE(RegionHasInk(w.State().DrawingArea, Rect{200, 120, 240, 72}));
}

}  // namespace
}  // namespace vespin
