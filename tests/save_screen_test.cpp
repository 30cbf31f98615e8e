// The save and load screens and the yes/no band through the headless host: opening them from the
// toolbar and from scripts, hovering, saving, overwriting, loading, closing, and the exact pixels
// of the darkened backdrop, the pulsing strip and the band.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/persistence/quick_load.h"
#include "core/persistence/save_game.h"
#include "core/persistence/save_screen.h"
#include "core/persistence/yes_no_band.h"
#include "core/shell/main_loop.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::GameOptions;
using test::Pixel;
using test::TestGame;
using Points = std::initializer_list<std::pair<int, int>>;

// Two pages on a coloured scene; saving and loading are allowed from the first line.
const char* kTwoPages = "!S000=0\n*gra S48c\nFirst page\n\\\n!V001=7\nSecond page\n\\\n";

// The screens' pictures: one flat colour each, so the backdrop arithmetic shows at any point
// away from the captions.
GameOptions WithScreens() {
    GameOptions o = test::WholeLines();
    Surface save(kScreenWidth, kScreenHeight), load(kScreenWidth, kScreenHeight);
    save.Fill(20, 40, 60);
    load.Fill(200, 10, 0);
    o.Pictures["save"] = save;
    o.Pictures["load"] = load;
    return o;
}

struct Game : TestGame {
    explicit Game(test::ScriptList scripts = {{"main", kTwoPages}}, GameOptions o = WithScreens())
        : TestGame(scripts, o) {
        RunUntil([&] { return State().Shell.WaitKind != 0; }, 5000);
    }
    ShellState& Shell() { return State().Shell; }
    SaveScreen& Screen() { return State().SaveUi.Screen; }
    void NextPage() {
        RunFor(400);
        MouseDown(5, 5);
        RunUntil([&] { return Shell().WaitKind != 0; }, 5000);
    }
    // The middle of slot n's row.
    static void SlotPoint(int n, int& x, int& y) {
        x = n <= 16 ? 200 : 570;
        y = 100 + 30 * ((n - 1) % 16) + 15;
    }
    void ClickSlot(int n, MouseButton button = MouseButton::Left) {
        int x, y;
        SlotPoint(n, x, y);
        MouseMove(x, y);
        MouseDown(x, y, button);
    }
    bool SlotFileExists(int n) { return std::filesystem::exists(SlotPath(State(), n)); }
};

// The rows of a slot's saved page that the screen previews, one after the other.
std::string PreviewText(const EngineState& e, int slot) {
    std::string all;
    for (const std::string& line : ReadSlotSummary(e, slot).Preview)
        all += line + "|";
    return all;
}

