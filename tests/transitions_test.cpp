// Transitions on the headless host: where each one ends, how long it takes on the virtual clock,
// what a click or a close request does in the middle, and pinned frames from the middle of the
// deterministic ones.

#include "core/graphics/transitions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "core/graphics/shape_fill.h"
#include "core/shell/engine_state.h"
#include "headless/event_script.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::TestGame;

uint8_t OldByte(int x, int y, int c) {
    return static_cast<uint8_t>(x * 3 + y * 5 + c * 85);
}
uint8_t NewByte(int x, int y, int c) {
    return static_cast<uint8_t>(((x ^ y) * 7) + c * 40 + 128);
}

Surface Pattern(uint8_t (*byte)(int, int, int)) {
    Surface s(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            for (int c = 0; c < 3; ++c)
                s.Row(y)[x * 3 + c] = byte(x, y, c);
        }
    }
    return s;
}

bool SameBytes(const Surface& a, const Surface& b) {
    return a.SizeBytes() == b.SizeBytes() && std::memcmp(a.Data(), b.Data(), a.SizeBytes()) == 0;
}

bool SamePixel(const Surface& a, const Surface& b, int x, int y) {
    return std::memcmp(a.Row(y) + x * 3, b.Row(y) + x * 3, 3) == 0;
}

// FNV-1a over the raw bytes: small enough to pin a frame in the source.
uint32_t Checksum(const Surface& s) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < s.SizeBytes(); ++i)
        h = (h ^ s.Data()[i]) * 16777619u;
    return h;
}

// An engine with a distinct old frame on screen and a new frame ready to be shown.
class TransitionTest : public ::testing::Test {
  protected:
    TransitionTest() : m_game({{"main", ""}}), e(m_game.State()) {
        // The window is shown (and painted once) before any effect runs.
        PumpMessages(e);
        old_frame = Pattern(OldByte);
        new_frame = Pattern(NewByte);
        e.Scene.PreviousFrameSurface = old_frame;
        e.DisplaySurface = new_frame;
        Host().Present(old_frame, kScreenRect);
    }

    HeadlessHost& Host() { return m_game.Host(); }
    const Surface& Area() { return Host().DrawingArea(); }
    uint32_t Now() { return Host().NowMs(); }

    // Runs transition n and returns its length on the virtual clock.
    uint32_t Timed(int n) {
        uint32_t start = Now();
        RunTransition(e, n);
        return Now() - start;
    }

    // Input at `ms` after now, e.g. "click 400 300" or "close".
    void InputAt(uint32_t ms, const std::string& what) {
        EventScriptResult parsed = ParseEventScript(std::to_string(Now() + ms) + " " + what);
        ASSERT_TRUE(parsed.Error.empty()) << parsed.Error;
        Host().SetEvents(std::move(parsed.Events));
    }

    // The drawing area as it stands `ms` after now, once the engine has got there.
    std::optional<Surface>& ShotAt(uint32_t ms) {
        Host().AddShot(Now() + ms, [this](const Surface& area) { shot = area; });
        return shot;
    }

    TestGame m_game;
    EngineState& e;
    Surface old_frame;
    Surface new_frame;
    std::optional<Surface> shot;
};

// ---- Every transition -------------------------------------------------------------------------

struct Expected {
    int n;
    uint32_t duration_ms;  // frames times the frame time, with every frame drawn at once
    bool uses_work;        // may overwrite the WorkSurface
};

constexpr Expected kTable[kTransitionCount] = {
    {0, 0, false},        {1, 16 * 15, false},  {2, 16 * 20, false},  {3, 70 * 20, false},
    {4, 75 * 20, false},  {5, 116 * 20, true},  {6, 13 * 10, true},   {7, 60 * 15, false},
    {8, 80 * 10, false},  {9, 22 * 40, true},   {10, 57 * 30, false}, {11, 59 * 30, false},
    {12, 135 * 20, true}, {13, 129 * 50, true}, {14, 50 * 20, false}, {15, 0, false},
    {16, 47 * 30, false}, {17, 64 * 50, true},  {18, 12 * 40, false}, {19, 40 * 15, false},
    {20, 20 * 80, true},  {21, 109 * 40, true}, {22, 109 * 40, true}, {23, 63 * 40, true},
    {24, 131 * 40, true},
};

