// Row operations: exact values on the cases that show the rounding, and every vector table
// against the scalar definitions on random rows of every length, weight and alignment.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/graphics/pixel_kernels.h"
#include "core/graphics/pixel_ops.h"

namespace vespin {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Filled(size_t n, uint8_t v) {
    return Bytes(n, v);
}

Surface SolidSurface(int w, int h, uint8_t v) {
    Surface s(w, h);
    std::memset(s.Data(), v, s.SizeBytes());
    return s;
}

// ---- Exact values --------------------------------------------------------------------------

TEST(CrossFadeRow, FullWeightsTakeOneSideInBothHalvesOfAGroup) {
    Bytes x = {0, 1, 127, 128, 200, 254, 255, 9, 17, 33, 65, 129, 255, 0, 255, 1};
    Bytes y = {255, 254, 3, 77, 0, 1, 100, 200, 2, 4, 8, 16, 32, 64, 128, 0};
    Bytes out(16);
    CrossFadeRow(x.data(), y.data(), 2, 256, out.data());
    EXPECT_EQ(out, x);
    CrossFadeRow(x.data(), y.data(), 2, 0, out.data());
    EXPECT_EQ(out, y);
}

TEST(CrossFadeRow, SecondHalfOfAGroupRoundsEachProductApart) {
    Bytes x = Filled(16, 255), y = Filled(16, 1), out(16);
    CrossFadeRow(x.data(), y.data(), 2, 128, out.data());
    EXPECT_EQ(out, (Bytes{128, 128, 128, 128, 127, 127, 127, 127, 128, 128, 128, 128, 127, 127, 127,
                          127}));
}

TEST(CrossFadeRow, WeightsOutsideTheRangeAreClamped) {
    Bytes x = Filled(8, 10), y = Filled(8, 250), out(8);
    CrossFadeRow(x.data(), y.data(), 1, 1000, out.data());
    EXPECT_EQ(out, x);
    CrossFadeRow(x.data(), y.data(), 1, -5, out.data());
    EXPECT_EQ(out, y);
}

TEST(MaskedBlendPixels, RoundsEachProductAndSpecialCasesTheEnds) {
    // Pixels: m = 128 (b 200, s 100), m = 255, m = 254 (s 200), m = 0, m = 1; the mask's second
    // and third bytes are never looked at.
    Bytes b = {200, 200, 200, 1, 2, 3, 7, 100, 255, 9, 8, 7, 100, 100, 100};
    Bytes s = {100, 100, 100, 4, 5, 6, 200, 200, 200, 1, 1, 1, 255, 255, 255};
    Bytes m = {128, 0, 255, 255, 0, 0, 254, 1, 1, 0, 255, 255, 1, 255, 255};
    Bytes out = b;
    MaskedBlendPixels(out.data(), s.data(), 2, m.data(), out.data());  // floor(16 / 3) = 5 px
    EXPECT_EQ(out, (Bytes{149, 149, 149, 4, 5, 6, 198, 198, 198, 9, 8, 7, 99, 99, 99}));
}

TEST(MaskedBlendPixels, TouchesOnlyWholePixelsOfTheGroups) {
    // 3 groups are 24 bytes, 8 pixels exactly; 1 group is 8 bytes, only 2 pixels.
    Bytes s = Filled(30, 50), m = Filled(30, 255);
    Bytes out = Filled(30, 9);
    MaskedBlendPixels(out.data(), s.data(), 1, m.data(), out.data());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 6), Filled(6, 50));
    EXPECT_EQ(Bytes(out.begin() + 6, out.end()), Filled(24, 9));
    out = Filled(30, 9);
    MaskedBlendPixels(out.data(), s.data(), 3, m.data(), out.data());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 24), Filled(24, 50));
    EXPECT_EQ(Bytes(out.begin() + 24, out.end()), Filled(6, 9));
}

