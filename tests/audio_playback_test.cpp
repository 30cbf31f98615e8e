// Voices, effects and looping effects through the engine on the headless host: where a name is
// found, which slot plays it, and what switches it off.

#include <gtest/gtest.h>

#include <algorithm>

#include "audio_test_util.h"
#include "core/audio/audio_state.h"
#include "core/audio/sound.h"
#include "core/audio/sound_commands.h"
#include "core/text/backlog.h"
#include "test_game.h"
#include "tools/ogg_encoder.h"
#include "tools/wady_encoder.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;
using test::Tone;

std::vector<uint8_t> EffectR(int rate, double seconds = 0.5, int channels = 1) {
    PcmFormat f{channels, rate};
    return EncodeWady(WadyCoding::R, f, Tone(f, static_cast<size_t>(rate * seconds)));
}

std::vector<uint8_t> VoiceOgg(int rate, double seconds = 0.5) {
    PcmFormat f{1, rate};
    return EncodeOggVorbis(f, Tone(f, static_cast<size_t>(rate * seconds)));
}

// A game whose sound archives hold: V001 as Ogg (11025 Hz) and as WADY (22050 Hz), V002 a
// one-second WADY voice, SEA in vg_se0 (16000 Hz) and in vg_se2 (8000 Hz), the looping LOOPA
// (12000 Hz) and LOOPB (24000 Hz), SEH2TEST and a category-4 variant, SSE01, and V900 only in
// vg_wav5.
GameOptions SoundGame(std::map<std::string, std::string> settings = {}) {
    GameOptions o;
    o.Settings = std::move(settings);
    o.Archives["vg_ogg1.vsp"] = {{"V001", VoiceOgg(11025)}};
    o.Archives["vg_wav1.vsp"] = {{"V001", EffectR(22050, 0.5, 2)},
                                 {"V002", EffectR(22050, 1.0)},
                                 {"SSE01", EffectR(22050, 0.2)}};
    o.Archives["vg_wav5.vsp"] = {{"V900", EffectR(22050)}};
    o.Archives["vg_se0.vsp"] = {
        {"SEA", EffectR(16000)}, {"SEH2TEST", EffectR(16000)}, {"SEH4____2_C", EffectR(32000)}};
    o.Archives["vg_se2.vsp"] = {
        {"SEA", EffectR(8000)}, {"LOOPA", EffectR(12000)}, {"LOOPB", EffectR(24000)}};
    return o;
}

struct Game {
    explicit Game(const std::string& main, GameOptions o = SoundGame())
        : g({{"main", main}}, std::move(o)) {
        g.Steps(1);  // the first pass loads main and opens the device
    }
    VirtualSoundDevice& Device() { return g.Host().Sound(); }
    EngineState& E() { return g.State(); }
    TestGame g;
};

TEST(SoundArchives, OggComesBeforeWadyAndEffectsBeforeLoops) {
    Game game("*voice V001\n*se SEA\n\\\n");
    game.g.Steps(2);
    VirtualSoundDevice& d = game.Device();
    ASSERT_TRUE(d.Holds(kSlotVoice));
    EXPECT_EQ(d.Format(kSlotVoice), (PcmFormat{1, 11025}));  // the Ogg version
    ASSERT_TRUE(d.Holds(kSlotEffect));
    EXPECT_EQ(d.Format(kSlotEffect).SampleRate, 16000);  // from vg_se0, once
    EXPECT_FALSE(d.Looping(kSlotEffect));
    EXPECT_FALSE(d.Holds(kSlotLoopingEffect));
    EXPECT_TRUE(game.E().Audio.Sound.LoopingSoundName.Empty());
}

TEST(SoundArchives, NamesOnlyInTheFifthVoiceArchiveAreNotFound) {
    Game game("\\\n");
    EXPECT_EQ(PlaySound(game.E(), "v900"), 1);
    EXPECT_EQ(PlaySound(game.E(), "nothing"), 1);
    EXPECT_EQ(game.Device().FillCount(kSlotVoice), 0);
    EXPECT_EQ(PlaySound(game.E(), "v002"), 0);  // names are upper-cased first
    EXPECT_TRUE(game.Device().Holds(kSlotVoice));
}

TEST(SoundEffects, CategorySwitchesAndVariants) {
    Game off("*se SEH2TEST\n\\\n", SoundGame({{"SE2", "0"}}));
    off.g.Steps(2);
    EXPECT_FALSE(off.Device().Holds(kSlotEffect));
    Game on("*se SEH2TEST\n\\\n", SoundGame({{"SE2", "1"}}));
    on.g.Steps(2);
    EXPECT_TRUE(on.Device().Holds(kSlotEffect));

    // Category 4: the ninth character picks SE_LVLk, which raises the eleventh.
    Game variant("*se seh4____2_a\n\\\n", SoundGame({{"SE_LVL1", "2"}}));
    variant.g.Steps(2);
    ASSERT_TRUE(variant.Device().Holds(kSlotEffect));
    EXPECT_EQ(variant.Device().Format(kSlotEffect).SampleRate, 32000);
    EngineState& e = variant.E();
    EXPECT_EQ(EffectName(e, "SEH4____6_A"), "SEH4____6_A");  // k = 5: no setting, unchanged
    EXPECT_EQ(EffectName(e, "SEH4_"), "SEH4_");              // too short for a variant
    EXPECT_EQ(EffectName(e, "SEH9X"), "SEH9X");              // no category 9: always plays
    e.Settings.SE[4] = 0;
    EXPECT_EQ(EffectName(e, "SEH4____2_A"), "");
}

