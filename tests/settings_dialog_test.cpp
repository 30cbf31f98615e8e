// The settings store's ranges, the settings dialog's changes through the headless host's
// `setting` events, the name entry through `names` events, and the screenshot command.

#include <gtest/gtest.h>

#include "audio_test_util.h"
#include "core/audio/audio_state.h"
#include "core/screens/name_entry.h"
#include "core/text/sjis.h"
#include "core/text/window_style.h"
#include "headless/event_script.h"
#include "test_game.h"
#include "tools/wady_encoder.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;

GameOptions WithEvents(std::string events, std::map<std::string, std::string> settings = {}) {
    GameOptions o;
    o.Settings = std::move(settings);
    o.Events = std::move(events);
    return o;
}

std::string Stored(TestGame& g, const std::string& name) {
    return g.Host().Store().Read(name).value_or("<none>");
}

TEST(SettingsStore, ValuesOutsideTheirRangeNeverReachTheEngine) {
    struct Case {
        const char* Name;
        const char* Stored;
        int SettingsValues::*Field;
        int Expected;
    };
    const Case cases[] = {
        {"FONTSIZE", "30", &SettingsValues::FONTSIZE, 22},
        {"FONTSIZE2", "5", &SettingsValues::FONTSIZE2, 11},
        {"Vol1", "+500", &SettingsValues::Vol1, 0},
        {"Vol2", "-9000", &SettingsValues::Vol2, -3000},
        {"Vol3", "loud", &SettingsValues::Vol3, -1200},
        {"TXBG_R", "300", &SettingsValues::TXBG_R, 255},
        {"TXBG_A", "-4", &SettingsValues::TXBG_A, 0},
        {"smode", "-1", &SettingsValues::SMode, 0},
        {"SMode", "3", &SettingsValues::SMode, 0},
        {"SMode", "2", &SettingsValues::SMode, 2},
        {"SkipMode", "7", &SettingsValues::SkipMode, 0},
    };
    for (const Case& c : cases) {
        TestGame g({{"main", "\\\n"}}, WithEvents("", {{c.Name, c.Stored}}));
        EXPECT_EQ(g.State().Settings.*c.Field, c.Expected) << c.Name << "=" << c.Stored;
    }
}

TEST(SettingsEvents, AFontChangeReloadsTheFramePictureThatTXWStyleNames) {
    GameOptions o = WithEvents("500 setting FONTSIZE 20\n", {{"TXWStyle", "1"}});
    Surface frame(784, 384);
    frame.Fill(255, 255, 255);  // white, and fully opaque in the lower half
    o.Pictures["sys_tw1"] = frame;
    TestGame g({{"main", "text\n\\\n"}}, o);
    EXPECT_EQ(g.State().Vars.S[51], 1);
    g.RunFor(400);
    EXPECT_NE(test::At(g.Host().DrawingArea(), 400, 590), (test::Pixel{255, 255, 255}));
    g.RunFor(300);
    EXPECT_EQ(test::At(g.Host().DrawingArea(), 400, 590), (test::Pixel{255, 255, 255}));
}

TEST(SettingsEvents, AreCheckedWhenTheScriptIsRead) {
    EXPECT_EQ(ParseEventScript("100 setting Vol1\n").Error, "line 1: setting takes NAME VALUE");
    EXPECT_EQ(ParseEventScript("100 setting SkipMode 1\n").Error,
              "line 1: setting SkipMode is no settings dialog value");
    EXPECT_EQ(ParseEventScript("100 names\n").Error, "line 1: names takes one or two texts");
    EXPECT_TRUE(ParseEventScript("100 setting fontbold 1\n100 names 太郎 花子\n").Error.empty());
}

TEST(SettingsEvents, FontControlsClampAndWriteUnderTheDialogsNames) {
    TestGame g({{"main", "\\\n"}}, WithEvents("0 setting FONTSIZE 30\n0 setting FONTBold 1\n"));
    g.RunFor(100);
    EXPECT_EQ(g.State().Settings.FONTSIZE, 22);
    EXPECT_EQ(Stored(g, "FONTSIZE"), "22");
    EXPECT_TRUE(g.State().Settings.FONTBOLD);
    // One value whatever the case: start-up's FONTBOLD finds the dialog's FONTBold.
    EXPECT_EQ(ReadIntSetting(g.Host().Store(), "FONTBOLD", 0), 1);
}

TEST(SettingsEvents, VolumesReachThePlayingSlotsAtOnce) {
    GameOptions o = WithEvents("500 setting Vol2 -2000\n600 setting Volume -700\n");
    PcmFormat f{1, 22050};
    o.Archives["vg_se2.vsp"] = {{"LOOPA", EncodeWady(WadyCoding::R, f, test::Tone(f, 22050))}};
    TestGame g({{"main", "*seloop LOOPA\n\\\n"}}, o);
    g.RunFor(300);
    EXPECT_EQ(g.Host().Sound().Volume(kSlotLoopingEffect), -800);
    g.RunFor(400);
    EXPECT_EQ(g.Host().Sound().Volume(kSlotLoopingEffect), -2000);
    EXPECT_EQ(g.Host().Sound().MasterVolume(), -700);
    EXPECT_EQ(Stored(g, "Vol2"), "-2000");
    EXPECT_EQ(Stored(g, "Volume"), "<none>");  // the overall volume is not kept
}

