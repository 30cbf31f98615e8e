// Streamed music and movies through the engine on the headless host.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "audio_test_util.h"
#include "core/audio/audio_state.h"
#include "core/audio/movie.h"
#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/shell/main_loop.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::RawWady;
using test::TestGame;

constexpr int kRate = 8000;  // one second of mono music: 8000 coded bytes, 16000 PCM bytes

// A mono coding-M track of `seconds` whose every byte adds 2 (scale 1), looping at `loop_frame`
// with `loop_value` as the running value there.
std::vector<uint8_t> RampTrack(double seconds, uint32_t loop_frame, int16_t loop_value) {
    size_t bytes = static_cast<size_t>(seconds * kRate);
    std::vector<uint8_t> entry = RawWady(1, kRate, std::vector<uint8_t>(bytes, 0x01), 0, 0, 1);
    wady::Header h;
    wady::ParseHeader(entry, h);
    h.LoopStart = loop_frame;
    h.LoopLeft = loop_value;
    wady::WriteHeader(h, entry.data());
    return entry;
}

GameOptions MusicGame(std::map<std::string, std::string> settings = {}) {
    GameOptions o;
    o.Settings = std::move(settings);
    o.Archives["vg_bgm.vsp"] = {{"M03", RampTrack(6, 0, 0)},
                                {"M05", RampTrack(10, 0, 0)},
                                {"M07", RampTrack(5, kRate, 1000)},
                                {"M08", RampTrack(1.5, kRate / 2, -7)}};
    return o;
}

struct Game {
    explicit Game(const std::string& main, GameOptions o = MusicGame())
        : g({{"main", main}}, std::move(o)) {
        g.Steps(1);
    }
    VirtualSoundDevice& Device() { return g.Host().Sound(); }
    EngineState& E() { return g.State(); }
    std::vector<int16_t> Block(int b) {
        const std::vector<int16_t>& s = Device().Samples(kSlotMusic);
        return std::vector<int16_t>(s.begin() + b * kRate, s.begin() + (b + 1) * kRate);
    }
    TestGame g;
};

std::vector<int16_t> Ramp(int16_t from, size_t count) {
    std::vector<int16_t> out;
    for (size_t i = 0; i < count; ++i)
        out.push_back(static_cast<int16_t>(from + 2 * (i + 1)));
    return out;
}

TEST(Music, TheSameTrackTwiceDoesNotRestartIt) {
    Game game("*music 5\n*music 5\n\\\n");
    game.g.Steps(2);
    EXPECT_EQ(game.E().Vars.S[3], 5);
    EXPECT_EQ(game.E().Vars.S[5], 5);
    EXPECT_EQ(game.Device().FillCount(kSlotMusic), 1);
    EXPECT_TRUE(game.Device().Looping(kSlotMusic));
    EXPECT_EQ(game.Device().Volume(kSlotMusic), -1200);
    // Four one-second blocks to begin with.
    EXPECT_EQ(game.Device().Samples(kSlotMusic).size(), 4u * kRate);
    EXPECT_EQ(game.Block(0), Ramp(0, kRate));
}

TEST(Music, ZeroStopsAtOnceAndAMissingTrackPlaysNothing) {
    Game game("*music 5\n\\\n*music 0\n*music 9\n\\\n");
    game.g.Steps(2);
    ASSERT_TRUE(game.Device().Holds(kSlotMusic));
    game.g.Click();
    game.g.Steps(3);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
    EXPECT_EQ(game.E().Audio.Music.Source, MusicSource::Stopped);
    EXPECT_EQ(game.E().Vars.S[3], 9);
    EXPECT_EQ(game.E().Vars.S[5], 9);  // requested and recorded, though there is no M09
}

TEST(Music, AFadeOfTwentyFromMinus1200StopsOnThe91stTick) {
    Game game("\\\n");
    EngineState& e = game.E();
    SetMusic(e, 5);
    SetMusic(e, -20);
    EXPECT_EQ(e.Vars.S[3], 0);
    EXPECT_EQ(e.Vars.S[5], 0);
    MusicTick(e);
    EXPECT_EQ(game.Device().Volume(kSlotMusic), -1220);
    for (int tick = 2; tick <= 90; ++tick)
        MusicTick(e);
    EXPECT_TRUE(game.Device().Holds(kSlotMusic));
    EXPECT_EQ(game.Device().Volume(kSlotMusic), -3000);
    MusicTick(e);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
    EXPECT_EQ(e.Audio.Music.Source, MusicSource::Stopped);
}

