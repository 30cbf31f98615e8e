// Animations on the headless host: the entry reader, the schedule, the players' timing on the
// virtual clock, the click rule, dropped events with patch and resync frames, animq's doubling
// and white display, the battle's added effect, and entries that must fail quietly.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/anim/anim_doubling.h"
#include "core/anim/anim_entry.h"
#include "core/anim/anim_player.h"
#include "core/anim/anim_schedule.h"
#include "core/shell/engine_state.h"
#include "headless/event_script.h"
#include "test_game.h"
#include "tools/anim_writer.h"
#include "tools/picture_codec.h"
#include "tools/wady_encoder.h"

namespace vespin {
namespace {

using test::At;
using test::Pixel;

constexpr int kX = 100, kY = 120;  // where the test animations play

// A solid colour per event number, far enough apart to survive JPEG.
Pixel Colour(int k) {
    return {(k * 70) % 256, 255 - (k * 45) % 256, (k * 110 + 60) % 256};
}

std::vector<uint8_t> SolidJpeg(int w, int h, Pixel c) {
    Surface s(w, h);
    s.Fill(uint8_t(c.b), uint8_t(c.g), uint8_t(c.r));
    return EncodeJpeg(s, 95);
}

bool Near(Pixel a, Pixel b) {
    return std::abs(a.b - b.b) <= 6 && std::abs(a.g - b.g) <= 6 && std::abs(a.r - b.r) <= 6;
}

AnimEventInput Key(int k, int size = 64) {
    return AnimEventInput{kKeyFrame, 0, 0, SolidJpeg(size, size, Colour(k))};
}
AnimEventInput Patch(int k, int x, int y) {
    return AnimEventInput{kPatchFrame, int16_t(x), int16_t(y), SolidJpeg(16, 16, Colour(k))};
}
AnimEventInput Resync() {
    return AnimEventInput{kResyncEvent, 0, 0, {}};
}

std::vector<uint8_t> Entry(AnimInput input) {
    if (input.Width == 0) input.Width = input.Height = 64;
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(BuildAnimEntry(input, out, error)) << error;
    return out;
}

AnimInput KeyFrames(int n, int32_t t) {
    AnimInput in;
    in.FrameTime = t;
    for (int k = 0; k < n; ++k)
        in.Events.push_back(Key(k % 5, 8));
    return in;
}

// The headless host, watching what is presented inside the animation's area: the colour at the
// rectangle's centre, and the time. One presentation can be made to take longer, as a slow
// machine would draw it.
class WatchingHost : public HeadlessHost {
  public:
    struct Shown {
        Pixel Centre;
        uint32_t TimeMs;
        bool ToolbarEnabled;
        bool EffectSlot, MusicSlot;  // slots 5 and 3 hold a sound
    };
    void Present(const Surface& source, const Rect& area) override {
        HeadlessHost::Present(source, area);
        if (area.x < kX || area.y < kY || area.w > 128) return;
        shown.push_back({At(DrawingArea(), area.x + area.w / 2, area.y + area.h / 2), NowMs(),
                         Toolbar().StripEnabled, Sound().Holds(5), Sound().Holds(3)});
        if (static_cast<int>(shown.size()) == stall_at) HeadlessHost::SleepMs(stall_ms);
    }
    std::vector<Shown> shown;
    int stall_at = -1;  // the 1-based presentation that takes stall_ms longer
    uint32_t stall_ms = 0;
};

// A game whose main script runs `line`, then sets V001; vg_anim.vsp and vg_anim2.vsp hold the
// given entries.
class AnimGame {
  public:
    AnimGame(const std::string& line, test::ArchiveEntries anim, test::ArchiveEntries anim2 = {},
             const std::string& events = "", const std::string& quality = "0") {
        test::WriteScriptArchive(m_folder.Path() / "vg_data.vsp",
                                 {{"main", line + "\n!V001=1\n\\\n"}});
        test::WriteRawArchive(m_folder.Path() / "vg_anim.vsp", false, anim);
        test::WriteRawArchive(m_folder.Path() / "vg_anim2.vsp", false, anim2);
        host.Store().Write("Delay", "1");
        host.Store().Write("AnimQuality", quality);
        if (!events.empty()) host.SetEvents(ParseEventScript(events).Events);
        engine = std::make_unique<Engine>(host, m_folder.Path());
    }
    EngineState& State() { return engine->State(); }
    // Runs until the line after the animation has run; returns the virtual time from the first
    // picture of the animation to the last (its end), or the whole run when it showed fewer.
    uint32_t Play() {
        uint32_t begin = host.NowMs();
        for (int i = 0; i < 2000 && State().Vars.V[1] != 1; ++i)
            engine->Step();
        EXPECT_EQ(State().Vars.V[1], 1);
        if (host.shown.size() < 2) return host.NowMs() - begin;
        return host.shown.back().TimeMs - host.shown.front().TimeMs;
    }

