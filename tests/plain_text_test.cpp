// Plain text output: measuring, placement, colour and clipping.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "core/text/plain_text.h"
#include "core/text/sjis_strings.h"
#include "text_test_support.h"

namespace vespin {
namespace {

using testing::ChangedArea;
using testing::Checksum;

PlainFont Mincho(int pixels, FontWeight weight = FontWeight::Regular) {
    return PlainFont{sjis_text::kDefaultFontName, FontSize{pixels}, weight};
}

TEST(PlainText, WidthIsTheSumOfAdvances) {
    VESPIN_REQUIRE_IPA_FONTS();
    FontSource fonts;
    PlainFont font = Mincho(24);
    EXPECT_EQ(MeasurePlainText(fonts, "\x82\xA0\x82\xA2\x82\xA4", font).Width, 72);  // あいう
    EXPECT_EQ(MeasurePlainText(fonts, "A\x82\xA0", font).Width, 36);
    EXPECT_EQ(MeasurePlainText(fonts, "\xB1\xB2", font).Width, 24);  // half-width ｱｲ
    EXPECT_EQ(MeasurePlainText(fonts, "", font).Width, 0);
    EXPECT_EQ(MeasurePlainText(fonts, "", font).Height, 26);  // ascent 21 + descent 5
    // Bytes that are no character take no room; a lead byte at the end is dropped.
    EXPECT_EQ(MeasurePlainText(fonts,
                               "A\x81\x20"
                               "B\x82",
                               font)
                  .Width,
              24);
    EXPECT_EQ(MeasurePlainText(fonts, std::string("A\0B", 3), font).Width, 24);

    PlainFont proportional{"\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E",
                           FontSize{24}};  // ＭＳ Ｐゴシック
    EXPECT_LT(MeasurePlainText(fonts, "iii", proportional).Width,
              MeasurePlainText(fonts, "WWW", proportional).Width);
    EXPECT_GE(MeasurePlainText(fonts, "WWW", Mincho(24, FontWeight::Bold)).Width,
              MeasurePlainText(fonts, "WWW", font).Width);
}

TEST(PlainText, DrawsOneColourInsideItsBoxOverAnUntouchedBackground) {
    VESPIN_REQUIRE_IPA_FONTS();
    FontSource fonts;
    PlainFont font{sjis_text::kDefaultFontName, FontSize{48, SizeUnit::Cell}, FontWeight::Bold};
    const char* text = "\x91\xE6\x88\xEA\x8F\xCD";  // 第一章
    Surface s(400, 120);
    s.Fill(10, 20, 30);
    Surface before = s;
    int width = DrawPlainText(fonts, s, 50, 40, text, font, Rgb{200, 150, 100});
    PlainTextExtent extent = MeasurePlainText(fonts, text, font);
    EXPECT_EQ(width, extent.Width);
    Rect ink = ChangedArea(s, before);
    ASSERT_GT(ink.w, 0);
    EXPECT_GE(ink.x, 50);
    EXPECT_LE(ink.x + ink.w, 50 + extent.Width + 2);  // synthetic bold may overhang a little
    EXPECT_GE(ink.y, 40);
    EXPECT_LE(ink.y + ink.h, 40 + extent.Height);
    for (size_t i = 0; i < s.SizeBytes(); i += 3) {
        const uint8_t* px = s.Data() + i;
        bool background = px[0] == 10 && px[1] == 20 && px[2] == 30;
        bool text_colour = px[0] == 100 && px[1] == 150 && px[2] == 200;
        ASSERT_TRUE(background || text_colour) << i / 3;
    }
}

TEST(PlainText, IsClippedToTheSurface) {
    VESPIN_REQUIRE_IPA_FONTS();
    FontSource fonts;
    PlainFont font = Mincho(24);
    const char* text = "\x82\xA0\x82\xA2";
    Surface narrow(60, 40), wide(120, 40);
    DrawPlainText(fonts, narrow, 40, 5, text, font, kWhite);
    DrawPlainText(fonts, wide, 40, 5, text, font, kWhite);
    for (int y = 0; y < 40; ++y) {
        ASSERT_EQ(0, std::memcmp(narrow.Row(y), wide.Row(y), narrow.Stride())) << y;
    }
    uint64_t sum = Checksum(narrow);
    for (auto [x, y] : {std::pair{INT_MAX, INT_MAX},
                        {INT_MIN, INT_MIN},
                        {INT_MAX - 5, 0},
                        {0, INT_MAX - 5},
                        {-1000, 0}}) {
        DrawPlainText(fonts, narrow, x, y, text, font, kWhite);
    }
    EXPECT_EQ(Checksum(narrow), sum);  // nothing of those lands on the surface
    Surface corner(60, 40);
    DrawPlainText(fonts, corner, -12, -10, text, font, kWhite);
    EXPECT_GT(ChangedArea(corner, Surface(60, 40)).w, 0);
    Surface empty;
    DrawPlainText(fonts, empty, 0, 0, text, font, kWhite);
}

}  // namespace
}  // namespace vespin