class EveryTransition : public TransitionTest, public ::testing::WithParamInterface<Expected> {};

TEST_P(EveryTransition, EndsOnTheNewFrameInItsTimeAndSparesWhatItMustNot) {
    const Expected& x = GetParam();
    Surface parts_mask(kScreenWidth, kScreenHeight);
    parts_mask.Fill(1, 2, 3);
    e.Scene.WorkSurface = parts_mask;
    e.Vars.S[19] = 7;
    e.Shell.EngineBusy = true;  // as the scene display leaves it

    EXPECT_EQ(Timed(x.n), x.duration_ms);
    EXPECT_TRUE(SameBytes(Area(), new_frame));
    EXPECT_TRUE(SameBytes(e.DisplaySurface, new_frame));
    EXPECT_FALSE(e.Shell.EngineBusy);
    EXPECT_FALSE(e.Shell.TransitionRunning);
    EXPECT_EQ(e.Shell.InterruptRequest, 0);
    EXPECT_EQ(e.Vars.S[19], 0);
    // A parts mask in W survives the transitions that do not draw there.
    if (!x.uses_work) {
        EXPECT_TRUE(SameBytes(e.Scene.WorkSurface, parts_mask));
    }
    // Only 15 and 16 build their frames in O, and they end on N there too.
    if (x.n == 15 || x.n == 16) {
        EXPECT_TRUE(SameBytes(e.Scene.PreviousFrameSurface, new_frame));
    } else {
        EXPECT_TRUE(SameBytes(e.Scene.PreviousFrameSurface, old_frame));
    }
    EXPECT_TRUE(e.Scene.TransitionAlphaMap.Empty());
    EXPECT_TRUE(e.Scene.TransitionShapeMap.Empty());
}

INSTANTIATE_TEST_SUITE_P(Transitions, EveryTransition, ::testing::ValuesIn(kTable),
                         [](const auto& info) { return "T" + std::to_string(info.param.n); });

// A frame from the middle of each deterministic transition, pinned. A change here is a change
// of what the player sees.
struct Pinned {
    int n;
    uint32_t at_ms;
    uint32_t checksum;
};

constexpr Pinned kPinned[] = {
    {1, 100, 0x27f34fd5},   {2, 150, 0x352a8fc5},   {3, 705, 0x109f61c5},   {4, 405, 0x35501e88},
    {6, 65, 0xf09a3e39},    {7, 455, 0x60c3caa5},   {8, 405, 0x5f3c350d},   {9, 445, 0x1bda6f4d},
    {10, 855, 0x8bf7903b},  {11, 885, 0x97d32411},  {12, 1005, 0x98a07bf9}, {13, 3005, 0x4708f61},
    {16, 705, 0xeddba57d},  {17, 1605, 0x1b6a4d7d}, {18, 205, 0xf69d9a85},  {19, 305, 0x1b92b245},
    {20, 405, 0xbec7d245},  {20, 1205, 0x961d05c5}, {21, 2005, 0xb32b7179}, {22, 2005, 0x8f70c435},
    {23, 1205, 0xbc396d7d}, {24, 2605, 0x734617d1},
};

class PinnedFrame : public TransitionTest, public ::testing::WithParamInterface<Pinned> {};

TEST_P(PinnedFrame, MatchesItsChecksum) {
    const Pinned& p = GetParam();
    auto& frame = ShotAt(p.at_ms);
    RunTransition(e, p.n);
    ASSERT_TRUE(frame.has_value());
    uint32_t sum = Checksum(*frame);
    EXPECT_EQ(sum, p.checksum) << "transition " << p.n << " at " << p.at_ms << " ms: 0x" << std::hex
                               << sum;
}

INSTANTIATE_TEST_SUITE_P(Transitions, PinnedFrame, ::testing::ValuesIn(kPinned),
                         [](const auto& info) {
                             return "T" + std::to_string(info.param.n) + "At" +
                                    std::to_string(info.param.at_ms);
                         });

