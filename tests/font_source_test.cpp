// Face look-up, stand-ins for faces that are not installed, sizes and raw glyphs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/text/font_source.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"
#include "text_test_support.h"

namespace vespin {
namespace {

const std::string kMinchoName = "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D";  // ＭＳ 明朝
const std::string kGothicName =  // ＭＳ ゴシック
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
const std::string kPGothicName =  // ＭＳ Ｐゴシック
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
const std::string kPMinchoName =  // ＭＳ Ｐ明朝
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE6\x98\x8E\xE6\x9C\x9D";

TEST(FontLookup, KindFollowsTheName) {
    EXPECT_EQ(KindOfFaceName(kMinchoName), FontKind::Mincho);
    EXPECT_EQ(KindOfFaceName(kGothicName), FontKind::Gothic);
    EXPECT_EQ(KindOfFaceName("MS Gothic"), FontKind::Gothic);
    EXPECT_EQ(KindOfFaceName("IPAexGOTHIC"), FontKind::Gothic);
    EXPECT_EQ(KindOfFaceName("Some Face"), FontKind::Mincho);  // the default face's kind
    EXPECT_EQ(KindOfFaceName(""), FontKind::Mincho);
}

TEST(FontLookup, MissingFacesFallBackToAFaceOfTheSameKind) {
    VESPIN_REQUIRE_IPA_FONTS();
    struct Case {
        std::string Name;
        std::string Family;
    };
    for (const Case& c : {Case{kMinchoName, "IPAMincho"}, Case{kGothicName, "IPAGothic"},
                          Case{kPGothicName, "IPAPGothic"}, Case{kPMinchoName, "IPAPMincho"},
                          Case{"No Such Face", "IPAMincho"}, Case{"", "IPAMincho"}}) {
        for (FontWeight weight : {FontWeight::Regular, FontWeight::Bold}) {
            FontFile file = FindFontFile(c.Name, weight);
            EXPECT_TRUE(file.Substituted) << c.Name;
            EXPECT_EQ(file.Family, c.Family) << c.Name;
            EXPECT_FALSE(file.NativeBold) << c.Name;  // the IPA faces have no bold: synthesised
            EXPECT_FALSE(file.Path.empty());
        }
    }
}

TEST(FontLookup, InstalledFacesAreUsedAsNamed) {
    VESPIN_REQUIRE_IPA_FONTS();
    FontFile gothic = FindFontFile("IPAGothic", FontWeight::Regular);
    EXPECT_FALSE(gothic.Substituted);
    EXPECT_EQ(gothic.Family, "IPAGothic");
    // A localised family name finds the same face.
    FontFile local = FindFontFile("IPA\xE6\x98\x8E\xE6\x9C\x9D", FontWeight::Bold);  // IPA明朝
    EXPECT_FALSE(local.Substituted);
    EXPECT_EQ(local.Family, "IPAMincho");
    EXPECT_FALSE(local.NativeBold);
}

TEST(FontLookup, StandInIsReportedOnceOnlyWhenDebugging) {
    VESPIN_REQUIRE_IPA_FONTS();
    std::string name_sjis = sjis_text::kDefaultFontName;
    {
        unsetenv("VESPIN_DEBUG");
        FontSource fonts;
        ::testing::internal::CaptureStderr();
        fonts.Resolve(name_sjis, FontWeight::Regular);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
    setenv("VESPIN_DEBUG", "1", 1);
    FontSource fonts;
    ::testing::internal::CaptureStderr();
    fonts.Resolve(name_sjis, FontWeight::Regular);
    fonts.Resolve(name_sjis, FontWeight::Bold);
    fonts.Get(name_sjis, FontSize{24}, FontWeight::Regular);
    std::string said = ::testing::internal::GetCapturedStderr();
    unsetenv("VESPIN_DEBUG");
    EXPECT_NE(said.find(kMinchoName), std::string::npos) << said;
    EXPECT_NE(said.find("IPAMincho"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;  // one line
}

TEST(FontSizes, PointsBecomePixelsAtNinetySixDotsPerInch) {
    EXPECT_EQ(PointsToPixels(18), 24);
    EXPECT_EQ(PointsToPixels(21), 28);
    EXPECT_EQ(PointsToPixels(22), 29);  // 29.33
    EXPECT_EQ(PointsToPixels(11), 15);  // 14.67
    EXPECT_EQ(PointsToPixels(0), 0);
    EXPECT_EQ(PointsToPixels(-18), -24);
}

TEST(FontSizes, SizesAreKeptSane) {
    VESPIN_REQUIRE_IPA_FONTS();
    FontSource fonts;
    const std::string face = sjis_text::kDefaultFontName;
    EXPECT_EQ(fonts.Get(face, FontSize{24}, FontWeight::Regular)->PixelsPerEm(), 24);
    EXPECT_EQ(fonts.Get(face, FontSize{100000}, FontWeight::Regular)->PixelsPerEm(), 512);
    EXPECT_EQ(fonts.Get(face, FontSize{0}, FontWeight::Regular)->PixelsPerEm(), 1);
    EXPECT_EQ(fonts.Get(face, FontSize{-30}, FontWeight::Regular)->PixelsPerEm(), 1);
    // A cell height counts ascent and descent together.
    for (int cell : {10, 32, 48, 72}) {
        auto font = fonts.Get(face, FontSize{cell, SizeUnit::Cell}, FontWeight::Regular);
        EXPECT_NEAR(font->Ascent() + font->Descent(), cell, 1) << cell;
        EXPECT_LT(font->PixelsPerEm(), cell);
    }
    auto em = fonts.Get(face, FontSize{24}, FontWeight::Regular);
    EXPECT_EQ(em->Ascent(), 21);
    EXPECT_EQ(em->Descent(), 5);
}

TEST(FontGlyphs, RenderReportsBoxOriginAndAbsence) {
    VESPIN_REQUIRE_IPA_FONTS();
    FontSource fonts;
    auto font = fonts.Get(sjis_text::kDefaultFontName, FontSize{24}, FontWeight::Regular);
    GlyphBitmap g;
    ASSERT_TRUE(font->Render(U'\u65E5', Rasterise::Grey, g));  // 日
    EXPECT_GT(g.Width, 10);
    EXPECT_GT(g.Height, 15);
    EXPECT_GT(g.Top, 15);
    EXPECT_LE(g.Top, font->Ascent());
    EXPECT_EQ(g.Advance, 24);
    EXPECT_EQ(g.Coverage.size(), static_cast<size_t>(g.Width * g.Height));

    ASSERT_TRUE(font->Render(U'\u3000', Rasterise::Grey, g));  // ideographic space: no ink
    EXPECT_EQ(g.Width * g.Height, 0);
    EXPECT_FALSE(font->Render(U'\uE000', Rasterise::Grey, g));  // the face has no such glyph
    EXPECT_EQ(font->Advance(U'\uE000'), 0);

    ASSERT_TRUE(font->Render(U'A', Rasterise::Mono, g));
    for (uint8_t v : g.Coverage)
        EXPECT_TRUE(v == 0 || v == 255);
}

TEST(FontGlyphs, BoldIsSynthesisedWhenTheFaceHasNone) {
    VESPIN_REQUIRE_IPA_FONTS();
    FontSource fonts;
    auto ink = [&fonts](FontWeight weight) {
        GlyphBitmap g;
        fonts.Get(sjis_text::kDefaultFontName, FontSize{24}, weight)
            ->Render(U'\u65E5', Rasterise::Grey, g);
        int sum = 0;
        for (uint8_t v : g.Coverage)
            sum += v;
        return sum;
    };
    EXPECT_GT(ink(FontWeight::Bold), ink(FontWeight::Regular) * 5 / 4);
}

}  // namespace
}  // namespace vespin