TEST(BlendWithColour, ZeroKeepsFullTakesOtherwiseMixes) {
    Bytes dst = {10, 20, 30, 10, 20, 30, 200, 200, 200};
    Bytes colour = {255, 255, 255, 1, 2, 3, 100, 100, 100};
    Bytes alpha = {0, 9, 9, 255, 0, 0, 128, 0, 0};
    BlendWithColour(dst.data(), colour.data(), alpha.data(), 3);
    EXPECT_EQ(dst, (Bytes{10, 20, 30, 1, 2, 3, 149, 149, 149}));
}

TEST(WeightMapBlend, FullMapOverBlackGivesOneLess) {
    Surface display(kScreenWidth, kScreenHeight), previous(kScreenWidth, kScreenHeight);
    Surface map = SolidSurface(kScreenWidth, kScreenHeight, 255), work(kScreenWidth, kScreenHeight);
    for (size_t i = 0; i < display.SizeBytes(); ++i)
        display.Data()[i] = uint8_t(i * 7);
    WeightMapBlend(display, previous, map, work);
    for (size_t i = 0; i < work.SizeBytes(); ++i) {
        uint8_t n = display.Data()[i];
        ASSERT_EQ(work.Data()[i], n == 0 ? 0 : n - 1) << i;
    }
}

TEST(SurfaceOps, ScaleAddAndAccumulateSaturate) {
    Surface src = SolidSurface(kScreenWidth, kScreenHeight, 200), dst(kScreenWidth, kScreenHeight);
    ScaleSurface(src, dst, 128);
    EXPECT_EQ(dst.Row(599)[2399], 100);
    ScaleSurface(src, dst, 512);  // brightening saturates
    EXPECT_EQ(dst.Row(0)[0], 255);
    ScaleSurface(src, dst, -3);
    EXPECT_EQ(dst.Row(300)[1000], 0);

    Surface q = SolidSurface(kScreenWidth, kScreenHeight, 60), out(kScreenWidth, kScreenHeight);
    ScaleAddSurface(src, q, out, 64);  // (200 * 64 >> 8) + 60
    EXPECT_EQ(out.Row(10)[10], 110);
    ScaleAddSurface(src, q, out, 300);
    EXPECT_EQ(out.Row(10)[10], 255);

    Surface alpha = SolidSurface(kScreenWidth, kScreenHeight, 250);
    Surface shape = SolidSurface(kScreenWidth, kScreenHeight, 3);
    AccumulateMap(alpha, shape);
    EXPECT_EQ(alpha.Row(0)[0], 253);
    AccumulateMap(alpha, shape);
    EXPECT_EQ(alpha.Row(599)[2399], 255);
}

TEST(SurfaceOps, AddSurfacesStopsAtTheLastWholeGroup) {
    // Width 5: 15 bytes a row, one whole group of 8.
    Surface p = SolidSurface(5, 2, 200), q = SolidSurface(5, 2, 100), out = SolidSurface(5, 2, 7);
    AddSurfaces(p, q, out);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(Bytes(out.Row(r), out.Row(r) + 15),
                  (Bytes{255, 255, 255, 255, 255, 255, 255, 255, 7, 7, 7, 7, 7, 7, 7}));
    }
}

TEST(SurfaceOps, FullScreenOpsClipToSmallerSurfaces) {
    Surface x = SolidSurface(kScreenWidth, kScreenHeight, 10);
    Surface y = SolidSurface(kScreenWidth, kScreenHeight, 20);
    Surface small = SolidSurface(7, 3, 1);
    CrossFadeSurface(x, y, 256, small);
    EXPECT_EQ(small.Row(2)[20], 10);
    Surface big = SolidSurface(kScreenWidth + 10, kScreenHeight + 2, 1);
    CrossFadeSurface(x, y, 0, big);
    EXPECT_EQ(big.Row(599)[2399], 20);
    EXPECT_EQ(big.Row(599)[2400], 1);  // past the drawing area
    EXPECT_EQ(big.Row(600)[0], 1);
}