TEST(Music, TheSteepestFadeStopsOnTheFirstTick) {
    Game game("*music 5\n*music -2147483648\n\\\n");
    game.g.Steps(2);
    EXPECT_EQ(game.E().Vars.S[3], 0);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
}

TEST(Music, AFadeByTheTimerAlsoStartsFromFullVolume) {
    Game game("*music 5\n*music -20\n\\\n", MusicGame({{"Vol3", "0"}}));
    game.g.Steps(2);
    ASSERT_TRUE(game.Device().Holds(kSlotMusic));
    // From 0 to below -3000 in 151 ticks of 55 ms.
    game.g.RunFor(150 * 55 - 30);
    EXPECT_TRUE(game.Device().Holds(kSlotMusic));
    game.g.RunFor(200);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
}

TEST(Music, MusicOffRecordsNothingAndSwitchingItOnStartsTheRequest) {
    Game game("*music 3\n\\\n", MusicGame({{"BGM", "1"}}));
    game.g.Steps(2);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
    EXPECT_EQ(game.E().Vars.S[3], 3);
    EXPECT_EQ(game.E().Vars.S[5], 0);
    ChangeMusicSetting(game.E(), 0);
    EXPECT_TRUE(game.Device().Holds(kSlotMusic));
    EXPECT_EQ(game.E().Vars.S[3], 3);
    EXPECT_EQ(game.E().Vars.S[5], 3);
    ChangeMusicSetting(game.E(), 1);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
    EXPECT_EQ(game.E().Vars.S[3], 3);
    EXPECT_EQ(game.E().Vars.S[5], 0);
    // BGM values other than 0 and 1 play nothing but record the request.
    ChangeMusicSetting(game.E(), 2);
    EXPECT_EQ(game.E().Vars.S[5], 3);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
}

TEST(Music, TheTimerRefillsBlocksBehindThePlayPosition) {
    Game game("*music 5\n\\\n");
    game.g.Steps(2);
    // In the third second, blocks 0 and 1 hold seconds 4 and 5; block 2 plays; 3 is second 3.
    game.g.RunFor(2500);
    EXPECT_EQ(game.E().Audio.Music.NextBlock, 2);
    EXPECT_EQ(game.Block(0), Ramp(static_cast<int16_t>(2 * 4 * kRate), kRate));
    EXPECT_EQ(game.Block(1), Ramp(static_cast<int16_t>(2 * 5 * kRate), kRate));
    EXPECT_EQ(game.Block(3), Ramp(static_cast<int16_t>(2 * 3 * kRate), kRate));
}

TEST(Music, DataEndingOnABlockBoundaryContinuesAtTheLoopPoint) {
    // Five seconds looping at second 1 with the value 1000: the fifth second fills block 0,
    // then block 1 starts over at the loop point from 1000.
    Game game("*music 7\n\\\n");
    game.g.Steps(2);
    game.g.RunFor(2500);
    EXPECT_EQ(game.Block(0), Ramp(static_cast<int16_t>(2 * 4 * kRate), kRate));
    EXPECT_EQ(game.Block(1), Ramp(1000, kRate));
    EXPECT_EQ(game.E().Audio.Music.ReadPosition - game.E().Audio.Music.Loop, kRate);
}

TEST(Music, ATrackShorterThanTheFirstFillLoopsInsideIt) {
    // 1.5 s looping at 0.5 s with -7: the first fill plays 0..1.5 s, then 0.5..1.5 s from -7
    // again and again.
    Game game("*music 8\n\\\n");
    game.g.Steps(2);
    const std::vector<int16_t>& ring = game.Device().Samples(kSlotMusic);
    ASSERT_EQ(ring.size(), 4u * kRate);
    std::vector<int16_t> expected = Ramp(0, kRate * 3 / 2);
    while (expected.size() < ring.size()) {
        std::vector<int16_t> loop = Ramp(-7, kRate);
        expected.insert(expected.end(), loop.begin(), loop.end());
    }
    expected.resize(ring.size());
    EXPECT_EQ(ring, expected);
}

