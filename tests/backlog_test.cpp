// The backlog and the page history through the headless host: what is logged, the log screen's
// scrolling, thumb and voice icons, and stepping back through the recorded pages.

#include <gtest/gtest.h>

#include <cstring>

#include "audio_test_util.h"
#include "core/audio/audio_state.h"
#include "core/host/events.h"
#include "core/shell/main_loop.h"
#include "core/text/backlog.h"
#include "core/text/sjis.h"
#include "test_game.h"
#include "tools/wady_encoder.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;

constexpr int kRateV1 = 11025, kRateV2 = 16000, kRateOpen = 8000;
constexpr test::Pixel kThumbColour{250, 2, 1};

std::vector<uint8_t> Voice(int rate) {
    PcmFormat f{1, rate};
    return EncodeWady(WadyCoding::R, f, test::Tone(f, static_cast<size_t>(rate / 2)));
}

Surface Solid(int w, int h, test::Pixel p) {
    Surface s(w, h);
    s.Fill(static_cast<uint8_t>(p.b), static_cast<uint8_t>(p.g), static_cast<uint8_t>(p.r));
    return s;
}

// Two voices and the log's opening sound, each at a rate of its own, and the log's pictures.
GameOptions LogOptions() {
    GameOptions o = test::WholeLines();
    o.Archives["vg_wav1.vsp"] = {
        {"V1", Voice(kRateV1)}, {"V2", Voice(kRateV2)}, {"SSE09", Voice(kRateOpen)}};
    o.Pictures["sys_bl_bar"] = Solid(64, 570, {0, 0, 0});
    o.Pictures["sys_bl_cur"] = Solid(24, 30, kThumbColour);
    o.Pictures["sys_blVR"] = Solid(40, 18, {3, 250, 4});
    o.Pictures["A01"] = Solid(800, 600, {10, 20, 30});
    return o;
}

struct Game : TestGame {
    explicit Game(const std::string& main) : TestGame({{"main", main}}, LogOptions()) {
        RunUntil([&] { return State().Shell.WaitKind != 0; });
    }
    EngineState& E() { return State(); }
    void Wheel(int delta) {
        InputEvent ev;
        ev.kind = InputKind::Wheel;
        ev.delta = delta;
        HandleInput(E(), ev);
    }
    // Clicks through the pages until `n` have been recorded.
    void ReachPage(int n) {
        while (E().Backlog.History.Counter < n) {
            Click();
            ASSERT_TRUE(RunUntil([&] { return E().Shell.WaitKind != 0; }));
        }
    }
    void Press(int key) {
        Key(key, true);
        Key(key, false);
    }
    int VoiceRate() {
        return Host().Sound().Holds(kSlotVoice) ? Host().Sound().Format(kSlotVoice).SampleRate : 0;
    }
    std::string Line(int i) { return sjis::ToUtf8(BacklogLine(E().Backlog, i)); }
};

std::string Lines(int n, const std::string& prefix = "L") {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += prefix + std::to_string(i) + "\n";
    return s;
}

