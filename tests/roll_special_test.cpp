// `roll`, `effect` and `special` on the headless host: the fades and waits of the roll language
// on the virtual clock, the quit question in the middle of a roll, the effect script's steps, the
// darkened bands, the completion percentage and the credits column.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/screens/effect.h"
#include "core/screens/ending_credits.h"
#include "core/screens/roll.h"
#include "core/screens/special.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"
#include "core/text/text_renderer.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::GameOptions;
using test::Pixel;
using test::TestGame;

Surface Stripes() {
    Surface s(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth * 3; ++x)
            s.Row(y)[x] = static_cast<uint8_t>(40 + (x / 3 + y) % 160);
    }
    return s;
}

GameOptions WithPicture() {
    GameOptions o;
    o.Pictures["A9001"] = Stripes();
    return o;
}

bool SameArea(const Surface& a, const Surface& b, const Rect& r) {
    for (int y = r.y; y < r.y + r.h; ++y) {
        if (std::memcmp(a.Row(y) + r.x * 3, b.Row(y) + r.x * 3, r.w * 3) != 0) return false;
    }
    return true;
}

// Plays roll lines straight away and returns how long they took on the virtual clock.
uint32_t PlayTimed(TestGame& g, const std::vector<std::string>& lines) {
    PumpMessages(g.State());
    const uint32_t start = g.Host().NowMs();
    PlayRoll(g.State(), lines);
    return g.Host().NowMs() - start;
}

TEST(Roll, PutFadesInTheBoxEvenWithoutText) {
    struct Case {
        std::vector<std::string> lines;
        bool box_is_background;
    } cases[] = {
        {{"*GRA A9001,0", "*PUT 1"}, true},             // an empty block: an empty box
        {{"*GRA A9001,0", "島の灯", "*PUT 1"}, false},  // text drawn into the box
        {{"*GRA A9001,0", "島の灯", "*WIN 0,0,10,10", "*PUT 1"}, true},  // the command ended it
    };
    for (const Case& c : cases) {
        TestGame g({{"main", ""}}, WithPicture());
        EngineState& e = g.State();
        const uint32_t ms = PlayTimed(g, c.lines);
        // 0, 8, ... 248: 32 frames of 30 ms.
        EXPECT_EQ(ms, 32u * 30u) << c.lines[1];
        EXPECT_EQ(SameArea(e.DisplaySurface, e.CompositionSurface, Rect{200, 200, 400, 400}),
                  c.box_is_background)
            << c.lines[1];
        EXPECT_TRUE(SameArea(g.Host().DrawingArea(), e.DisplaySurface, kScreenRect));
        EXPECT_EQ(e.Shell.MainMode, kModeScript);
    }
}

TEST(Roll, PicturesFadeOnTheFrameClockEvenWhenMissing) {
    struct Case {
        const char* line;
        uint32_t ms;
        bool loaded;
    } cases[] = {
        {"*GRA A9001", 16 * 30, true},  // mode 1 by default: 0, 16, ... 240
        {"*GRA A9001,2", 32 * 30, true},   {"*GRA A9001,0", 0, true},
        {"*GRA NOSUCH,1", 16 * 30, false},  // still fades, from the screen to itself
        {"*GRA NOSUCH,7", 0, false},
    };
    for (const Case& c : cases) {
        TestGame g({{"main", ""}}, WithPicture());
        EngineState& e = g.State();
        EXPECT_EQ(PlayTimed(g, {c.line}), c.ms) << c.line;
        EXPECT_EQ(SameArea(e.CompositionSurface, Stripes(), kScreenRect), c.loaded) << c.line;
        EXPECT_TRUE(SameArea(e.DisplaySurface, e.CompositionSurface, kScreenRect)) << c.line;
    }
}