    test::TempFolder m_folder;
    WatchingHost host;
    std::unique_ptr<Engine> engine;
};

TEST(AnimEntry, HeadersThatCannotBeTrustedAreRejected) {
    struct Case {
        int32_t count, t;
        int64_t entry_size;
        AnimEntryError want;
    } cases[] = {
        {2, 33, 24 + 28, AnimEntryError::None},
        {2, 33, 24 + 27, AnimEntryError::BadCount},
        {-1, 33, 1000, AnimEntryError::BadCount},
        {0x7FFFFFFF, 33, 1000, AnimEntryError::BadCount},
        {1, 0, 1000, AnimEntryError::BadFrameTime},
        {1, -5, 1000, AnimEntryError::BadFrameTime},
        {1, 60001, 1000, AnimEntryError::BadFrameTime},
        {0, 1, 24, AnimEntryError::None},
        {1, 33, 23, AnimEntryError::Truncated},
    };
    for (const Case& c : cases) {
        AnimHeader h;
        h.Count = c.count, h.FrameTime = c.t;
        EXPECT_EQ(CheckAnimHeader(h, c.entry_size), c.want) << c.count << " " << c.t;
    }
    EXPECT_TRUE(AnimRangeInside(10, 90, 100));
    EXPECT_FALSE(AnimRangeInside(10, 91, 100));
    EXPECT_FALSE(AnimRangeInside(-1, 5, 100));
    EXPECT_FALSE(AnimRangeInside(0, 0, 100));
    EXPECT_FALSE(AnimRangeInside(0x7FFFFFFF, 0x7FFFFFFF, 100));
}

TEST(AnimEntry, WriterAndReaderAgree) {
    AnimInput in = KeyFrames(2, 15);
    in.Events.push_back(Patch(3, -4, 7));
    in.Events.push_back(Resync());
    std::vector<uint8_t> bytes = Entry(in);
    AnimEntry entry;
    ASSERT_EQ(ParseAnimEntry(bytes, int64_t(bytes.size()), entry), AnimEntryError::None);
    ASSERT_EQ(entry.Events.size(), 4u);
    EXPECT_EQ(entry.Header.FrameTime, 15);
    EXPECT_EQ(entry.Events[2].Type, kPatchFrame);
    EXPECT_EQ(entry.Events[2].X, -4);
    EXPECT_EQ(entry.Events[2].Y, 7);
    // The resync event carries the two key frames before it, nearest first.
    EXPECT_EQ(entry.Events[3].Size, 0) << "a patch frame precedes it: nothing to carry";
}

TEST(AnimSchedule, PeriodsAndSteps) {
    EXPECT_EQ(EventPeriodUs(33), 33333);
    EXPECT_EQ(EventPeriodUs(15), 66666);
    EXPECT_EQ(EventPeriodUs(40), 40000);
    EXPECT_EQ(EventDueMs(66666, 3), 199);
    struct Case {
        int64_t k, late;
        int32_t t;
        ScheduleStep want;
    } cases[] = {
        {0, 0, 33, {33, 1, 0}},   {5, 33, 33, {0, 6, 0}},   {5, 34, 33, {32, 7, 1}},
        {2, 100, 33, {32, 6, 3}}, {1, -52, 15, {67, 2, 0}}, {0, 66, 33, {33, 3, 2}},
    };
    for (const Case& c : cases) {
        ScheduleStep s = NextScheduleStep(c.k, c.late, c.t);
        EXPECT_EQ(s.SleepMs, c.want.SleepMs) << c.k << " " << c.late;
        EXPECT_EQ(s.NextEvent, c.want.NextEvent) << c.k << " " << c.late;
        EXPECT_EQ(s.Dropped, c.want.Dropped) << c.k << " " << c.late;
    }
}

TEST(AnimPlayer, LastsItsEventsOnTheVirtualClock) {
    struct Case {
        int n;
        int32_t t;
        uint32_t ms;  // the last event is due at period * (n - 1), and has its t
    } cases[] = {{90, 33, 2999}, {10, 15, 614}, {5, 40, 200}, {1, 50, 50}};
    for (const Case& c : cases) {
        AnimGame game("*anim A1," + std::to_string(kX) + "," + std::to_string(kY) + ",0",
                      {{"A1", Entry(KeyFrames(c.n, c.t))}});
        EXPECT_EQ(game.Play(), c.ms) << c.n << " events at t = " << c.t;
    }
}

TEST(AnimPlayer, AtFifteenEventsAreDueEvery66ms) {
    AnimGame game("*anim A1,100,120,0", {{"A1", Entry(KeyFrames(6, 15))}});
    game.Play();
    const auto& shown = game.host.shown;
    ASSERT_GE(shown.size(), 6u);
    // Event 0 at the start, event k > 0 one frame time (15 ms) after event k - 1 was due.
    const uint32_t start = shown[0].TimeMs;
    for (int k = 1; k < 6; ++k)
        EXPECT_EQ(shown[k].TimeMs - start, EventDueMs(66666, k - 1) + 15) << k;
}

TEST(AnimPlayer, ClickStopsOnlyWhenEIsSet) {
    struct Case {
        const char* e;
        bool stops;
    } cases[] = {{"0", false}, {"1", true}, {"V002+1", true}};
    for (const Case& c : cases) {
        AnimGame game(std::string("*anim A1,100,120,") + c.e, {{"A1", Entry(KeyFrames(60, 33))}},
                      {}, "1000 click 700 580 left\n");
        uint32_t took = game.Play();
        EXPECT_EQ(game.State().Vars.S[kAnimationCutShort], c.stops ? 1 : 0) << c.e;
        EXPECT_EQ(took < 1500, c.stops) << c.e << " took " << took;
        // Stopped or not, the last event's picture stays, on screen and in the display.
        EXPECT_TRUE(Near(At(game.host.DrawingArea(), kX + 4, kY + 4), Colour(59 % 5))) << c.e;
        EXPECT_TRUE(Near(At(game.State().DisplaySurface, kX + 4, kY + 4), Colour(59 % 5)));
        EXPECT_EQ(game.State().Shell.InterruptRequest, 0);
    }
}

TEST(AnimPlayer, ToolbarIsDisabledWhilePlayingAndRestoredAfter) {
    AnimGame game("*anim A1,100,120,0", {{"A1", Entry(KeyFrames(3, 33))}});
    game.Play();
    for (const auto& s : game.host.shown)
        EXPECT_FALSE(s.ToolbarEnabled);
    EXPECT_TRUE(game.host.Toolbar().StripEnabled);
    EXPECT_FALSE(game.State().Shell.EngineBusy);
    EXPECT_FALSE(game.State().Anim.Playing);
}

TEST(AnimPlayer, SoundPlaysInEitherFormWhileTheAnimationRuns) {
    const PcmFormat mono{1, 11025};
    const std::vector<int16_t> tone(2000, 1000);
    struct Case {
        const char* what;
        WadyCoding coding;
        bool streamed;
    } cases[] = {{"effect (coding D) in slot 5", WadyCoding::D, false},
                 {"music streamed from the archive in slot 3", WadyCoding::M, true}};
    for (const Case& c : cases) {
        AnimInput in = KeyFrames(3, 33);
        in.Sound = EncodeWady(c.coding, mono, tone);
        std::vector<uint8_t> bytes = Entry(in);
        if (c.streamed)
            bytes[16] = 0x00, bytes[17] = 0x09, bytes[18] = 0x3D, bytes[19] = 0;  // 4000000
        AnimGame game("*anim A1,100,120,0", {{"A1", bytes}});
        game.Play();
        ASSERT_FALSE(game.host.shown.empty());
        EXPECT_EQ(game.host.shown[0].EffectSlot, !c.streamed) << c.what;
        EXPECT_EQ(game.host.shown[0].MusicSlot, c.streamed) << c.what;
        // Stopped at the end, whichever it was.
        EXPECT_FALSE(game.host.Sound().Holds(5)) << c.what;
        EXPECT_FALSE(game.host.Sound().Holds(3)) << c.what;
    }
}

// A slow second picture (40 ms at t = 33) drops event 2: what event 3 does then.
TEST(AnimPlayer, DroppedEventsSkipPatchesUntilAKeyOrResync) {
    struct Case {
        const char* what;
        std::vector<AnimEventInput> events;
        std::vector<int> shown;  // the colour numbers presented, in order (the last is the end)
    };
    std::vector<Case> cases;
    cases.push_back(
        {"patch after a drop waits for the next key frame",
         {Key(0), Patch(1, 0, 0), Patch(2, 16, 0), Patch(3, 24, 24), Key(4), Patch(5, 24, 24)},
         {0, 1, 4, 5, 5}});
    cases.push_back({"a resync redraws the dropped key frame",
                     {Key(0), Patch(1, 0, 0), Key(2), Resync(), Patch(4, 24, 24)},
                     {0, 1, 2, 4, 4}});
    cases.push_back({"on time, a resync draws nothing",
                     {Key(0), Key(1), Resync(), Patch(3, 24, 24)},
                     {0, 1, 3, 3}});
    for (Case& c : cases) {
        AnimInput in;
        in.Events = c.events;
        AnimGame game("*anim A1,100,120,0", {{"A1", Entry(in)}});
        if (std::string(c.what) != "on time, a resync draws nothing") {
            game.host.stall_at = 2;
            game.host.stall_ms = 40;
        }
        game.Play();
        std::vector<int> got;
        for (const auto& s : game.host.shown) {
            for (int k = 0; k < 6; ++k) {
                if (Near(s.Centre, Colour(k))) {
                    got.push_back(k);
                    break;
                }
            }
        }
        EXPECT_EQ(got, c.shown) << c.what;
    }
}

TEST(AnimPlayer, DoubledAnimationLeavesAWhiteDisplay) {
    for (const char* quality : {"0", "1"}) {
        AnimInput in = KeyFrames(3, 33);
        in.Width = in.Height = 8;
        AnimGame game("*animq A1,100,120,0", {{"A1", Entry(in)}}, {}, "", quality);
        game.Play();
        const EngineState& e = game.State();
        EXPECT_EQ(At(e.DisplaySurface, 0, 0), (Pixel{255, 255, 255})) << quality;
        EXPECT_EQ(At(e.DisplaySurface, 799, 599), (Pixel{255, 255, 255})) << quality;
        // The last frame doubled, on screen only: 16 x 16 at (100, 120).
        EXPECT_TRUE(Near(At(game.host.DrawingArea(), kX + 8, kY + 8), Colour(2))) << quality;
    }
}

TEST(AnimDoubling, SpeedMakesBlocksQualityInterpolatesAndLeavesTheEdge) {
    Surface frame(3, 2);
    const uint8_t values[2][3] = {{10, 100, 200}, {30, 60, 255}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            std::memset(frame.Row(y) + x * 3, values[y][x], 3);
    Surface fast(6, 4), fine(6, 4);
    fine.Fill(7, 7, 7);
    DoubleBySpeed(frame, fast);
    DoubleByQuality(frame, fine);
    const int want_fast[4][6] = {{10, 10, 100, 100, 200, 200},
                                 {10, 10, 100, 100, 200, 200},
                                 {30, 30, 60, 60, 255, 255},
                                 {30, 30, 60, 60, 255, 255}};
    // Row 0: 10, (5 + 50), 100, (50 + 100); row 1 averages rows 0 and 2 (still 7); the last
    // two rows and columns keep their 7.
    const int want_fine[4][6] = {
        {10, 55, 100, 150, 7, 7}, {8, 30, 53, 78, 7, 7}, {7, 7, 7, 7, 7, 7}, {7, 7, 7, 7, 7, 7}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(fast.Row(y)[x * 3], want_fast[y][x]) << x << "," << y;
            EXPECT_EQ(fine.Row(y)[x * 3], want_fine[y][x]) << x << "," << y;
        }
    }
}

TEST(AnimPlayer, BattleEffectIsAddedAndLeavesNoTrace) {
    AnimInput in;
    in.FrameTime = 33;
    in.Width = in.Height = 32;
    in.Events.push_back(AnimEventInput{kKeyFrame, 0, 0, SolidJpeg(32, 32, {40, 40, 40})});
    in.Events.push_back(AnimEventInput{kKeyFrame, 0, 0, SolidJpeg(32, 32, {200, 200, 200})});
    // Only vg_anim.vsp counts: the same name in vg_anim2.vsp alone plays nothing.
    AnimGame game("", {{"FX", Entry(in)}}, {{"FX2", Entry(in)}});
    game.Play();
    EngineState& e = game.State();
    e.DisplaySurface.Fill(100, 100, 100);
    game.host.shown.clear();
    PlayBattleAnimation(e, "FX,100,120,1");
    ASSERT_EQ(game.host.shown.size(), 3u);  // two effect frames, then the background again
    EXPECT_TRUE(Near(game.host.shown[0].Centre, {140, 140, 140}));
    EXPECT_EQ(game.host.shown[1].Centre, (Pixel{255, 255, 255}));  // saturated
    EXPECT_EQ(game.host.shown[2].Centre, (Pixel{100, 100, 100}));
    EXPECT_EQ(At(e.DisplaySurface, kX + 16, kY + 16), (Pixel{100, 100, 100}));
    game.host.shown.clear();
    PlayBattleAnimation(e, "FX2,100,120,0");
    EXPECT_TRUE(game.host.shown.empty());
}

TEST(AnimPlayer, BrokenOrMissingEntriesLetTheScriptGoOn) {
    auto with = [](auto change) {
        std::vector<uint8_t> bytes = Entry(KeyFrames(3, 33));
        change(bytes);
        return bytes;
    };
    auto put32 = [](std::vector<uint8_t>& b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = uint8_t(v >> (8 * i));
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> entry;
        size_t shown;  // presentations in the area (the end repeats the last picture)
    } cases[] = {
        {"count past the entry", with([&](auto& b) { put32(b, 0, 1000); }), 0},
        {"negative count", with([&](auto& b) { put32(b, 0, 0xFFFFFFFF); }), 0},
        {"frame time 0", with([&](auto& b) { put32(b, 4, 0); }), 0},
        {"event 1 outside", with([&](auto& b) { put32(b, 24 + 6 * 3 + 4, 0x7FFFFF00); }), 3},
        {"event 1 negative size", with([&](auto& b) { put32(b, 24 + 10 * 3 + 4, 0xFFFFFFF0); }), 3},
        {"event 2 cut short", with([&](auto& b) { put32(b, 24 + 10 * 3 + 8, 40); }), 2},
        {"header only", std::vector<uint8_t>(10, 0), 0},
    };
    for (const Case& c : cases) {
        AnimGame game("*anim A1,100,120,1", {{"A1", c.entry}});
        uint32_t took = game.Play();
        EXPECT_EQ(game.host.shown.size(), c.shown) << c.what;
        EXPECT_LT(took, 200u) << c.what;
        EXPECT_FALSE(game.State().Shell.EngineBusy) << c.what;
        EXPECT_TRUE(game.host.Toolbar().StripEnabled) << c.what;
    }
    AnimGame missing("*anim NOPE,100,120,1", {});
    uint32_t begin = missing.host.NowMs();
    missing.Play();
    EXPECT_TRUE(missing.host.shown.empty());
    EXPECT_LT(missing.host.NowMs() - begin, 100u);
}

}  // namespace
}  // namespace vespin