// ---- Frames from the middle -------------------------------------------------------------------

// Whether pixel (x, y) of the shot shows the new frame, the old one, or neither.
enum class Shows { New, Old, Other };
Shows At(const Surface& shot, const Surface& n, const Surface& o, int x, int y) {
    if (SamePixel(shot, n, x, y)) return Shows::New;
    if (SamePixel(shot, o, x, y)) return Shows::Old;
    return Shows::Other;
}

TEST_F(TransitionTest, BlindsWipesAndCombsUncoverTheirStripsInOrder) {
    auto& blinds = ShotAt(100);  // frames 0 to 6 of 15 ms drawn
    RunTransition(e, 1);
    for (int x = 0; x < kScreenWidth; ++x)
        EXPECT_EQ(At(*blinds, new_frame, old_frame, x, 77), x % 16 <= 6 ? Shows::New : Shows::Old)
            << x;

    Host().Present(old_frame, kScreenRect);
    auto& wipe = ShotAt(705);  // t = 35: strip s shows its first t - s + 1 columns
    RunTransition(e, 3);
    for (int s : {0, 20, 30, 35}) {
        int shown = std::min(16, 35 - s + 1);
        EXPECT_EQ(At(*wipe, new_frame, old_frame, 16 * s + shown - 1, 300), Shows::New) << s;
        EXPECT_EQ(At(*wipe, new_frame, old_frame, 16 * s + shown, 300),
                  shown == 16 ? Shows::New : Shows::Old)
            << s;
    }
    EXPECT_EQ(At(*wipe, new_frame, old_frame, 16 * 36, 300), Shows::Old);

    Host().Present(old_frame, kScreenRect);
    auto& comb = ShotAt(455);  // 31 frames: even rows below 310 and odd rows from 291
    RunTransition(e, 7);
    for (int y = 0; y < kScreenHeight; ++y) {
        bool shown = y % 2 == 0 ? y < 310 : y > 599 - 310;
        EXPECT_EQ(At(*comb, new_frame, old_frame, 123, y), shown ? Shows::New : Shows::Old) << y;
    }
}

TEST_F(TransitionTest, CircleOpeningGrowsTenPixelsAFrameToTheCharacterPositions) {
    // Frame 10 has radius 105: the midpoint circle spans 400 - 105 to 400 + 105 on row 300.
    auto& frame = ShotAt(205);
    EXPECT_EQ(Timed(4), 75u * 20);  // S020 = 250, S021 = 550: radii up to 745, below 750
    EXPECT_EQ(At(*frame, new_frame, old_frame, 295, 300), Shows::New);
    EXPECT_EQ(At(*frame, new_frame, old_frame, 505, 300), Shows::New);
    EXPECT_EQ(At(*frame, new_frame, old_frame, 294, 300), Shows::Old);
    EXPECT_EQ(At(*frame, new_frame, old_frame, 506, 300), Shows::Old);
    EXPECT_EQ(At(*frame, new_frame, old_frame, 400, 195), Shows::New);
    EXPECT_EQ(At(*frame, new_frame, old_frame, 400, 194), Shows::Old);

    // Characters at the centre give the smallest circle, 495, which misses the corners: the
    // new frame is still what remains.
    e.Vars.S[20] = 400;
    e.Vars.S[21] = 300;
    Host().Present(old_frame, kScreenRect);
    EXPECT_EQ(Timed(4), 50u * 20);
    EXPECT_TRUE(SameBytes(Area(), new_frame));
    e.Vars.S[20] = -100;  // far off screen to the left: 500 + 500
    EXPECT_EQ(Timed(4), 100u * 20);
    // A script's wild value neither overflows nor holds the engine: at most radius 2000.
    e.Vars.S[20] = INT32_MIN;
    EXPECT_EQ(Timed(4), 200u * 20);
    EXPECT_TRUE(SameBytes(Area(), new_frame));
}