TEST(Roll, WaitsCountFromTheReferenceTime) {
    struct Case {
        std::vector<std::string> lines;
        uint32_t ms;
    } cases[] = {
        {{"*WAIT 0"}, 0},
        {{"*RESET", "*WAIT 5", "*WAIT 0"}, 500},
        {{"*HOOK", "*GRA A9001,1", "*WAIT 3"}, 480},  // the fade outlasted the wait
        {{"*RESET", "*GRA A9001,1", "*WAIT 7"}, 700},
        {{"*WAIT -4"}, 0},
        {{"@wait 2"}, 200},  // '@' and lower case work too
        {{"*WAIT"}, 0},      // no blank, no argument
    };
    for (const Case& c : cases) {
        TestGame g({{"main", ""}}, WithPicture());
        EXPECT_EQ(PlayTimed(g, c.lines), c.ms) << c.lines.back();
    }
}

TEST(Roll, CommandKeywords) {
    struct Case {
        const char* line;
        const char* keyword;
        const char* argument;
    } cases[] = {
        {"*GRA A01,2", "GRA", "A01,2"}, {"@center\txy", "CENTER", "xy"},
        {"*RESET", "RESET", ""},        {"*ABCDEFGHIJKL 5", "ABCDEFGHIJ", "5"},
        {"*put  1", "PUT", " 1"},       {"*", "", ""},
    };
    for (const Case& c : cases) {
        RollCommandLine split = SplitRollCommand(c.line);
        EXPECT_EQ(split.Keyword, c.keyword) << c.line;
        EXPECT_EQ(split.Argument, c.argument) << c.line;
    }
}

TEST(Roll, ABoxOffTheScreenDrawsNothingOutsideIt) {
    TestGame g({{"main", ""}}, WithPicture());
    EngineState& e = g.State();
    PlayTimed(g, {"*GRA A9001,0", "*WIN -100000,590,900000,2000000", "島", "*PUT 0", "*ERA 1",
                  "*WIN 900,0,1000,600", "*PUT 1"});
    EXPECT_TRUE(SameArea(e.DisplaySurface, Stripes(), kScreenRect));
}

// Closing the window in the middle of a roll asks; "no" lets the roll go on to its end, "yes"
// ends it where it was.
TEST(Roll, ClosingAsksAndCancelLetsTheRollFinish) {
    for (const char* answer : {"cancel", "ok"}) {
        GameOptions o = WithPicture();
        o.Events = std::string("400 answer ") + answer + "\n400 close\n";
        TestGame g(
            {{"main", "*roll reel\n!V001=1\nA\n"}, {"reel", "*RESET\n*WAIT 10\n*GRA A9001,0\n"}},
            o);
        g.RunFor(3000);
        EngineState& e = g.State();
        ASSERT_EQ(g.Host().MessageBoxes().size(), 1u) << answer;
        EXPECT_EQ(g.Host().MessageBoxes()[0], "確認: ゲームを終了しますか？");
        const bool cancelled = std::string(answer) == "cancel";
        EXPECT_EQ(e.Shell.WindowClosed, !cancelled);
        EXPECT_EQ(SameArea(e.CompositionSurface, Stripes(), kScreenRect), cancelled) << answer;
        EXPECT_EQ(e.Vars.V[1], cancelled ? 1 : 0);
        EXPECT_FALSE(e.Rolls.Paused);
    }
}

TEST(Effect, EntriesReadIntoSteps) {
    const std::vector<std::string> script = {
        ":other",          "F,10",  ":Flash", "", "f,10,F00g,20,F8888,30,F12,40,X,50", "N,5,6,7,",
        "S,50,10,-10,-10", ":next", "F,99"};
    std::vector<EffectStep> steps = ReadEffectEntry(script, "FLASH");
    using K = EffectKind;
    const std::vector<std::pair<K, std::vector<int>>> expected = {
        {K::ShowNormal, {10, 0, 0}},      {K::Fill, {20, 0xFF0000, 0}},  // blue at full intensity
        {K::Blend, {30, 0x808080, 0x80}}, {K::Negative, {5, 0, 0}},
        {K::ShowNormal, {6, 0, 0}},       {K::Negative, {7, 0, 0}},
        {K::MoveWindow, {50, 10, -10}},   {K::MoveWindow, {50, -10, 0}},  // the missing y reads 0
    };
    ASSERT_EQ(steps.size(), expected.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].Kind, expected[i].first) << i;
        EXPECT_EQ((std::vector<int>{steps[i].DurationMs, steps[i].Arg1, steps[i].Arg2}),
                  expected[i].second)
            << i;
    }
    EXPECT_TRUE(ReadEffectEntry(script, "missing").empty());
    std::string long_line = "N";
    for (int i = 0; i < 150; ++i)
        long_line += ",1";
    EXPECT_EQ(ReadEffectEntry({":m", long_line, long_line, long_line}, "m").size(),
              kMaxEffectSteps);
}