TEST(SurfaceOps, BlockCrossFadeCoversItsBlockOnly) {
    Surface prev = SolidSurface(kScreenWidth, kScreenHeight, 200);
    Surface disp = SolidSurface(kScreenWidth, kScreenHeight, 100);
    Surface work = SolidSurface(kScreenWidth, kScreenHeight, 0);
    CrossFadeBlock(prev, disp, 160, 120, 256, work);
    for (int r = 118; r < 182; ++r) {
        for (int c = 158; c < 242; ++c) {
            bool inside = r >= 120 && r < 180 && c >= 160 && c < 240;
            ASSERT_EQ(work.Row(r)[c * 3 + 1], inside ? 200 : 0) << r << "," << c;
        }
    }
    // A block on the bottom-right corner of a smaller surface stays inside it.
    Surface corner = SolidSurface(100, 70, 0);
    CrossFadeBlock(prev, disp, 80, 60, 0, corner);
    EXPECT_EQ(corner.Row(69)[299], 100);
    EXPECT_EQ(corner.Row(59)[299], 0);
}

TEST(SpriteBlit, LeftClipBlendsWholeRunsAndTheRestByTheEdgeFormula) {
    Surface dest = SolidSurface(200, 10, 200);
    Surface pic = SolidSurface(100, 4, 100);
    Surface mask = SolidSurface(100, 4, 128);
    SpriteBlit(dest, pic, -10, 2, mask);
    // 90 columns remain: 88 through the masked blend, 2 through max(d - k, 0) + p.
    for (int c = 0; c < 95; ++c) {
        uint8_t want = c < 88 ? 149 : c < 90 ? 172 : 200;
        ASSERT_EQ(dest.Row(3)[c * 3 + 2], want) << c;
    }
    EXPECT_EQ(dest.Row(1)[0], 200);
    EXPECT_EQ(dest.Row(6)[0], 200);
}

TEST(SpriteBlit, ClipsRightAndBottomAndSkipsWhatLiesOutside) {
    Surface dest = SolidSurface(20, 10, 0);
    Surface pic = SolidSurface(16, 16, 90);
    Surface mask = SolidSurface(16, 16, 255);
    SpriteBlit(dest, pic, 10, 5, mask);  // 10 columns, 5 rows
    EXPECT_EQ(dest.Row(9)[19 * 3], 90);
    EXPECT_EQ(dest.Row(4)[19 * 3], 0);
    EXPECT_EQ(dest.Row(5)[9 * 3], 0);

    Surface before = dest;
    SpriteBlit(dest, pic, 20, 0, mask);
    SpriteBlit(dest, pic, 0, 11, mask);
    SpriteBlit(dest, pic, -16, 0, mask);
    SpriteBlit(dest, pic, 0, -16, mask);
    SpriteBlit(dest, pic, 0, 10, mask);  // y equal to the height: no rows
    EXPECT_EQ(std::memcmp(dest.Data(), before.Data(), dest.SizeBytes()), 0);
}

TEST(SpriteBlit, NeverReadsPastASmallerMask) {
    Surface dest = SolidSurface(32, 32, 0);
    Surface pic = SolidSurface(24, 24, 80);
    Surface mask = SolidSurface(9, 5, 255);
    SpriteBlit(dest, pic, 0, 0, mask);
    EXPECT_EQ(dest.Row(4)[8 * 3], 80);
    EXPECT_EQ(dest.Row(4)[9 * 3], 0);
    EXPECT_EQ(dest.Row(5)[0], 0);
}