TEST_F(TransitionTest, SlidesAndPushMapTheirColumns) {
    auto& halves = ShotAt(205);  // w = 192
    RunTransition(e, 18);
    EXPECT_EQ(std::memcmp(halves->Row(10), new_frame.Row(10) + (400 - 192) * 3, 192 * 3), 0);
    EXPECT_EQ(std::memcmp(halves->Row(10) + (800 - 192) * 3, new_frame.Row(10) + 400 * 3, 192 * 3),
              0);
    EXPECT_EQ(std::memcmp(halves->Row(10) + 192 * 3, old_frame.Row(10) + 192 * 3, 416 * 3), 0);

    Host().Present(old_frame, kScreenRect);
    auto& push = ShotAt(305);  // x = 400
    RunTransition(e, 19);
    EXPECT_EQ(std::memcmp(push->Row(77), new_frame.Row(77) + 400 * 3, 400 * 3), 0);
    EXPECT_EQ(std::memcmp(push->Row(77) + 400 * 3, old_frame.Row(77), 400 * 3), 0);
}

TEST_F(TransitionTest, GradientWipeLeavesNewBehindTheBandAndOldAhead) {
    auto& frame = ShotAt(1005);  // x = -280 + 8 * 50 = 120
    RunTransition(e, 12);
    const int x = 120;
    for (int y : {0, 299, 599}) {
        EXPECT_EQ(At(*frame, new_frame, old_frame, x - 1, y), Shows::New);
        EXPECT_EQ(At(*frame, new_frame, old_frame, x + 31, y), Shows::New);
        EXPECT_EQ(At(*frame, new_frame, old_frame, x + 288, y), Shows::Old);
        // Band weight 128 for O halfway along the gradient.
        int px = x + 32 + 128;
        for (int c = 0; c < 3; ++c) {
            int n = new_frame.Row(y)[px * 3 + c], o = old_frame.Row(y)[px * 3 + c];
            EXPECT_EQ(frame->Row(y)[px * 3 + c], ((n * 127) >> 8) + ((o * 128) >> 8));
        }
    }
}

TEST_F(TransitionTest, MosaicTakesEachBlockFromItsTopLeftPixel) {
    auto& coarse = ShotAt(405);  // step 5: O in blocks of 12
    RunTransition(e, 20);
    for (int y : {0, 25, 599}) {
        for (int x : {0, 13, 799}) {
            EXPECT_EQ(std::memcmp(coarse->Row(y) + x * 3,
                                  old_frame.Row(y / 12 * 12) + x / 12 * 12 * 3, 3),
                      0);
        }
    }
}

TEST_F(TransitionTest, ConvergingBandMovesOldTowardNewBySixteen) {
    // The first band covers rows 0 to 3; a click at once stops the transition after it.
    InputAt(0, "click 1 1");
    EXPECT_EQ(Timed(15), 0u);
    const Surface& moved = e.Scene.PreviousFrameSurface;
    for (int i = 0; i < 2400; ++i) {
        int before = old_frame.Row(3)[i], target = new_frame.Row(3)[i];
        int expect =
            before < target ? std::min(before + 16, target) : std::max(before - 16, target);
        ASSERT_EQ(moved.Row(3)[i], expect) << i;
    }
    EXPECT_EQ(std::memcmp(moved.Row(4), old_frame.Row(4), 2400), 0);
    EXPECT_EQ(e.Vars.S[19], 1);
}

TEST_F(TransitionTest, InterlacedInterpolationStepsBySystemValue16) {
    e.Vars.S[16] = 1;  // one step of four passes straight to N
    auto& first_pass = ShotAt(25);
    EXPECT_EQ(Timed(17), 4u * 50);
    EXPECT_TRUE(SameBytes(Area(), new_frame));
    for (int y : {0, 1, 2}) {
        for (int x : {0, 1, 2, 3}) {
            bool passed = y % 2 == 0 && x % 2 == 0;
            EXPECT_EQ(At(*first_pass, new_frame, old_frame, x, y), passed ? Shows::New : Shows::Old)
                << x << "," << y;
        }
    }
    for (int outside : {0, 129, -3}) {
        e.Vars.S[16] = outside;
        EXPECT_EQ(Timed(17), 64u * 50) << outside;
    }
    e.Vars.S[16] = 2;
    auto& halfway = ShotAt(4 * 50 - 5);  // all four passes of step 1 of 2
    RunTransition(e, 17);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(halfway->Row(5)[9 + c], (old_frame.Row(5)[9 + c] + new_frame.Row(5)[9 + c]) / 2);
}