TEST(SoundEffects, VoicesOffSilencesVoicesAndScreenSoundsButNotEffects) {
    Game game("*voice V002\n*se SEA\n\\\n", SoundGame({{"Wave", "1"}}));
    game.g.Steps(2);
    PlayVoice(game.E(), "SSE01");
    EXPECT_FALSE(game.Device().Holds(kSlotVoice));
    EXPECT_EQ(game.Device().FillCount(kSlotVoice), 0);
    EXPECT_TRUE(game.Device().Holds(kSlotEffect));
    // The voice is still logged and remembered.
    EXPECT_EQ(game.E().Audio.Sound.LastVoice.View(), "V002");
    EXPECT_EQ(BacklogLine(game.E().Backlog, 0), "@V002");
}

TEST(SoundEffects, SkippingSilencesVoices) {
    Game game("\\\n");
    game.E().Shell.SkipState = 1;
    PlayVoice(game.E(), "V002");
    EXPECT_FALSE(game.Device().Holds(kSlotVoice));
}

TEST(LoopingSound, ASecondLoopReplacesTheFirstAndSeoffStopsIt) {
    Game game("*seloop LOOPA\n*se loopb\n\\\n*seoff\n\\\n");
    game.g.Steps(2);
    VirtualSoundDevice& d = game.Device();
    ASSERT_TRUE(d.Holds(kSlotLoopingEffect));
    EXPECT_TRUE(d.Looping(kSlotLoopingEffect));
    EXPECT_EQ(d.Format(kSlotLoopingEffect).SampleRate, 24000);
    EXPECT_EQ(d.FillCount(kSlotLoopingEffect), 2);
    EXPECT_EQ(game.E().Audio.Sound.LoopingSoundName.View(), "LOOPB");
    game.g.RunFor(3000);  // a loop never ends by itself
    EXPECT_TRUE(d.IsPlaying(kSlotLoopingEffect));
    game.g.Click();
    game.g.Steps(3);
    EXPECT_FALSE(d.Holds(kSlotLoopingEffect));
    EXPECT_TRUE(game.E().Audio.Sound.LoopingSoundName.Empty());
}

TEST(Voices, WaitForTheVoiceEndHoldsTheScript) {
    Game game("*voice V002\n*wait_v_end\nA\n\\\n");
    uint32_t start = game.g.Host().NowMs();
    ASSERT_TRUE(
        game.g.RunUntil([&] { return game.g.Transcript().find('A') != std::string::npos; }));
    uint32_t waited = game.g.Host().NowMs() - start;
    EXPECT_GE(waited, 1000u);         // the voice lasts one second
    EXPECT_LT(waited, 1000u + 200u);  // and the next timer tick notices its end
    EXPECT_FALSE(game.E().Shell.VoiceWaitPending);
}

TEST(Voices, AClickStopsTheVoiceAndTheInlineTagPlaysOne) {
    Game game("[voice V002]Hi\\\nB\n\\\n");
    game.g.Steps(4);
    EXPECT_TRUE(IsVoicePlaying(game.E()));
    EXPECT_EQ(game.E().Backlog.PageVoiceList.View(), "V002 ");
    EXPECT_EQ(game.E().Audio.Sound.LastVoice.View(), "V002");
    game.E().Shell.ClickLockout = 0;
    game.g.Click();
    EXPECT_FALSE(game.Device().Holds(kSlotVoice));
}

TEST(Voices, AQuickSecondClickLeavesTheNewVoicePlaying) {
    Game game("*voice V002\nA\n\\\n*voice V002\nB\n\\\nC\n\\\n");
    game.g.RunFor(500);
    game.E().Shell.ClickLockout = 0;
    game.g.Click();  // stops the first voice and starts the next page
    EXPECT_FALSE(game.Device().Holds(kSlotVoice));
    game.g.Steps(6);  // the next voice starts within fewer than 8 passes
    ASSERT_TRUE(IsVoicePlaying(game.E()));
    game.g.Click();
    EXPECT_TRUE(IsVoicePlaying(game.E()));
}