TEST(StackedSpriteBlit, DrawsTheUpperHalfThroughTheLowerAndRefusesOverhangs) {
    Surface pic(8, 4);  // 8 x 2 picture, 3 * 8 / 8 = 3 groups = 8 pixels a row
    for (int r = 0; r < 2; ++r)
        std::memset(pic.Row(r), 77, 24);
    std::memset(pic.Row(2), 255, 24);
    std::memset(pic.Row(3), 0, 24);
    Surface dest = SolidSurface(10, 5, 5);
    EXPECT_TRUE(StackedSpriteBlit(dest, 2, 3, pic));
    EXPECT_EQ(dest.Row(3)[2 * 3], 77);
    EXPECT_EQ(dest.Row(3)[9 * 3 + 2], 77);
    EXPECT_EQ(dest.Row(4)[2 * 3], 5);  // mask 0
    EXPECT_EQ(dest.Row(3)[1 * 3 + 2], 5);

    Surface before = dest;
    EXPECT_FALSE(StackedSpriteBlit(dest, 3, 0, pic));  // one pixel past the right edge
    EXPECT_FALSE(StackedSpriteBlit(dest, 0, 4, pic));
    EXPECT_FALSE(StackedSpriteBlit(dest, -1, 0, pic));
    EXPECT_EQ(std::memcmp(dest.Data(), before.Data(), dest.SizeBytes()), 0);
}