TEST(Effect, PlaysAndPutsTheWindowBack) {
    TestGame g({{"main", "*effect hit\n"}, {"effect", ":HIT\nS,50,8,4\nF0g0,40\nN,30\n"}},
               WithPicture());
    EngineState& e = g.State();
    g.Host().MoveWindow(100, 80);
    PumpMessages(e);
    e.DisplaySurface = Stripes();
    const uint32_t start = g.Host().NowMs();
    PlayEffect(e, ReadEffectEntry({":HIT", "S,50,8,4", "F0g0,40", "N,30"}, "hit"));
    EXPECT_EQ(g.Host().NowMs() - start, 120u);
    int x = 0, y = 0;
    g.Host().WindowPosition(x, y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 80);
    EXPECT_TRUE(SameArea(g.Host().DrawingArea(), Stripes(), kScreenRect));
    EXPECT_FALSE(e.Shell.EngineBusy);
}

TEST(Special, DarkenedBands) {
    struct Case {
        const char* command;
        int top_factor;  // applied to the rows outside 100..499, in sixteenths
    } cases[] = {
        {"*special 2,100,500,16", 16},
        {"*special 2,100,500,0", 0},
        {"*special 2,100,500,8", 8},
    };
    for (const Case& c : cases) {
        TestGame g({{"main", std::string("*gra A9001 0\n") + c.command + "\n"}}, WithPicture());
        g.RunFor(500);
        const Surface& d = g.State().DisplaySurface;
        const Surface s = Stripes();
        for (int y : {0, 99, 500, 599}) {
            for (int x : {0, 333, 799}) {
                Pixel p = At(s, x, y);
                int f = c.top_factor;
                EXPECT_EQ(At(d, x, y), (Pixel{p.b * f / 16, p.g * f / 16, p.r * f / 16}))
                    << c.command << " " << x << "," << y;
            }
        }
        EXPECT_TRUE(SameArea(d, s, Rect{0, 100, kScreenWidth, 400})) << c.command;
        EXPECT_TRUE(SameArea(g.Host().DrawingArea(), d, kScreenRect)) << c.command;
    }
}

TEST(Special, CompletionPercentage) {
    TestGame g({{"main", ""}});
    EngineState& e = g.State();
    const int counted[] = {1, 38, 101, 131, 201, 250, 301, 337, 401, 444, 501, 521, 601, 607};
    for (int n : counted) {
        e.Vars.E.Set(n, true);
    }
    for (int n : {0, 39, 100, 132, 608, 700}) {  // not counted
        e.Vars.E.Set(n, true);
    }
    EXPECT_EQ(CompletionPercent(e), 14 * 100 / 228);
    e.Vars.E.Clear();
    int set = 0;
    for (int n = 1; set < 114; ++n) {
        if ((n >= 1 && n <= 38) || (n >= 101 && n <= 131) || (n >= 201 && n <= 250)) {
            e.Vars.E.Set(n, true);
            ++set;
        }
    }
    EXPECT_EQ(CompletionPercent(e), 50);
}