TEST(Music, MalformedTracksStaySilent) {
    GameOptions o;
    std::vector<uint8_t> no_rate = RampTrack(2, 0, 0);
    no_rate[8] = no_rate[9] = no_rate[10] = no_rate[11] = 0;
    std::vector<uint8_t> far_loop = RampTrack(2, 0, 0);
    far_loop[24] = far_loop[25] = far_loop[26] = far_loop[27] = 0xFF;  // loop past the data
    std::vector<uint8_t> cut = RampTrack(2, 0, 0);
    cut[12] = cut[13] = cut[14] = 0xFF;  // claims far more coded data than the file holds
    o.Archives["vg_bgm.vsp"] = {
        {"M01", no_rate}, {"M02", far_loop}, {"M03", cut}, {"M04", {'W', 'A', 'D', 'Y'}}};
    Game game("\\\n", o);
    SetMusic(game.E(), 1);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
    SetMusic(game.E(), 4);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
    // A loop point past the data loops the whole track; data cut short loops at the file's end.
    SetMusic(game.E(), 2);
    EXPECT_TRUE(game.Device().Holds(kSlotMusic));
    EXPECT_EQ(game.Block(2), Ramp(0, kRate));
    SetMusic(game.E(), 3);
    EXPECT_TRUE(game.Device().Holds(kSlotMusic));
    game.g.RunFor(6000);
    EXPECT_TRUE(game.Device().IsPlaying(kSlotMusic));
}

TEST(Music, AnAnimationStreamPlaysThroughItsOwnHandle) {
    Game game("\\\n");
    std::filesystem::path archive = game.g.Folder() / "vg_bgm.vsp";
    const ArchiveDirectory& dir = game.E().Archives[ArchiveId::Bgm];
    int index = FindEntry(dir, "M05");
    ASSERT_GE(index, 0);
    StartMusicStream(game.E(), archive, dir.Offsets[index]);
    EXPECT_EQ(game.E().Audio.Music.Source, MusicSource::AnimationStream);
    EXPECT_TRUE(game.Device().Holds(kSlotMusic));
    StopMusicStream(game.E());
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
}

TEST(Music, ClosingTheWindowStopsTheMusic) {
    Game game("*music 5\n*exitgame\n");
    game.g.RunFor(500);
    EXPECT_FALSE(game.Device().Holds(kSlotMusic));
}

// The start of an AVI file whose main header says `frames` frames of `micros` microseconds.
std::vector<uint8_t> AviHead(uint32_t micros, uint32_t frames) {
    std::vector<uint8_t> b(64, 0);
    std::memcpy(b.data(), "RIFF", 4);
    std::memcpy(b.data() + 8, "AVI LIST", 8);
    std::memcpy(b.data() + 20, "hdrlavih", 8);
    for (int i = 0; i < 4; ++i) {
        b[32 + i] = static_cast<uint8_t>(micros >> (8 * i));
        b[48 + i] = static_cast<uint8_t>(frames >> (8 * i));
    }
    return b;
}

void WriteFile(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST(Movie, PlaysForItsDurationWhileTheEngineHolds) {
    Game game("*movie op.avi\nA\n\\\n");
    WriteFile(game.g.Folder() / "op.avi", AviHead(40000, 50));  // two seconds
    game.g.Steps(2);
    VirtualMoviePlayer& player = game.g.Host().MoviePanel();
    EXPECT_EQ(player.DurationMs(), 2000u);
    EXPECT_TRUE(player.PanelVisible());
    EXPECT_TRUE(game.E().Shell.EngineBusy);
    EXPECT_TRUE(game.E().Shell.ToolbarLocked);
    game.g.RunFor(1900);
    EXPECT_TRUE(player.PanelVisible());
    EXPECT_EQ(game.g.Transcript().find('A'), std::string::npos);
    // Checked every 11th tick: ended within 11 ticks of the movie's end.
    game.g.RunFor(100 + 11 * 55);
    EXPECT_FALSE(player.PanelVisible());
    EXPECT_FALSE(game.E().Shell.EngineBusy);
    EXPECT_FALSE(game.E().Shell.ToolbarLocked);
    game.g.RunFor(200);
    EXPECT_NE(game.g.Transcript().find('A'), std::string::npos);
}

TEST(Movie, AClickEndsAMovieOfUnknownLengthAndMissingFilesAreSkipped) {
    Game game("*movie missing.avi\n*movie clip.mpg\nA\n\\\n");
    WriteFile(game.g.Folder() / "clip.mpg", std::vector<uint8_t>(100, 1));
    game.g.Steps(3);
    VirtualMoviePlayer& player = game.g.Host().MoviePanel();
    EXPECT_EQ(player.OpenCount(), 1);
    ASSERT_TRUE(player.PanelVisible());
    game.g.RunFor(30000);
    EXPECT_TRUE(player.PanelVisible());  // no length known: it plays until a click
    InputEvent click;
    click.kind = InputKind::MouseDown;
    HandleInput(game.E(), click);
    EXPECT_FALSE(player.PanelVisible());
    EXPECT_FALSE(game.E().Shell.EngineBusy);
    game.g.RunFor(200);
    EXPECT_NE(game.g.Transcript().find('A'), std::string::npos);
}

}  // namespace
}  // namespace vespin