TEST_F(TransitionTest, ShapeMapsAccumulateSixteenAPeriod) {
    // Frame 5 of the soft circle: the centre has been in six discs, so A = 96 there.
    auto& circle = ShotAt(5 * 40 + 5);
    RunTransition(e, 21);
    auto blend = [](int n, int o, int a) { return ((o * (255 - a)) >> 8) + ((n * a) >> 8); };
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(circle->Row(300)[400 * 3 + c],
                  blend(new_frame.Row(300)[400 * 3 + c], old_frame.Row(300)[400 * 3 + c], 96));
    }
    // Outside radius 30 the weight is 0, which still takes 1 off every byte of O above 0.
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(circle->Row(300)[360 * 3 + c],
                  blend(new_frame.Row(300)[360 * 3 + c], old_frame.Row(300)[360 * 3 + c], 0));
    }

    // The fading star is drawn afresh with grey r / 2: frame 9 has r = 50, so A = 25.
    auto& star = ShotAt(9 * 40 + 5);
    RunTransition(e, 24);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(star->Row(300)[400 * 3 + c],
                  blend(new_frame.Row(300)[400 * 3 + c], old_frame.Row(300)[400 * 3 + c], 25));
    }
}

// ---- Start and end ----------------------------------------------------------------------------

TEST_F(TransitionTest, FastGraphicsSkippingAndNegativeNumbersCut) {
    e.Settings.GMode = 1;
    EXPECT_EQ(Timed(12), 0u);
    EXPECT_TRUE(SameBytes(Area(), new_frame));
    EXPECT_TRUE(SameBytes(e.Scene.WorkSurface, Surface(kScreenWidth, kScreenHeight)));

    e.Settings.GMode = 0;
    e.Shell.SkipState = 2;
    Host().Present(old_frame, kScreenRect);
    EXPECT_EQ(Timed(21), 0u);
    EXPECT_TRUE(SameBytes(Area(), new_frame));

    e.Shell.SkipState = 0;
    Host().Present(old_frame, kScreenRect);
    EXPECT_EQ(Timed(-1), 0u);
    EXPECT_TRUE(SameBytes(Area(), new_frame));
}

TEST_F(TransitionTest, NumbersAbove24LeaveTheOldFrame) {
    for (int n : {25, 26, 1000}) {
        e.Shell.InterruptRequest = 1;
        EXPECT_EQ(Timed(n), 0u);
        EXPECT_TRUE(SameBytes(Area(), old_frame));
        EXPECT_FALSE(e.Shell.EngineBusy || e.Shell.TransitionRunning);
        EXPECT_EQ(e.Shell.InterruptRequest, 0);
    }
}

TEST_F(TransitionTest, FullTextModeKeepsTheShownFrameAsTheScene) {
    e.Vars.S[150] = 1;
    RunTransition(e, 0);
    EXPECT_TRUE(SameBytes(e.CompositionSurface, new_frame));
    e.Vars.S[150] = 0;
    e.CompositionSurface.Fill(9, 9, 9);
    RunTransition(e, 0);
    EXPECT_EQ(e.CompositionSurface.Row(0)[0], 9);
}

// ---- Interruptions ----------------------------------------------------------------------------

TEST_F(TransitionTest, AClickCutsTheSoftWipeShortAndIsMarked) {
    InputAt(500, "click 400 300 left");
    // The click arrives in the wait that ends at 500 ms and is seen after the frame drawn then.
    EXPECT_EQ(Timed(3), 500u);
    EXPECT_TRUE(SameBytes(Area(), new_frame));
    EXPECT_EQ(e.Vars.S[19], 1);
    EXPECT_EQ(e.Shell.InterruptRequest, 1);
    EXPECT_FALSE(e.Shell.TransitionRunning || e.Shell.EngineBusy);
    EXPECT_EQ(e.Shell.MainMode, kModeScript);

    // A right click during a transition only cuts it short too: the window is not hidden.
    InputAt(100, "click 400 300 right");
    RunTransition(e, 10);
    EXPECT_EQ(e.Shell.MainMode, kModeScript);
    EXPECT_EQ(e.Shell.InterruptRequest, 1);
}