TEST(Voices, AutoAdvanceWaitsForTheVoice) {
    Game game("*voice V002\nA\n\\\nB\n\\\n");
    game.E().Vars.S[26] = 1;  // the fastest auto-advance
    ASSERT_TRUE(game.g.RunUntil([&] { return game.E().Shell.WaitKind != 0; }, 2000));
    uint32_t wait_began = game.g.Host().NowMs();
    ASSERT_TRUE(
        game.g.RunUntil([&] { return game.g.Transcript().find('B') != std::string::npos; }));
    // The page ends only after the one-second voice has.
    EXPECT_GE(game.g.Host().NowMs(), 1000u);
    EXPECT_GT(game.g.Host().NowMs() - wait_began, 200u);
    EXPECT_FALSE(IsVoicePlaying(game.E()));
}

TEST(Voices, NoSoundOutputMeansNoVoicesAndNoVoiceWait) {
    GameOptions o = SoundGame();
    o.ConfigureHost = [](HeadlessHost& h) { h.SetSoundOutputPresent(false); };
    Game game("*wait_v_end\nA\n\\\n", o);
    EXPECT_FALSE(game.E().Shell.SoundDevicePresent);
    EXPECT_FALSE(SoundReady(game.E()));
    game.g.RunFor(200);
    EXPECT_NE(game.g.Transcript().find('A'), std::string::npos);
}

TEST(Voices, ADeviceThatFailsToOpenLeavesTheGameSilent) {
    GameOptions o = SoundGame();
    o.ConfigureHost = [](HeadlessHost& h) { h.SetSoundDeviceOpens(false); };
    Game game("*se SEA\n*voice V002\nA\n\\\n", o);
    game.g.RunFor(300);
    EXPECT_TRUE(game.E().Shell.SoundDevicePresent);
    EXPECT_FALSE(SoundReady(game.E()));
    EXPECT_EQ(game.Device().FillCount(kSlotEffect), 0);
    EXPECT_NE(game.g.Transcript().find('A'), std::string::npos);
    EXPECT_EQ(PlaySound(game.E(), "SEA"), 0);
}

TEST(Volumes, SlotsTakeTheirSettingAndRepaintsReapplyThem) {
    Game game("*voice V002\n*se SEA\n*seloop LOOPA\n\\\n",
              SoundGame({{"Vol1", "-100"}, {"Vol2", "-900"}}));
    game.g.Steps(2);
    VirtualSoundDevice& d = game.Device();
    EXPECT_EQ(d.Volume(kSlotVoice), -100);
    EXPECT_EQ(d.Volume(kSlotEffect), -900);
    EXPECT_EQ(d.Volume(kSlotLoopingEffect), -900);
    game.E().Settings.Vol2 = -300;
    SetOverallVolume(game.E(), -500);
    EXPECT_EQ(d.Volume(kSlotEffect), -300);
    EXPECT_EQ(d.MasterVolume(), -500);
    d.SetVolume(kSlotVoice, -2000);  // as a fade or another program might leave it
    ApplyVolumes(game.E());          // what every repaint runs
    EXPECT_EQ(d.Volume(kSlotVoice), -100);
}

TEST(Volumes, TheMixHearsEachSlotAtItsVolume) {
    GameOptions o = SoundGame({{"Vol2", "-600"}});
    o.ConfigureHost = [](HeadlessHost& h) { h.Sound().StartCapture(); };
    Game game("*se SEA\n\\\n", o);
    game.g.RunFor(1000);
    const std::vector<int16_t>& mix = game.Device().Captured();
    ASSERT_GE(mix.size(), 2u * 44100 * 9 / 10);
    auto peak = [&](size_t from_ms, size_t to_ms) {
        int p = 0;
        for (size_t i = from_ms * 441 / 10 * 2; i < to_ms * 441 / 10 * 2 && i < mix.size(); ++i)
            p = std::max(p, std::abs(static_cast<int>(mix[i])));
        return p;
    };
    // The 0.5 s effect at -6 dB: about half of its 12000 peak, then silence.
    int loud = peak(100, 400);
    EXPECT_NEAR(loud, 12000 * 0.501, 400);
    EXPECT_EQ(peak(700, 950), 0);
}

TEST(BadSounds, UnplayableEntriesPlayNothing) {
    GameOptions o = SoundGame();
    std::vector<uint8_t> eight_bit = EffectR(8000);
    eight_bit[46] = 8;  // bits per sample in the format record
    std::vector<uint8_t> not_wady = EffectR(8000);
    not_wady[0] = 'X';
    std::vector<uint8_t> bad_ogg(3000, 0x4F);
    o.Archives["vg_ogg2.vsp"] = {{"BADOGG", bad_ogg}};
    o.Archives["vg_se1.vsp"] = {{"EIGHT", eight_bit}, {"NOTWADY", not_wady}, {"EMPTY", {}}};
    Game game("*voice BADOGG\n*se EIGHT\n*se NOTWADY\n*se EMPTY\nA\n\\\n", o);
    game.g.RunFor(300);
    EXPECT_EQ(game.Device().FillCount(kSlotVoice), 0);
    EXPECT_EQ(game.Device().FillCount(kSlotEffect), 0);
    EXPECT_NE(game.g.Transcript().find('A'), std::string::npos);
}

}  // namespace
}  // namespace vespin