TEST(StackedSpriteBlit, NarrowPicturesDrawOnlyThePixelsOfWholeGroups) {
    Surface pic(5, 2);  // 15 bytes a row: one group, two pixels
    std::memset(pic.Row(0), 60, 15);
    std::memset(pic.Row(1), 255, 15);
    Surface dest = SolidSurface(5, 1, 0);
    EXPECT_TRUE(StackedSpriteBlit(dest, 0, 0, pic));
    EXPECT_EQ(Bytes(dest.Row(0), dest.Row(0) + 15),
              (Bytes{60, 60, 60, 60, 60, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// ---- Vector tables against the scalar definitions -------------------------------------------

struct RandomRows {
    explicit RandomRows(uint32_t seed) : rng(seed) {}
    std::mt19937 rng;

    // Random bytes, with runs of the values where formulas change (0, 1, 254, 255) mixed in.
    Bytes Row(size_t n) {
        Bytes v(n);
        std::uniform_int_distribution<int> byte(0, 255), pick(0, 7);
        static constexpr uint8_t kEdges[] = {0, 1, 254, 255};
        for (auto& b : v) {
            int p = pick(rng);
            b = p < 4 ? kEdges[p] : uint8_t(byte(rng));
        }
        return v;
    }
};

class VectorKernels : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        std::string name = GetParam();
        kernels_ = name == "sse2"    ? Sse2PixelKernels()
                   : name == "ssse3" ? Ssse3PixelKernels()
                                     : Avx2PixelKernels();
        if (!kernels_) GTEST_SKIP() << name << " is not available on this processor";
    }
    const PixelKernels* kernels_ = nullptr;
    const PixelKernels& scalar_ = ScalarPixelKernels();
};

// Lengths from 0 through several vector widths, then the engine's row and a few odd sizes; each
// row is used at every start offset 0..3 so unaligned vectors are covered.
const std::vector<size_t>& Lengths() {
    static const std::vector<size_t> lengths = [] {
        std::vector<size_t> v;
        for (size_t n = 0; n <= 200; ++n)
            v.push_back(n);
        for (size_t n : {255, 256, 257, 383, 384, 385, 2399, 2400, 2401})
            v.push_back(n);
        return v;
    }();
    return lengths;
}

TEST_P(VectorKernels, CrossFadeMatchesEveryWeightAndLength) {
    RandomRows rnd(1);
    for (size_t n : Lengths()) {
        const size_t off = n % 4;
        Bytes x = rnd.Row(n + off), y = rnd.Row(n + off);
        for (unsigned a = 0; a <= 256; a += (n <= 64 ? 1 : 37)) {
            Bytes want(n + off, 0xCD), got(n + off, 0xCD);
            scalar_.CrossFade(x.data() + off, y.data() + off, n, a, want.data() + off);
            kernels_->CrossFade(x.data() + off, y.data() + off, n, a, got.data() + off);
            ASSERT_EQ(got, want) << "length " << n << " weight " << a;
        }
    }
}

TEST_P(VectorKernels, MaskedBlendMatchesEveryLengthAndInPlace) {
    RandomRows rnd(2);
    for (size_t px : Lengths()) {
        const size_t off = px % 4, n = px * 3 + off;
        Bytes b = rnd.Row(n), s = rnd.Row(n), m = rnd.Row(n);
        Bytes want(n, 0xCD), got(n, 0xCD);
        scalar_.MaskedBlend(b.data() + off, s.data() + off, m.data() + off, px, want.data() + off);
        kernels_->MaskedBlend(b.data() + off, s.data() + off, m.data() + off, px, got.data() + off);
        ASSERT_EQ(got, want) << "pixels " << px;
        Bytes in_place = b;
        kernels_->MaskedBlend(in_place.data() + off, s.data() + off, m.data() + off, px,
                              in_place.data() + off);
        for (size_t i = 0; i < off; ++i)
            want[i] = b[i];
        ASSERT_EQ(Bytes(in_place.begin(), in_place.begin() + off + px * 3),
                  Bytes(want.begin(), want.begin() + off + px * 3))
            << "in place, pixels " << px;
    }
}

TEST_P(VectorKernels, MaskedBlendMatchesEveryMaskValue) {
    // All 256 mask values against fixed and random pictures, a mask value per pixel.
    RandomRows rnd(3);
    const size_t px = 256;
    Bytes m(px * 3);
    for (size_t i = 0; i < px; ++i)
        m[i * 3] = uint8_t(i), m[i * 3 + 1] = 0, m[i * 3 + 2] = 255;
    for (int round = 0; round < 8; ++round) {
        Bytes b = rnd.Row(px * 3), s = rnd.Row(px * 3);
        Bytes want(px * 3), got(px * 3);
        scalar_.MaskedBlend(b.data(), s.data(), m.data(), px, want.data());
        kernels_->MaskedBlend(b.data(), s.data(), m.data(), px, got.data());
        ASSERT_EQ(got, want);
    }
}

TEST_P(VectorKernels, PerByteKernelsMatch) {
    RandomRows rnd(4);
    for (size_t n : Lengths()) {
        const size_t off = (n + 1) % 4;
        Bytes p = rnd.Row(n + off), q = rnd.Row(n + off), m = rnd.Row(n + off);
        auto check = [&](auto run, const char* what) {
            Bytes want(n + off, 0xCD), got(n + off, 0xCD);
            run(scalar_, want.data() + off);
            run(*kernels_, got.data() + off);
            ASSERT_EQ(got, want) << what << ", length " << n;
        };
        check(
            [&](const PixelKernels& k, uint8_t* out) {
                k.WeightMapBlend(p.data() + off, q.data() + off, m.data() + off, n, out);
            },
            "weight map");
        check([&](const PixelKernels& k,
                  uint8_t* out) { k.AddSaturate(p.data() + off, q.data() + off, n, out); },
              "add");
        for (unsigned a : {0u, 1u, 128u, 255u, 256u, 257u, 300u, 4097u, 65280u, 65535u}) {
            check([&](const PixelKernels& k, uint8_t* out) { k.Scale(p.data() + off, n, a, out); },
                  "scale");
            check([&](const PixelKernels& k,
                      uint8_t* out) { k.ScaleAdd(p.data() + off, q.data() + off, n, a, out); },
                  "scale-add");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PixelOps, VectorKernels, ::testing::Values("sse2", "ssse3", "avx2"),
                         [](const auto& info) { return std::string(info.param); });

TEST(PixelKernels, TheActiveTableIsTheWidestAvailable) {
    const PixelKernels* want = Avx2PixelKernels();
    if (!want) want = Ssse3PixelKernels();
    if (!want) want = Sse2PixelKernels();
    if (!want) want = &ScalarPixelKernels();
    EXPECT_STREQ(ActivePixelKernels().Name, want->Name);
}

}  // namespace
}  // namespace vespin