TEST_F(TransitionTest, ShapesAndFadesEndOnAClickWithoutTheMark) {
    for (int n : {21, 9, 17}) {
        Host().Present(old_frame, kScreenRect);
        InputAt(300, "click 400 300");
        EXPECT_LT(Timed(n), 400u) << n;
        EXPECT_TRUE(SameBytes(Area(), new_frame)) << n;
        EXPECT_EQ(e.Vars.S[19], 0) << n;
        EXPECT_EQ(e.Shell.InterruptRequest, 1) << n;
        EXPECT_TRUE(e.Scene.TransitionAlphaMap.Empty() && e.Scene.TransitionShapeMap.Empty());
    }
}

TEST_F(TransitionTest, ACloseRequestWaitsForTheEndAndIsAskedThen) {
    InputAt(100, "close");
    RunTransition(e, 6);
    EXPECT_EQ(e.Shell.InterruptRequest, 2);
    EXPECT_TRUE(Host().MessageBoxes().empty());
    EXPECT_FALSE(e.Shell.WindowClosed);

    EXPECT_TRUE(SettleTransitionInterrupt(e));
    ASSERT_EQ(Host().MessageBoxes().size(), 1u);
    EXPECT_NE(Host().MessageBoxes()[0].find("ゲームを終了しますか？"), std::string::npos);
    EXPECT_TRUE(e.Shell.QuitRequested);
    EXPECT_EQ(e.Shell.InterruptRequest, 0);
    EXPECT_TRUE(e.Shell.InterpreterEnabled);
    EXPECT_TRUE(SameBytes(Area(), new_frame));

    e.Shell.QuitRequested = false;
    InputAt(100, "close");
    EventScriptResult answer = ParseEventScript(std::to_string(Now()) + " answer cancel\n" +
                                                std::to_string(Now() + 100) + " close");
    Host().SetEvents(std::move(answer.Events));
    RunTransition(e, 6);
    EXPECT_TRUE(SettleTransitionInterrupt(e));
    EXPECT_FALSE(e.Shell.QuitRequested);

    e.Shell.InterruptRequest = 1;
    EXPECT_TRUE(SettleTransitionInterrupt(e));
    EXPECT_EQ(Host().MessageBoxes().size(), 2u);
    EXPECT_FALSE(SettleTransitionInterrupt(e));
}

// ---- Random draws -----------------------------------------------------------------------------

TEST_F(TransitionTest, RandomTransitionsDrawFromTheSharedGenerator) {
    Random expected = e.Rng;
    RunTransition(e, 5);
    for (int i = 0; i < 100; ++i)
        expected.Next();
    EXPECT_EQ(e.Rng.Seed, expected.Seed);

    // 14: a split point per row, then the shuffle. At 210 ms 11 frames of 24 pieces are shown,
    // and each piece is a whole side of its row.
    Random splits = e.Rng;
    Host().Present(old_frame, kScreenRect);
    auto& frame = ShotAt(210);
    RunTransition(e, 14);
    for (int i = 0; i < 1800; ++i)
        expected.Next();
    EXPECT_EQ(e.Rng.Seed, expected.Seed);
    int pieces = 0;
    for (int y = 0; y < kScreenHeight; ++y) {
        int s = splits.Next() % 600 + 20;
        const uint8_t* row = frame->Row(y);
        for (auto [from, to] : {std::pair{0, s}, std::pair{s, kScreenWidth}}) {
            size_t bytes = static_cast<size_t>(to - from) * 3;
            bool is_new = std::memcmp(row + from * 3, new_frame.Row(y) + from * 3, bytes) == 0;
            bool is_old = std::memcmp(row + from * 3, old_frame.Row(y) + from * 3, bytes) == 0;
            EXPECT_TRUE(is_new || is_old) << y;
            pieces += is_new && !is_old;
        }
    }
    EXPECT_EQ(pieces, 11 * 24);
}