TEST(SaveScreenLayout, PointsFindTheirSlot) {
    struct Case {
        int x, y, slot;
    } cases[] = {
        {70, 100, 1},  {369, 129, 1}, {369, 130, 2},  {200, 579, 16}, {200, 580, 0},
        {69, 100, 0},  {370, 100, 0}, {200, 99, 0},   {438, 100, 17}, {737, 579, 32},
        {738, 300, 0}, {437, 300, 0}, {600, 250, 22}, {400, 300, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SlotAtPoint(c.x, c.y), c.slot) << c.x << "," << c.y;
}

TEST(SaveScreenLayout, StripsAndCaptionsFollowTheirSlot) {
    struct Case {
        int slot, strip_x, strip_y, caption_x, caption_y;
    } cases[] = {{1, 46, 101, 70, 100},
                 {16, 46, 551, 70, 550},
                 {17, 414, 101, 438, 100},
                 {32, 414, 551, 438, 550}};
    for (const Case& c : cases) {
        Rect r = HighlightStrip(c.slot);
        int x, y;
        CaptionOrigin(c.slot, x, y);
        EXPECT_EQ(r.x, c.strip_x) << c.slot;
        EXPECT_EQ(r.y, c.strip_y) << c.slot;
        EXPECT_EQ(r.w, 344);
        EXPECT_EQ(r.h, 16);
        EXPECT_EQ(x, c.caption_x);
        EXPECT_EQ(y, c.caption_y);
    }
}

TEST(SaveScreenLayout, TheHighlightLevelRisesToEightAndFolds) {
    const int expected[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 6, 5, 4, 3, 2, 1, 0};
    for (uint32_t t = 0; t < 48; ++t)
        EXPECT_EQ(HighlightLevel(t), expected[t % 16]) << t;
}

TEST(SaveScreenLayout, TheStripRaisesRedInThreeBands) {
    struct Case {
        int x, level, red_in, red_out;
    } cases[] = {{0, 8, 100, 164},  {15, 3, 250, 255},  {16, 8, 100, 100}, {23, 8, 100, 100},
                 {24, 8, 100, 228}, {343, 8, 200, 255}, {100, 0, 77, 77}};
    for (const Case& c : cases) {
        Surface strip(344, 16);
        strip.Fill(11, 22, static_cast<uint8_t>(c.red_in));
        RaiseStripRed(strip, c.level);
        EXPECT_EQ(At(strip, c.x, 7), (Pixel{11, 22, c.red_out})) << c.x << " level " << c.level;
    }
}

TEST(SaveScreen, TheToolbarOpensItOverTheDarkenedFrame) {
    Game g;
    Surface before = g.State().DisplaySurface;
    g.Command(UiCommand::SpeedButton3);
    ASSERT_EQ(g.Shell().SaveScreenState, 2);
    EXPECT_EQ(g.Screen().Mode, SaveScreenMode::Save);
    EXPECT_TRUE(g.Shell().ToolbarLocked);
    EXPECT_FALSE(g.Host().Toolbar().SaveEnabled);
    EXPECT_FALSE(g.Host().Toolbar().LoadEnabled);
    // Each byte is the frame at 30/256 plus the picture's (20, 40, 60), saturating.
    for (auto [x, y] : Points{{790, 10}, {5, 590}, {400, 450}, {790, 300}}) {
        Pixel d = At(before, x, y);
        Pixel expect{std::min(((d.b * 30) >> 8) + 20, 255), std::min(((d.g * 30) >> 8) + 40, 255),
                     std::min(((d.r * 30) >> 8) + 60, 255)};
        EXPECT_EQ(At(g.State().DisplaySurface, x, y), expect) << x << "," << y;
        EXPECT_EQ(At(g.State().DrawingArea, x, y), expect) << x << "," << y;
    }
    g.RunFor(500);  // the screen holds the script
    EXPECT_EQ(g.Transcript().find("Second"), std::string::npos);
}

TEST(SaveScreen, ToolbarPressesThatMustNotOpenIt) {
    struct Case {
        const char* script;
        UiCommand button;
    } cases[] = {
        {"First\n\\\n", UiCommand::SpeedButton4},             // S000 is 3 from start-up
        {"!S000=1\nFirst\n\\\n", UiCommand::SpeedButton3},    // saving barred, loading not
        {"!S000=0\n*sleep 2000\n", UiCommand::SpeedButton3},  // no wait or choice holds it
    };
    for (const Case& c : cases) {
        Game g({{"main", c.script}});
        g.RunFor(100);
        g.Command(c.button);
        EXPECT_EQ(g.Shell().SaveScreenState, 0) << c.script;
    }
}

TEST(SaveScreen, ScriptCommandsOpenItInTheirMode) {
    struct Case {
        const char* script;
        SaveScreenMode mode;
    } cases[] = {{"*save\nafter\n", SaveScreenMode::Save},
                 {"*load\nafter\n", SaveScreenMode::Load}};
    for (const Case& c : cases) {
        TestGame g({{"main", c.script}}, WithScreens());
        g.RunUntil([&] { return g.State().Shell.SaveScreenState == 2; }, 2000);
        ASSERT_EQ(g.State().Shell.SaveScreenState, 2) << c.script;
        EXPECT_EQ(g.State().SaveUi.Screen.Mode, c.mode);
        g.RunFor(300);
        EXPECT_EQ(g.Transcript().find("after"), std::string::npos);
        g.MouseDown(10, 10, MouseButton::Right);
        g.RunFor(300);
        EXPECT_NE(g.Transcript().find("after"), std::string::npos) << c.script;
    }
}

TEST(SaveScreen, AfterAFastSkipTheScreenOpensOverTheSceneTheSkipDidNotDraw) {
    GameOptions o = WithScreens();
    o.Pictures["A001"].Resize(kScreenWidth, kScreenHeight);
    o.Pictures["A001"].Fill(10, 200, 30);
    o.Pictures["A002"].Resize(kScreenWidth, kScreenHeight);
    o.Pictures["A002"].Fill(150, 20, 220);
    Game g({{"main", "!S000=0\n*gra A001\nA\n\\\n*gra A002\n*load\n"}}, o);
    EXPECT_EQ(At(g.State().DisplaySurface, 400, 100), (Pixel{10, 200, 30}));
    g.Shell().SkipState = 3;  // the fast skip: pictures are named, not loaded or drawn
    g.RunUntil([&] { return g.Shell().SaveScreenState == 2; }, 3000);
    ASSERT_EQ(g.Shell().SaveScreenState, 2);
    EXPECT_EQ(g.Shell().SkipState, 0);
    EXPECT_EQ(At(g.Screen().KeptDisplay, 400, 100), (Pixel{150, 20, 220}));
}

TEST(SaveScreen, ASaveByClickWritesTheSlotAndBringsTheFrameBack) {
    Game g;
    Surface before = g.State().DisplaySurface;
    g.Command(UiCommand::SpeedButton3);
    EXPECT_EQ(g.Screen().Slots[4].State, SlotState::Selectable);
    g.ClickSlot(5);
    EXPECT_EQ(g.Shell().SaveScreenState, 0);
    EXPECT_FALSE(g.Shell().ToolbarLocked);
    EXPECT_TRUE(g.SlotFileExists(5));
    EXPECT_EQ(At(g.State().DisplaySurface, 400, 300), At(before, 400, 300));
    EXPECT_NE(PreviewText(g.State(), 5).find("First page"), std::string::npos);
}

TEST(SaveScreen, AUsedSlotAsksAndThenWritesQuietly) {
    Game g;
    g.Command(UiCommand::SpeedButton3);
    g.ClickSlot(3);
    g.NextPage();  // now on the second page
    g.Command(UiCommand::SpeedButton3);
    EXPECT_EQ(g.Screen().Slots[2].State, SlotState::Used);
    g.ClickSlot(3);
    ASSERT_EQ(g.Shell().ConfirmKind, kConfirmOverwrite);
    EXPECT_EQ(g.Shell().SaveScreenState, 2);
    g.MouseMove(320, 200);
    uint32_t start = g.Host().NowMs();
    g.MouseDown(320, 200);
    // No banner: the quiet save takes no time on the virtual clock.
    EXPECT_LT(g.Host().NowMs() - start, 100u);
    EXPECT_EQ(g.Shell().ConfirmKind, 0);
    EXPECT_EQ(g.Shell().SaveScreenState, 0);
    EXPECT_FALSE(g.Shell().ToolbarLocked);
    EXPECT_NE(PreviewText(g.State(), 3).find("Second page"), std::string::npos);
}

TEST(SaveScreen, AnsweringNoKeepsTheScreenAndItsLockedToolbar) {
    Game g;
    g.Command(UiCommand::SpeedButton3);
    g.ClickSlot(2);
    g.Command(UiCommand::SpeedButton3);
    g.ClickSlot(2);
    ASSERT_EQ(g.Shell().ConfirmKind, kConfirmOverwrite);
    g.MouseDown(600, 500);  // "いいえ" is lit
    EXPECT_EQ(g.Shell().ConfirmKind, 0);
    EXPECT_EQ(g.Shell().SaveScreenState, 2);
    EXPECT_TRUE(g.Shell().ToolbarLocked);
    EXPECT_FALSE(g.Host().Toolbar().SaveEnabled);
}

TEST(SaveScreen, TheRightButtonClosesAndRestoresTheFrame) {
    Game g;
    Surface before = g.State().DisplaySurface;
    g.Command(UiCommand::SpeedButton4);
    g.MouseMove(200, 115);
    g.MouseDown(200, 115, MouseButton::Right);
    EXPECT_EQ(g.Shell().SaveScreenState, 0);
    EXPECT_FALSE(g.SlotFileExists(1));
    EXPECT_EQ(g.State().DisplaySurface.SizeBytes(), before.SizeBytes());
    EXPECT_TRUE(std::equal(before.Data(), before.Data() + before.SizeBytes(),
                           g.State().DrawingArea.Data()));
}

TEST(SaveScreen, TheLoadScreenOffersOnlyUsedSlots) {
    Game g;
    g.Command(UiCommand::SpeedButton3);
    g.ClickSlot(20);
    g.Command(UiCommand::SpeedButton4);
    EXPECT_EQ(g.Screen().Slots[19].State, SlotState::Selectable);
    EXPECT_EQ(g.Screen().Slots[0].State, SlotState::NotSelectable);
    int x, y;
    Game::SlotPoint(1, x, y);
    g.MouseMove(x, y);
    EXPECT_EQ(g.Screen().Hovered, 0);
    g.MouseDown(x, y);
    EXPECT_EQ(g.Shell().SaveScreenState, 2);  // nothing to load there
    Game::SlotPoint(20, x, y);
    g.MouseMove(x, y);
    EXPECT_EQ(g.Screen().Hovered, 20);
}

TEST(SaveScreen, HoveringAUsedSlotWritesItsFirstRowsAboveTheSlots) {
    Game g;
    g.Command(UiCommand::SpeedButton3);
    g.ClickSlot(1);
    g.Command(UiCommand::SpeedButton3);
    auto lit = [&] {
        int n = 0;
        for (int y = 24; y < 72; ++y)
            for (int x = 130; x < 400; ++x)
                n += At(g.State().DrawingArea, x, y) == Pixel{255, 255, 255};
        return n;
    };
    int x, y;
    Game::SlotPoint(2, x, y);  // empty: no preview
    g.MouseMove(x, y);
    EXPECT_EQ(lit(), 0);
    Game::SlotPoint(1, x, y);
    g.MouseMove(x, y);
    EXPECT_GT(lit(), 20);
    g.MouseMove(5, 5);  // off the slots: the frame without the preview
    EXPECT_EQ(lit(), 0);
}

TEST(SaveScreen, TheHoveredStripPulsesRedOnTheWindowOnly) {
    Game g;
    g.Command(UiCommand::SpeedButton3);
    int x, y;
    Game::SlotPoint(17, x, y);
    g.MouseMove(x, y);
    for (int pass = 0; pass < 12; ++pass) {
        g.Steps(1);
        int level = HighlightLevel(g.Shell().TimerTickCount);
        const Surface& shown = g.State().DrawingArea;
        const Surface& display = g.State().DisplaySurface;
        Rect r = HighlightStrip(17);
        for (auto [dx, raise] : Points{{3, 8 * level}, {20, 0}, {200, 16 * level}}) {
            Pixel d = At(display, r.x + dx, r.y + 5);
            Pixel expect{d.b, d.g, std::min(d.r + raise, 255)};
            EXPECT_EQ(At(shown, r.x + dx, r.y + 5), expect) << "pass " << pass << " x+" << dx;
        }
        EXPECT_EQ(At(shown, r.x + 100, r.y - 1), At(display, r.x + 100, r.y - 1));
        g.RunFor(40);
    }
}

TEST(SaveScreen, ALoadByClickRestoresTheSavedGame) {
    Game g;
    g.Command(UiCommand::SpeedButton3);
    g.ClickSlot(7);
    g.NextPage();
    ASSERT_EQ(g.State().Vars.V[1], 7);
    g.Command(UiCommand::SpeedButton4);
    g.ClickSlot(7);
    EXPECT_EQ(g.Shell().SaveScreenState, 0);
    EXPECT_FALSE(g.Shell().ToolbarLocked);
    EXPECT_EQ(g.State().Vars.V[1], 0);
}

TEST(SaveScreen, ARefusedLoadBringsTheGameBack) {
    Game g;
    g.Command(UiCommand::SpeedButton3);
    g.ClickSlot(9);
    Surface before = g.State().DisplaySurface;
    g.Command(UiCommand::SpeedButton4);
    std::filesystem::resize_file(SlotPath(g.State(), 9), 100);  // damaged after the screen opened
    g.ClickSlot(9);
    g.RunFor(2000);
    EXPECT_EQ(g.Shell().SaveScreenState, 0);
    EXPECT_FALSE(g.Shell().ToolbarLocked);
    EXPECT_TRUE(std::equal(before.Data(), before.Data() + before.SizeBytes(),
                           g.State().DisplaySurface.Data()));
}

// ---- The yes/no band --------------------------------------------------------------------------

TEST(YesNoBand, RowsDarkenByTheirDistanceFromTheEdge) {
    struct Case {
        int row, weight;
    } cases[] = {{0, 255}, {1, 243}, {15, 75}, {16, 63}, {50, 63}, {71, 63}, {72, 75}, {87, 255}};
    Surface band(800, 88);
    band.Fill(200, 100, 255);
    DarkenBand(band);
    for (const Case& c : cases) {
        Pixel expect{(200 * c.weight) >> 8, (100 * c.weight) >> 8, (255 * c.weight) >> 8};
        EXPECT_EQ(At(band, 400, c.row), expect) << "row " << c.row;
    }
}

// Counts the pixels of one colour in the band's rectangle of an answer.
int CountColour(const Surface& s, int left, Pixel colour) {
    int n = 0;
    for (int y = 194; y < 224; ++y)
        for (int x = left; x < left + 80; ++x)
            n += At(s, x, y) == colour;
    return n;
}

TEST(YesNoBand, NoIsTheDefaultAndThePointerLightsYes) {
    Game g;
    Surface before = g.State().DisplaySurface;
    g.Command(UiCommand::MenuN6);
    ASSERT_EQ(g.Shell().ConfirmKind, kConfirmReturnToTitle);
    EXPECT_TRUE(g.Shell().ToolbarLocked);
    const Pixel yellow{0, 255, 255}, grey{128, 128, 128};
    const Surface& d = g.State().DisplaySurface;
    EXPECT_GT(CountColour(d, 390, yellow), 20);
    EXPECT_EQ(CountColour(d, 300, yellow), 0);
    EXPECT_GT(CountColour(d, 300, grey), 20);
    // Away from the texts the band is the frame darkened: 255/256 on its first row, 63/256 inside.
    for (auto [y, w] : Points{{150, 255}, {151, 243}, {180, 63}, {237, 255}}) {
        Pixel b = At(before, 5, y);
        EXPECT_EQ(At(d, 5, y), (Pixel{(b.b * w) >> 8, (b.g * w) >> 8, (b.r * w) >> 8})) << y;
    }
    struct Move {
        int x, y;
        bool yes;
    } moves[] = {{300, 194, true},  {369, 223, true}, {370, 200, false},
                 {335, 224, false}, {335, 210, true}, {10, 10, false}};
    for (const Move& m : moves) {
        g.MouseMove(m.x, m.y);
        EXPECT_EQ(CountColour(d, 300, yellow) > 20, m.yes) << m.x << "," << m.y;
        EXPECT_EQ(CountColour(d, 390, yellow) > 20, !m.yes) << m.x << "," << m.y;
        EXPECT_TRUE(std::equal(d.Data(), d.Data() + d.SizeBytes(), g.State().DrawingArea.Data()));
    }
    g.MouseDown(10, 10);  // "いいえ": the band goes, the frame is as it was
    EXPECT_EQ(g.Shell().ConfirmKind, 0);
    EXPECT_FALSE(g.Shell().ToolbarLocked);
    EXPECT_TRUE(std::equal(before.Data(), before.Data() + before.SizeBytes(), d.Data()));
}

TEST(YesNoBand, WhileOpenTheScriptWaitsAndKeysDoNothing) {
    Game g({{"main", "!S000=0\nOne\n\\\nTwo\n\\\n"}});
    g.Command(UiCommand::MenuN6);
    g.CharKey(vk::kEnter);
    g.CharKey(vk::kSpace);
    g.RunFor(1000);
    EXPECT_EQ(g.Shell().ConfirmKind, kConfirmReturnToTitle);
    EXPECT_EQ(g.Shell().MainMode, kModeScript);
    EXPECT_EQ(g.Transcript().find("Two"), std::string::npos);
}

TEST(YesNoBand, TheRightButtonNeverConfirms) {
    Game g({{"main", kTwoPages}, {"main2", "Title\n\\\n"}});
    g.Command(UiCommand::MenuN6);
    g.MouseMove(320, 200);
    g.MouseDown(320, 200, MouseButton::Right);
    g.RunFor(500);
    EXPECT_EQ(g.Shell().ConfirmKind, 0);
    EXPECT_EQ(g.Transcript().find("Title"), std::string::npos);
}

TEST(YesNoBand, YesReturnsToTheTitleScript) {
    Game g({{"main", kTwoPages}, {"main2", "Title\n\\\n"}});
    g.Command(UiCommand::MenuN6);
    g.MouseMove(320, 200);
    g.MouseDown(320, 200);
    g.RunUntil([&] { return g.Shell().WaitKind != 0; }, 5000);
    EXPECT_EQ(g.State().Script.CurrentScriptName.View(), "main2");
    EXPECT_EQ(g.State().Script.CallDepth, 0);
    EXPECT_NE(g.Transcript().find("Title"), std::string::npos) << g.Transcript();
}

TEST(YesNoBand, QuickLoadAsksAndLoadsTheQuickSave) {
    Game g;
    ASSERT_TRUE(QuickSave(g.State()));
    EXPECT_TRUE(g.SlotFileExists(kQuickSaveSlot));
    g.NextPage();
    ASSERT_EQ(g.State().Vars.V[1], 7);
    AskQuickLoad(g.State());
    EXPECT_EQ(g.Shell().ConfirmKind, kConfirmQuickLoad);
    g.MouseMove(320, 200);
    g.MouseDown(320, 200);
    EXPECT_EQ(g.Shell().ConfirmKind, 0);
    EXPECT_EQ(g.State().Vars.V[1], 0);
}

}  // namespace
}  // namespace vespin
