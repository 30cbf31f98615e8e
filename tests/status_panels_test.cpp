// The status panels through the headless host: bar widths and their maxima, the numbers, and the
// `chgprm` animation.

#include <gtest/gtest.h>

#include <cstring>

#include "core/screens/status_panels.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::Pixel;

Surface SolidPicture(int w, int h, uint8_t b, uint8_t g, uint8_t r) {
    Surface s(w, h);
    s.Fill(b, g, r);
    return s;
}

// A panel picture of `w` x `h`: grey over an opaque mask.
Surface Panel(int w, int h) {
    Surface s(w, 2 * h);
    s.Fill(255, 255, 255);
    for (int y = 0; y < h; ++y)
        std::memset(s.Row(y), 60, static_cast<size_t>(w) * 3);
    return s;
}

// stw_hilite: an opaque mask, then five frames of different colours.
Surface Highlight() {
    Surface s(160, 600);
    s.Fill(255, 255, 255);
    for (int k = 0; k < 5; ++k) {
        for (int y = 100 * k + 100; y < 100 * k + 200; ++y) {
            for (int x = 0; x < 160; ++x) {
                uint8_t* p = s.Row(y) + 3 * x;
                p[0] = static_cast<uint8_t>(40 * k), p[1] = 10, p[2] = 250;
            }
        }
    }
    return s;
}

struct Game : test::TestGame {
    explicit Game(const std::string& values)
        : TestGame({{"main", "!" + values + "\n*gra A01\nFirst\n\\\n*chgprm\nSecond\n\\\n"}},
                   Options()) {
        RunUntil([&] { return Transcript().find("First") != std::string::npos; }, 3000);
        RunFor(300);  // on to the page wait
    }
    static test::GameOptions Options() {
        test::GameOptions o = test::WholeLines();
        o.Pictures["A01"] = SolidPicture(800, 600, 30, 30, 30);
        o.Pictures["sys3"] = Panel(400, 160);
        o.Pictures["sys4"] = Panel(160, 180);
        o.Pictures["sys5"] = Panel(200, 100);
        o.Pictures["stw_hilite"] = Highlight();
        return o;
    }
    // A pixel of panel A or B, in the panel's own coordinates.
    Pixel A(int x, int y) { return At(Host().DrawingArea(), 390 + x, 21 + y); }
    Pixel B(int x, int y) { return At(Host().DrawingArea(), 630 + x, 114 + y); }
    std::vector<uint8_t> NumberBlockOfBar1() {
        std::vector<uint8_t> bytes;
        for (int y = 10; y < 22; ++y) {
            const uint8_t* row = Host().DrawingArea().Row(21 + y);
            bytes.insert(bytes.end(), row + (390 + 118) * 3, row + (390 + 392) * 3);
        }
        return bytes;
    }
};

constexpr Pixel kPurple{0x80, 0, 0x80}, kYellow{0, 0xFF, 0xFF}, kRed{0, 0, 0xFF}, kBlack{0, 0, 0};
constexpr Pixel kGrey{60, 60, 60};

TEST(StatusPanels, AValueAboveItsMaximumFillsTheBarAndShowsItsRealNumber) {
    std::vector<std::vector<uint8_t>> numbers;
    for (int value : {100, 500, 999}) {
        Game g("S050=3;V901=100;V111=" + std::to_string(value) + ";V120=5000");
        EXPECT_EQ(g.A(118 + 273, 7), kPurple) << value;  // the whole bar, 274 pixels
        EXPECT_EQ(g.A(118 + 274, 7), kGrey) << value;    // the panel past the bar's area
        EXPECT_EQ(g.B(62 + 90, 8 + 28 * 5), kRed);       // panel B's last bar, from V120, is full
        numbers.push_back(g.NumberBlockOfBar1());
    }
    EXPECT_NE(numbers[0], numbers[1]);  // the bars are alike, the numbers are not
    EXPECT_NE(numbers[1], numbers[2]);
}

TEST(StatusPanels, ZeroMaximaBecome120And150) {
    Game g("S050=1;V111=60;V901=0;V102=10;V103=0");
    EXPECT_EQ(g.State().Vars.V[901], 120);
    EXPECT_EQ(g.State().Vars.V[103], 150);
    EXPECT_EQ(g.A(118 + 136, 7), kPurple);  // 60 × 274 / 120 = 137 pixels
    EXPECT_EQ(g.A(118 + 137, 7), kBlack);
    EXPECT_EQ(g.A(101 + 16, 40), kYellow);  // 10 × 243 / 150 = 16, drawn one pixel wider
    EXPECT_EQ(g.A(101 + 17, 40), kBlack);
}

TEST(StatusPanels, NoBitsNoPanels) {
    Game g("S050=0;S051=0;V111=60");
    EXPECT_EQ(g.A(118, 7), (Pixel{30, 30, 30}));
}

TEST(StatusPanels, ChgprmWithNothingChangedStillAnimatesWithTheHighlight) {
    Game g("S050=1;S051=1;V111=60");
    Pixel before = At(g.Host().DrawingArea(), 20, 20);
    uint32_t start = g.Host().NowMs();
    Pixel during{};
    g.Host().AddShot(start + 150, [&](const Surface& s) { during = At(s, 20, 20); });
    g.Click();  // on to `chgprm`
    g.RunUntil([&] { return g.Transcript().find("Second") != std::string::npos; }, 3000);
    EXPECT_GE(g.Host().NowMs() - start, 200u);
    EXPECT_EQ(during.g, 10);  // a frame of the highlight over panel C
    EXPECT_EQ(during.r, 250);
    EXPECT_EQ(At(g.Host().DrawingArea(), 20, 20), before);
}

}  // namespace
}  // namespace vespin