// ---- Iris and sepia ---------------------------------------------------------------------------

TEST_F(TransitionTest, IrisClosesToBlackKeepingTheScene) {
    Surface scene = Pattern(NewByte);
    e.CompositionSurface = scene;
    auto& frame = ShotAt(1205);  // r = 500 - 4 * 60 = 260
    uint32_t start = Now();
    IrisClose(e);
    EXPECT_EQ(Now() - start, 125u * 20);
    EXPECT_EQ(At(*frame, new_frame, old_frame, 400, 300), Shows::Old);  // what was on screen
    EXPECT_EQ(At(*frame, new_frame, old_frame, 400, 300 - 260), Shows::Old);
    EXPECT_EQ(At(*frame, new_frame, old_frame, 400, 300 - 261), Shows::Other);
    EXPECT_EQ(std::memcmp(frame->Row(0), Surface(kScreenWidth, 1).Row(0), 2400), 0);
    Surface black(kScreenWidth, kScreenHeight);
    EXPECT_TRUE(SameBytes(Area(), black));
    EXPECT_TRUE(SameBytes(e.DisplaySurface, black));
    EXPECT_TRUE(SameBytes(e.CompositionSurface, scene));
}

TEST_F(TransitionTest, TheIrisCommandRunsInTheScript) {
    TestGame g({{"main", "*iris\n*sleep 30\nA\n"}});
    g.Steps(1);
    g.Host().Present(old_frame, kScreenRect);
    uint32_t start = g.Host().NowMs();
    g.Steps(1);
    EXPECT_GE(g.Host().NowMs() - start, 2500u);
    EXPECT_TRUE(SameBytes(g.Host().DrawingArea(), Surface(kScreenWidth, kScreenHeight)));
    g.Steps(3);
    EXPECT_NE(g.Transcript().find("A"), std::string::npos);
}

TEST_F(TransitionTest, SepiaFreezeFadesTheSceneToSepiaFromTheFrameOnScreen) {
    e.CompositionSurface = Pattern(NewByte);
    e.DisplaySurface = old_frame;                // on screen
    e.Scene.PreviousFrameSurface.Fill(0, 0, 0);  // a stale frame from an earlier transition
    auto& first = ShotAt(5);
    uint32_t start = Now();
    SepiaFreeze(e);
    EXPECT_EQ(Now() - start, 26u * 20);
    EXPECT_FALSE(e.Shell.EngineBusy);
    for (int y : {0, 311}) {
        for (int x : {0, 517}) {
            const uint8_t* p = new_frame.Row(y) + x * 3;
            int g = (p[0] + p[1] + p[2]) / 3;
            const uint8_t* d = e.DisplaySurface.Row(y) + x * 3;
            EXPECT_EQ(d[0], g / 4);
            EXPECT_EQ(d[1], g * 3 / 4);
            EXPECT_EQ(d[2], g);
        }
    }
    EXPECT_TRUE(SameBytes(e.CompositionSurface, e.DisplaySurface));
    EXPECT_TRUE(SameBytes(Area(), e.DisplaySurface));
    // The first frame weighs the frame that was on screen by 208 / 256: nothing near black.
    EXPECT_GT(first->Row(300)[400 * 3 + 2], 40);
}

TEST(TransitionDemo, TheExhibitionPlaysThroughToItsEnd) {
    std::ifstream file(std::string(VESPIN_SOURCE_DIR) + "/demo/scenario/transitions.txt");
    std::stringstream text;
    text << file.rdbuf();
    ASSERT_FALSE(text.str().empty());
    test::GameOptions clicking;
    for (int ms = 1000; ms < 200000; ms += 1000)
        clicking.Events += std::to_string(ms) + " click 400 300\n";
    TestGame g({{"main", "*call transitions\nおわり\n\\\n"}, {"transitions", text.str()}},
               clicking);
    EXPECT_TRUE(
        g.RunUntil([&] { return g.Transcript().find("おわり") != std::string::npos; }, 200000));
    for (int n = 0; n < kTransitionCount; ++n)
        EXPECT_NE(g.Transcript().find("遷移 " + std::to_string(n)), std::string::npos) << n;
}