TEST(Special, CompletionIsDrawnRightAlignedOnTheScreen) {
    TestGame g({{"main", "*special 6\n"}});
    EngineState& e = g.State();
    for (int n = 1; n <= 38; ++n)
        e.Vars.E.Set(n, true);
    for (int n = 101; n <= 131; ++n)
        e.Vars.E.Set(n, true);
    for (int n = 201; n <= 245; ++n)
        e.Vars.E.Set(n, true);  // 114 flags
    g.RunFor(300);
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{32, SizeUnit::Cell};
    Surface expected(kScreenWidth, kScreenHeight);
    const int w = MeasurePlainText(e.TextRenderer.Fonts, "50", font).Width;
    ASSERT_GT(w, 0);
    DrawPlainText(e.TextRenderer.Fonts, expected, 570 - w, 12, "50", font, kWhite);
    EXPECT_TRUE(SameArea(g.Host().DrawingArea(), expected, kScreenRect));
}

TEST(Special, CreditsColumnGreysTowardBothEnds) {
    CreditsPicture full;
    full.Height = 2000;
    full.Bits.assign(static_cast<size_t>(full.Height) * CreditsPicture::kRowBytes, 0xFF);
    Surface frame(kScreenWidth, kScreenHeight);
    DrawCreditsColumn(full, 0, frame);
    struct Row {
        int row;
        int grey;
    } rows[] = {{0, 0},     {1, 2},   {127, 254}, {128, 255}, {351, 255},
                {352, 254}, {479, 0}, {478, 2},   {480, 0},   {599, 0}};
    for (const Row& r : rows) {
        EXPECT_EQ(At(frame, 544, r.row), (Pixel{r.grey, r.grey, r.grey})) << r.row;
        EXPECT_EQ(At(frame, 799, r.row), (Pixel{r.grey, r.grey, r.grey})) << r.row;
    }
    EXPECT_EQ(At(frame, 543, 200), (Pixel{0, 0, 0}));  // left of the column untouched
    DrawCreditsColumn(full, 1900, frame);              // rows past the picture's end are black
    EXPECT_EQ(At(frame, 600, 50), (Pixel{100, 100, 100}));
    EXPECT_EQ(At(frame, 600, 200), (Pixel{0, 0, 0}));
}

TEST(Special, CreditsScriptAndRoll) {
    CreditsScript s = ReadCreditsScript({"20", "A0101,1", "*", "one", "", "two", "*end", "x"});
    EXPECT_EQ(s.PeriodMs, 20);
    EXPECT_EQ(s.Credits, (std::vector<std::string>{"one", "", "two"}));
    EXPECT_TRUE(ReadCreditsScript({"20", "no star"}).Credits.empty());

    TestGame g({{"main", "*special 5\n!V001=1\n"},
                {"endroll", "10\nA0101,1\n*\nスタッフ\n制作　島の灯台\n*\n"}},
               WithPicture());
    g.RunUntil([&] { return g.State().Vars.V[1] == 1; }, 60000);
    // (2 * 32 + 600) / 2 frames of 10 ms.
    EXPECT_GE(g.Host().NowMs(), 332u * 10u);
    EXPECT_LT(g.Host().NowMs(), 332u * 10u + 1000u);
}

TEST(Special, ClosingDuringTheCreditsAsks) {
    for (const char* answer : {"cancel", "ok"}) {
        GameOptions o;
        o.Events = std::string("1000 answer ") + answer + "\n1000 close\n1100 click 400 300\n";
        TestGame g({{"main", "*special 5\n!V001=1\n"}, {"endroll", "10\n*\nA\nB\n"}}, o);
        g.RunFor(8000);
        const bool cancelled = std::string(answer) == "cancel";
        EXPECT_EQ(g.Host().MessageBoxes().size(), 1u) << answer;
        EXPECT_EQ(g.State().Shell.WindowClosed, !cancelled) << answer;
        EXPECT_EQ(g.State().Vars.V[1], cancelled ? 1 : 0) << answer;
        EXPECT_EQ(g.State().Shell.MainMode, kModeScript) << answer;
    }
}

}  // namespace
}  // namespace vespin