TEST(SettingsEvents, WindowTypeRestylesTheWindowAtOnce) {
    TestGame g({{"main", "text\n\\\n"}},
               WithEvents("500 setting WINTYPE 0\n", {{"TXBG_R", "200"}}));
    g.RunFor(400);
    // Left of the picture style's window the scene shows; the tinted window starts at x = 0.
    test::Pixel before = test::At(g.Host().DrawingArea(), 4, 500);
    g.RunFor(200);
    EXPECT_FALSE(g.State().Settings.PictureWindowStyle);
    EXPECT_EQ(&Geometry(g.State()), &kTintedStyle);
    EXPECT_NE(test::At(g.Host().DrawingArea(), 4, 500), before);
    EXPECT_EQ(Stored(g, "WINTYPE"), "0");
}

TEST(SettingsEvents, ScreenModeSwitchesWhenTheDialogCloses) {
    GameOptions o = WithEvents("500 setting SMode 1\n1000 setting SMode 0\n");
    o.ConfigureHost = [](HeadlessHost& h) { h.SetExclusiveDisplayDepth(32); };
    TestGame g({{"main", "\\\n"}}, o);
    g.RunFor(700);
    EXPECT_EQ(g.Host().Layout(), ScreenLayout::FullScreen);
    EXPECT_TRUE(g.Host().ExclusiveDisplay());
    EXPECT_FALSE(g.State().Shell.EngineBusy);
    g.RunFor(500);
    EXPECT_EQ(g.Host().Layout(), ScreenLayout::Windowed);
    EXPECT_FALSE(g.Host().ExclusiveDisplay());
}

TEST(SettingsEvents, TheBorderlessLayoutIsLeftForTheWindowToo) {
    TestGame g({{"main", "\\\n"}}, WithEvents("500 setting SMode 0\n", {{"SMode", "2"}}));
    g.RunFor(300);
    EXPECT_EQ(g.Host().Layout(), ScreenLayout::FullScreen);
    g.RunFor(400);
    EXPECT_EQ(g.Host().Layout(), ScreenLayout::Windowed);
}

TEST(NameEntry, ValidNamesAreOneToThreeFullWidthCharacters) {
    const std::pair<const char*, bool> cases[] = {
        {"", false},    {"あ", true},  {"あいう", true}, {"あいうえ", false}, {"ab", false},
        {"あ1", false}, {"ｱｲ", false}, {"ｱa", false},    {"太郎a", false},    {"１２３", true},
    };
    for (const auto& [utf8, valid] : cases)
        EXPECT_EQ(IsValidName(*sjis::FromUtf8(utf8)), valid) << utf8;
}

constexpr char kNamesScript[] = "*setname\n[?S006]:＄０＄１\n\\\n";

TEST(NameEntry, AcceptedNamesFillTheSlotsAndTheSettings) {
    TestGame g({{"main", kNamesScript}}, WithEvents("0 names 太郎 花子\n"));
    g.RunFor(300);
    EXPECT_NE(g.Transcript().find("[names 太郎 花子 -> ok]"), std::string::npos);
    EXPECT_NE(g.Transcript().find("1:太郎花子"), std::string::npos) << g.Transcript();
    EXPECT_EQ(Stored(g, "PlayerName"), "太郎");
    EXPECT_EQ(Stored(g, "PlayerName2"), "花子");
    EXPECT_FALSE(g.State().Shell.EngineBusy);
}

TEST(NameEntry, RefusedFieldsGetTheirPreviousNameBack) {
    // The first field refused: nothing taken. The second refused: the first stays taken.
    TestGame g({{"main", kNamesScript}},
               WithEvents("0 names 太郎太郎 花子\n0 names 太郎 x1\n0 names 太郎 花子\n",
                          {{"PlayerName2", "健"}}));
    g.RunFor(300);
    std::string t = g.Transcript();
    EXPECT_NE(t.find("[names 和人 花子 -> refused]\n[names 太郎 健 -> refused]\n"
                     "[names 太郎 花子 -> ok]"),
              std::string::npos)
        << t;
}

TEST(NameEntry, TheDefaultFirstNameGivesS006Zero) {
    TestGame g({{"main", kNamesScript}}, WithEvents("0 names 和人 花子\n"));
    g.RunFor(300);
    EXPECT_NE(g.Transcript().find("0:和人花子"), std::string::npos) << g.Transcript();
    EXPECT_EQ(Stored(g, "PlayerName2"), "花子");
}

TEST(Screenshot, TheHostSavesAndABannerSaysSo) {
    TestGame g({{"main", "text\n\\\n"}}, WithEvents("500 command Screenshot\n"));
    test::Pixel during{};
    g.Host().AddShot(1000, [&](const Surface& s) { during = test::At(s, 400, 240); });
    g.RunFor(400);
    test::Pixel before = test::At(g.Host().DrawingArea(), 400, 240);
    g.RunFor(2500);
    EXPECT_EQ(g.Host().ScreenshotCount(), 1);
    EXPECT_NE(during, before);
    EXPECT_EQ(test::At(g.Host().DrawingArea(), 400, 240), before);  // the picture is put back
    EXPECT_FALSE(g.State().Shell.EngineBusy);
}

}  // namespace
}  // namespace vespin