TEST(Backlog, LogsWhatThePageShowsLineByLine) {
    struct Case {
        const char* script;
        std::vector<std::string> lines;
    } cases[] = {
        // A page wait ends the line being written: each page ends with an empty line.
        {"A◆B§C√D\n\\\n", {"ABCD", ""}},  // the three marks are shown, not logged
        {"*string 2 Mio\n＄２ and [?3*4]\n\\\n", {"Mio and 12", ""}},
        {"*voice V1\nHi\n\\\n", {"@V1", "Hi", ""}},
        // The character that breaks the line begins the next log line, as it does the row.
        {"あいうえおかきくけこさしすせそたちつてとなにぬね\n\\\n",
         {"あいうえおかきくけこさしすせそたちつてとなに", "ぬね", ""}},
    };
    for (const Case& c : cases) {
        Game g(c.script);
        ASSERT_EQ(g.E().Backlog.LineCount, static_cast<int>(c.lines.size())) << c.script;
        for (size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(g.Line(static_cast<int>(i)), c.lines[i]) << c.script;
    }
}

TEST(Backlog, TheThousandAndFirstLineDropsTheOldest) {
    Game g(Lines(1000) + "\\\n");  // and the page's empty line
    EXPECT_EQ(g.E().Backlog.LineCount, 1000);
    EXPECT_EQ(g.Line(0), "L1");
    EXPECT_EQ(g.Line(998), "L999");
    EXPECT_EQ(g.Line(999), "");
    EXPECT_EQ(g.Line(1000), "");  // the line being written is empty
}

TEST(LogScreen, FewerThanThirtyLinesDrawNoThumbAndCannotScrollBack) {
    Game g(Lines(28) + "\\\n");  // 29 lines with the page's end
    g.Wheel(1);
    ASSERT_TRUE(g.E().Shell.BacklogOpen);
    EXPECT_EQ(g.VoiceRate(), kRateOpen);
    for (int y = 30; y < 560; y += 10)
        EXPECT_NE(test::At(g.E().DisplaySurface, 700, y), kThumbColour) << y;
    g.Wheel(1);
    EXPECT_EQ(g.E().BacklogView.Log.Scroll, 0);
}

TEST(LogScreen, TheThumbFollowsTheScrollAndTheLogClosesPastTheNewestLine) {
    Game g(Lines(39) + "\\\n");
    Surface before = g.E().DisplaySurface;
    g.Wheel(1);
    EXPECT_EQ(test::At(g.E().DisplaySurface, 700, 535), kThumbColour);
    g.Wheel(1);
    g.Wheel(1);  // 8 of at most 11 lines back
    EXPECT_EQ(g.E().BacklogView.Log.Scroll, 8);
    EXPECT_EQ(test::At(g.E().DisplaySurface, 700, 530 - 8 * 500 / 11 + 5), kThumbColour);
    g.MouseDown(700, 20);  // the up button: two more, then only up to the oldest screenful
    g.MouseDown(700, 20);
    EXPECT_EQ(g.E().BacklogView.Log.Scroll, 11);
    g.MouseDown(700, 540);  // the track near its bottom: the newest lines
    EXPECT_EQ(g.E().BacklogView.Log.Scroll, 0);
    g.Wheel(-1);
    EXPECT_FALSE(g.E().Shell.BacklogOpen);
    EXPECT_EQ(0, std::memcmp(before.Data(), g.E().DisplaySurface.Data(), before.SizeBytes()));
    g.Wheel(1);
    g.MouseDown(400, 300, MouseButton::Right);
    EXPECT_FALSE(g.E().Shell.BacklogOpen);
}

TEST(LogScreen, BackspaceOpensAndClosesTheLogAndEscapeLeavesTheReplay) {
    Game g("A\n\\\nB\n\\\nC\n\\\n");
    g.ReachPage(3);
    struct Step {
        int key;
        bool key_down;  // a key-down event rather than a character
        bool log_open;
        int mode;
    } steps[] = {
        {vk::kBackspace, false, true, kModeScript},
        {vk::kEscape, false, false, kModeScript},
        {vk::kBackspace, false, true, kModeScript},
        {vk::kBackspace, false, false, kModeScript},
        {vk::kLeft, true, false, kModePageHistory},
        {vk::kBackspace, false, false, kModePageHistory},
        {vk::kEscape, false, false, kModeScript},
    };
    for (const Step& s : steps) {
        s.key_down ? g.Press(s.key) : g.CharKey(s.key);
        EXPECT_EQ(g.E().Shell.BacklogOpen, s.log_open) << s.key;
        EXPECT_EQ(g.E().Shell.MainMode, s.mode) << s.key;
    }
    EXPECT_EQ(g.E().BacklogView.Replay.PagesBack, 0);
}

TEST(LogScreen, AVoiceIconReplaysItsVoiceATextRowNothing) {
    // Rows: @V2, A, @V1, B and the page's end.
    Game g("*voice V2\nA\n*voice V1\nB\n\\\n");
    g.Wheel(1);
    struct Click {
        int row;
        int rate;
    } clicks[] = {{1, 0}, {2, kRateV1}, {3, 0}, {0, kRateV2}};
    for (const Click& c : clicks) {
        g.E().Shell.ClickLockout = 0;  // a left click stops the voice first
        g.MouseDown(160, 10 + 19 * c.row + 9);
        EXPECT_EQ(g.VoiceRate(), c.rate) << c.row;
    }
    EXPECT_TRUE(g.E().Shell.BacklogOpen);
}

TEST(PageReplay, StopsAfterNineteenStepsOrAtTheFirstPage) {
    struct Case {
        int pages;
        int deepest;  // pages back; 0 = the replay does not open
    } cases[] = {{1, 0}, {2, 2}, {5, 5}, {25, 20}};
    for (const Case& c : cases) {
        std::string script;
        for (int i = 0; i < c.pages; ++i)
            script += "P" + std::to_string(i) + "\n\\\n";
        Game g(script);
        g.ReachPage(c.pages);
        g.Press(vk::kLeft);
        if (c.deepest == 0) {
            EXPECT_EQ(g.E().Shell.MainMode, kModeScript);
            continue;
        }
        for (int i = 0; i < 30; ++i)
            g.Press(vk::kLeft);
        EXPECT_EQ(g.E().BacklogView.Replay.PagesBack, c.deepest) << c.pages;
        for (int i = 2; i < c.deepest; ++i)
            g.Press(vk::kRight);
        EXPECT_EQ(g.E().Shell.MainMode, kModePageHistory);
        g.Press(vk::kRight);
        EXPECT_EQ(g.E().Shell.MainMode, kModeScript) << c.pages;
    }
}

TEST(PageReplay, AReplayedPageIsAllYellowAndThePresentComesBack) {
    Game g("*voice V2\n[col 2]赤[col 3]水[col 0]白\n\\\nB\n\\\n");
    g.ReachPage(2);
    const PageRecord& first = g.E().Backlog.History.Pages[0];
    EXPECT_EQ(first.VoiceList.View(), "V2 ");
    EXPECT_TRUE(g.E().Backlog.PageVoiceList.Empty());
    Surface present = g.E().DisplaySurface;
    g.Press(vk::kLeft);
    ASSERT_EQ(g.E().Shell.MainMode, kModePageHistory);
    EXPECT_EQ(g.VoiceRate(), kRateV2);  // the page's first voice
    int inked = 0;
    for (int y = 440; y < 485; ++y) {
        for (int x = 30; x < 150; ++x) {
            test::Pixel p = test::At(g.E().DisplaySurface, x, y);
            if (p.r == 0 && p.g == 0 && p.b == 0) continue;
            ++inked;
            EXPECT_EQ(p.b, 0) << x << "," << y;
            EXPECT_EQ(p.r, p.g) << x << "," << y;
        }
    }
    EXPECT_GT(inked, 50);
    g.Press(vk::kRight);
    EXPECT_EQ(g.E().Shell.MainMode, kModeScript);
    EXPECT_EQ(0, std::memcmp(present.Data(), g.E().DisplaySurface.Data(), present.SizeBytes()));
}

// A saved game may come back in the page history's mode without the replay's kept frame.
TEST(PageReplay, AReplayItDidNotOpenStillLeavesToAWholeFrame) {
    Game g("A\n\\\nB\n\\\n");
    g.ReachPage(2);
    g.E().Shell.MainMode = kModePageHistory;
    g.Press(vk::kRight);
    EXPECT_EQ(g.E().Shell.MainMode, kModeScript);
    EXPECT_EQ(g.E().DisplaySurface.Width(), kScreenWidth);
    EXPECT_EQ(g.E().DisplaySurface.Height(), kScreenHeight);
}

}  // namespace
}  // namespace vespin