// ---- Shapes -----------------------------------------------------------------------------------

int Count(const Surface& s, uint8_t grey) {
    int n = 0;
    for (size_t i = 0; i < s.SizeBytes(); i += 3)
        n += s.Data()[i] == grey;
    return n;
}

TEST(ShapeFill, DiscsAreSymmetricAboutAPixelCorner) {
    Surface s(40, 40);
    FillDisc(s, 20, 20, 1, 9);
    EXPECT_EQ(Count(s, 9), 4);  // the 2 x 2 pixels about the corner
    s.Fill(0, 0, 0);
    FillDisc(s, 20, 20, 10, 9);
    EXPECT_NEAR(Count(s, 9), 314, 12);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(s.Row(y)[x * 3], s.Row(39 - y)[(39 - x) * 3]) << x << "," << y;
    }
    EXPECT_EQ(DiscHalfWidth(10, 20, 9), 0);  // the row above the disc
    EXPECT_EQ(DiscHalfWidth(10, 20, 19), 10);
    EXPECT_EQ(DiscHalfWidth(0, 20, 20), 0);
    FillDisc(s, -1000, 2000, 5000, 1);  // clipped, never outside
    EXPECT_EQ(Count(s, 1), 40 * 40);
}

TEST(ShapeFill, PolygonsCoverPixelCentresOnce) {
    Surface s(20, 20);
    const Point square[] = {{2, 2}, {6, 2}, {6, 5}, {2, 5}};
    FillPolygon(s, square, 7);
    EXPECT_EQ(Count(s, 7), 4 * 3);
    EXPECT_EQ(s.Row(2)[2 * 3], 7);
    EXPECT_EQ(s.Row(4)[5 * 3 + 2], 7);
    EXPECT_EQ(s.Row(5)[5 * 3], 0);
    // Two triangles sharing the diagonal of a square add up to the square, with no overlap.
    Surface t(20, 20);
    const Point upper[] = {{0, 0}, {10, 0}, {10, 10}};
    const Point lower[] = {{0, 0}, {10, 10}, {0, 10}};
    FillPolygon(t, upper, 1);
    int upper_count = Count(t, 1);
    FillPolygon(t, lower, 2);
    EXPECT_EQ(upper_count + Count(t, 2), 100);
    // Vertices far off the surface.
    Surface w(20, 20);
    const Point huge[] = {{10, -100000}, {-100000, 90000}, {100000, 90000}};
    FillPolygon(w, huge, 3);
    EXPECT_EQ(Count(w, 3), 20 * 20);
    // A sharp apex: on its first row no pixel centre lies inside, on the next two do.
    const Point apex[] = {{10, 10}, {-10000, 20010}, {10000, 20010}};
    FillPolygon(w, apex, 5);
    for (int x : {8, 9, 10, 11})
        EXPECT_EQ(w.Row(10)[x * 3], 3) << x;
    for (int x : {8, 9, 10, 11})
        EXPECT_EQ(w.Row(11)[x * 3], x == 9 || x == 10 ? 5 : 3) << x;
    const Point line[] = {{1, 1}, {5, 5}};
    FillPolygon(w, line, 4);
    EXPECT_EQ(Count(w, 4), 0);
}

TEST(ShapeFill, StarPointsTurnWithTheRadius) {
    auto star = StarPoints(400, 300, 100, 50, 0);
    EXPECT_EQ(star[0].x, 300);  // angle 0 points left
    EXPECT_EQ(star[0].y, 300);
    EXPECT_EQ(star[5].x, 400 + 50);  // 180 degrees, inner radius
    auto turned = StarPoints(400, 300, 100, 50, 90);
    EXPECT_EQ(turned[0].x, 400);
    EXPECT_EQ(turned[0].y, 400);  // 90 degrees points down
}

}  // namespace
}  // namespace vespin
