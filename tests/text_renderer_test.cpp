// The glyph renderer on the installed IPA fonts: what reaches a surface, the cache, the colours,
// fixed-pitch placement and the plain mode.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/text/glyph_raster.h"
#include "core/text/plain_text.h"
#include "core/text/sjis.h"
#include "core/text/text_renderer.h"
#include "text_test_support.h"

namespace vespin {
namespace {

using testing::ChangedArea;
using testing::Checksum;
using testing::TextEngine;

constexpr char kA[] = "\x82\xA0";                  // あ
constexpr char kI[] = "\x82\xA2";                  // い
constexpr char kSun[] = "\x93\xFA";                // 日
constexpr char kSpace[] = "\x81\x40";              // full-width space
constexpr char kWhiteDiamondChars[] = "\x81\x9E";  // ◇
constexpr char kBlackDiamondChars[] = "\x81\x9F";  // ◆

Surface Grey(int w = 200, int h = 100) {
    Surface s(w, h);
    s.Fill(100, 100, 100);
    return s;
}

// The bounding box of the non-zero pixels of a 32 × 35 plate.
Rect InkOf(const Surface& plate) {
    Surface empty(plate.Width(), plate.Height());
    return ChangedArea(plate, empty);
}

std::string Sjis(unsigned code) {
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

TEST(TextRenderer, FullWidthSpaceDrawsNothingAndIsNotCached) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    EXPECT_EQ(e.TextRenderer.Cache.Find(0x8140), nullptr);
    Surface s = Grey();
    Surface before = s;
    PrepareChar(e, kSpace);
    DrawPreparedChar(e, s, 10, 10);
    EXPECT_EQ(Checksum(s), Checksum(before));
}

TEST(TextRenderer, RebuildPreRendersTheCommonSet) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    // Nothing is rendered until the first character is wanted, and then the common set comes
    // first: 194 codes, of which the full-width space has no ink and 0x837F (inside the
    // katakana range) is no character at all. 日 is one of them.
    EXPECT_EQ(e.TextRenderer.Cache.Count(), 0);
    PrepareChar(e, kSun);
    EXPECT_EQ(e.TextRenderer.Cache.Count(), 192);
    EXPECT_EQ(e.TextRenderer.Cache.Find(0x837F), nullptr);
    for (unsigned code : {0x8175u, 0x93FAu, 0x829Fu, 0x82F1u, 0x8340u, 0x8396u, 0x824Fu, 0x8258u}) {
        EXPECT_NE(e.TextRenderer.Cache.Find(code), nullptr) << std::hex << code;
    }
    EXPECT_EQ(e.TextRenderer.Cache.Find(0x889F), nullptr);  // 亜 is not common
}

TEST(TextRenderer, ShadowLiesOneRightAndOneDownOfTheFace) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    SelectTextColour(e, 0);
    PrepareChar(e, kSun);
    Rect face = InkOf(e.TextRenderer.FacePlate);
    ASSERT_GT(face.w, 0);
    // White text on white: only the shadow shows. The blur widens the face by one pixel each
    // way, and the shadow sits one pixel right and one down of that.
    Surface s(100, 100);
    s.Fill(255, 255, 255);
    Surface white = s;
    DrawPreparedChar(e, s, 20, 30);
    Rect shadow = ChangedArea(s, white);
    EXPECT_EQ(shadow.x, 20 + face.x);
    EXPECT_EQ(shadow.y, 30 + face.y);
    EXPECT_EQ(shadow.w, face.w + 2);
    EXPECT_EQ(shadow.h, face.h + 2);
    // The glyph starts two rows below the top of the cell at the most.
    EXPECT_GE(face.y, 2);
}

TEST(TextRenderer, FaceIsDrawnInTheCurrentColourOverItsShadow) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    SelectTextColour(e, 2);  // red
    PrepareChar(e, kSun);
    Surface s(64, 64);
    DrawPreparedChar(e, s, 0, 0);
    int full = 0;
    for (int y = 0; y < kCellHeight; ++y) {
        for (int x = 0; x < kCellWidth; ++x) {
            const uint8_t* px = s.Row(y) + x * 3;
            uint8_t face = e.TextRenderer.FacePlate.Row(y)[x * 3];
            if (face == 255) {
                ++full;
                EXPECT_EQ(px[0], 0);  // blue, green, red
                EXPECT_EQ(px[1], 0);
                EXPECT_EQ(px[2], 255);
            }
            EXPECT_LE(px[0], 0);  // red text on black never brings in blue or green
        }
    }
    EXPECT_GT(full, 20);
}

TEST(TextRenderer, PaletteIsSelectedModuloNine) {
    TextEngine t;
    EngineState& e = *t;
    auto plate_colour = [&e] {
        const uint8_t* px = e.TextRenderer.ColourPlate.Row(34) + 31 * 3;
        return Rgb{px[2], px[1], px[0]};
    };
    EXPECT_EQ(plate_colour(), kWhite);  // after start-up
    SelectTextColour(e, 11);
    EXPECT_EQ(e.TextRenderer.CurrentColour, (Rgb{255, 0, 0}));
    EXPECT_EQ(plate_colour(), (Rgb{255, 0, 0}));
    SelectTextColour(e, 9);
    EXPECT_EQ(plate_colour(), kWhite);
    SelectTextColour(e, 8);
    EXPECT_EQ(plate_colour(), (Rgb{255, 160, 160}));
    SelectTextColour(e, -1);  // counts back from the end rather than reading before the table
    EXPECT_EQ(plate_colour(), (Rgb{255, 160, 160}));
    SelectTextColour(e, INT_MIN);
    EXPECT_EQ(e.TextRenderer.CurrentColour, kTextPalette[((INT_MIN % 9) + 9) % 9]);
}

TEST(TextRenderer, FixedPitchPlacesCharactersByBytePosition) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    auto draw_one = [&e](Surface& s, const char* chars, int x) {
        PrepareChar(e, chars);
        DrawPreparedChar(e, s, x, 40);
    };
    Surface fixed(300, 100), expected(300, 100);
    DrawTextFixedPitch(e, std::string(kA) + kI, 100, fixed, 3, 40);
    SelectTextColour(e, 3);
    draw_one(expected, kA, 112);
    draw_one(expected, kI, 136);
    EXPECT_EQ(Checksum(fixed), Checksum(expected));

    // One-byte characters advance 12, two-byte ones 24; the first stands at x0 + 12.
    Surface mixed(300, 100), expected_mixed(300, 100);
    DrawTextFixedPitch(e, std::string("A") + kA + "B", 0, mixed, 0, 40);
    SelectTextColour(e, 0);
    draw_one(expected_mixed, "A", 12);
    draw_one(expected_mixed, kA, 24);
    draw_one(expected_mixed, "B", 48);
    EXPECT_EQ(Checksum(mixed), Checksum(expected_mixed));
}

TEST(TextRenderer, PlainModeDrawsABlackCopyTwoPixelsDownRight) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    e.Settings.FONTAA = 1;
    RebuildFont(e);
    SelectTextColour(e, 4);  // yellow
    PrepareChar(e, kA);
    EXPECT_EQ(e.TextRenderer.PreparedPath, GlyphPath::Plain);
    Surface s = Grey();
    DrawPreparedChar(e, s, 30, 20);

    Surface expected = Grey();
    PlainFont font = TextPlainFont(e);
    EXPECT_EQ(font.Size.Pixels, 24);  // FONTSIZE 18 points at 96 dots per inch
    DrawPlainText(e.TextRenderer.Fonts, expected, 32, 22, kA, font, kBlack);
    DrawPlainText(e.TextRenderer.Fonts, expected, 30, 20, kA, font, Rgb{255, 255, 0});
    EXPECT_EQ(Checksum(s), Checksum(expected));
    // Plain text has no in-between shades: every pixel is the background, black or yellow.
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const uint8_t* px = s.Row(y) + x * 3;
            bool known = (px[0] == 100 && px[1] == 100 && px[2] == 100) ||
                         (px[0] == 0 && px[1] == 0 && px[2] == 0) ||
                         (px[0] == 0 && px[1] == 255 && px[2] == 255);
            ASSERT_TRUE(known) << x << "," << y;
        }
    }
}

TEST(TextRenderer, DiamondsStayAntiAliasedInPlainMode) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    e.Settings.FONTAA = 1;
    for (const char* diamond : {kWhiteDiamondChars, kBlackDiamondChars}) {
        PrepareChar(e, diamond);
        EXPECT_EQ(e.TextRenderer.PreparedPath, GlyphPath::AntiAliased);
        Surface s = Grey();
        DrawPreparedChar(e, s, 10, 10);
        int shades = 0;  // pixels between the background and full white
        for (size_t i = 0; i < s.SizeBytes(); i += 3) {
            uint8_t v = s.Data()[i];
            shades += v != 100 && v != 255 && v != 0;
        }
        EXPECT_GT(shades, 10);
    }
}

TEST(TextRenderer, TheThousandAndFirstGlyphIsDrawnButNotCached) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    // Fill the cache with level-1 kanji after the common set.
    unsigned code = 0x889F;
    while (e.TextRenderer.Cache.Count() < kGlyphCacheCapacity) {
        PrepareChar(e, Sjis(code++));
        if ((code & 0xFF) > 0xFC) code = (code & 0xFF00) + 0x140;
    }
    std::string extra = Sjis(0x9840);  // 察... any kanji not yet seen
    while (e.TextRenderer.Cache.Find(CharacterCode(extra)))
        extra = Sjis(CharacterCode(extra) + 1);
    PrepareChar(e, extra);
    EXPECT_EQ(e.TextRenderer.Cache.Count(), kGlyphCacheCapacity);
    EXPECT_EQ(e.TextRenderer.Cache.Find(CharacterCode(extra)), nullptr);
    EXPECT_GT(InkOf(e.TextRenderer.FacePlate).w, 0);  // drawn all the same
    RebuildFont(e);
    PrepareChar(e, kSun);
    EXPECT_EQ(e.TextRenderer.Cache.Count(), 192);
}

TEST(TextRenderer, NewSizeTakesEffectAtTheNextRebuild) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    PrepareChar(e, kSun);
    Rect big = InkOf(e.TextRenderer.FacePlate);
    e.Settings.FONTSIZE = 11;
    PrepareChar(e, kSun);
    EXPECT_EQ(InkOf(e.TextRenderer.FacePlate).h, big.h);  // still the cached cell
    RebuildFont(e);
    PrepareChar(e, kSun);
    EXPECT_LT(InkOf(e.TextRenderer.FacePlate).h, big.h);

    // The tinted window style uses FONTSIZE2 instead.
    e.Settings.PictureWindowStyle = false;
    e.Settings.FONTSIZE2 = 22;
    RebuildFont(e);
    PrepareChar(e, kSun);
    EXPECT_GT(InkOf(e.TextRenderer.FacePlate).h, big.h);
}

TEST(TextRenderer, OversizedGlyphsDrawNothing) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    e.Settings.FONTSIZE = 40;  // 53 pixels: far more than a cell's worth of bitmap
    RebuildFont(e);
    RenderPendingCommonSet(e);
    EXPECT_EQ(e.TextRenderer.Cache.Find(0x93FA), nullptr);
    EXPECT_NE(e.TextRenderer.Cache.Find(0x8142), nullptr);  // 。 is small enough all the same
    Surface s = Grey();
    Surface before = s;
    PrepareChar(e, kSun);
    DrawPreparedChar(e, s, 0, 0);
    EXPECT_EQ(Checksum(s), Checksum(before));
}

TEST(TextRenderer, MalformedCharactersDrawNothing) {
    TextEngine t;
    EngineState& e = *t;
    for (int aa = 0; aa <= 1; ++aa) {
        e.Settings.FONTAA = aa;
        for (std::string chars :
             {std::string("\x82"), std::string("\x82\x20", 2), std::string("\x81\x00", 2),
              std::string("\xFC\xFC"), std::string("\xF0\x40"), std::string("\x01"),
              std::string(""), std::string("\x80"), std::string("\xFF")}) {
            Surface s = Grey();
            Surface before = s;
            PrepareChar(e, chars);
            DrawPreparedChar(e, s, 5, 5);
            EXPECT_EQ(Checksum(s), Checksum(before))
                << "FONTAA " << aa << " " << std::hex << CharacterCode(chars);
        }
    }
    // A lead byte at the end of a fixed-pitch text takes no byte beyond the text.
    Surface s = Grey(400, 100);
    DrawTextFixedPitch(e, std::string_view("A\x82", 2), 0, s, 0, 0);
    DrawTextFixedPitch(e, std::string_view("\x82\0\x82\xA0", 4), 0, s, 0, 0);
}

// Every one-byte value and every lead byte with trail bytes in and out of range: whatever a
// script holds, preparing and drawing it stays inside the plates and the surface.
TEST(TextRenderer, AnyBytesAreSafeAsACharacter) {
    TextEngine t;
    EngineState& e = *t;
    Surface s = Grey(64, 64);
    for (int aa = 0; aa <= 1; ++aa) {
        e.Settings.FONTAA = aa;
        for (int first = 0; first < 256; ++first) {
            std::string one(1, static_cast<char>(first));
            PrepareChar(e, one);
            DrawPreparedChar(e, s, 3, 3);
            if (!sjis::IsLeadByte(static_cast<uint8_t>(first))) continue;
            for (int second : {0x00, 0x20, 0x3F, 0x40, 0x7E, 0x7F, 0x80, 0x9F, 0xFC, 0xFD, 0xFF}) {
                std::string two{static_cast<char>(first), static_cast<char>(second)};
                PrepareChar(e, two);
                DrawPreparedChar(e, s, 3, 3);
                EXPECT_EQ(CharacterCode(two), static_cast<unsigned>(first << 8 | second));
            }
        }
    }
    EXPECT_LE(e.TextRenderer.Cache.Count(), kGlyphCacheCapacity);
}

TEST(TextRenderer, DrawingIsClippedToTheSurface) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    PrepareChar(e, kSun);
    // Part of a cell hanging over the right edge looks as it would on a wider surface.
    Surface narrow(210, 60), wide(260, 60);
    DrawPreparedChar(e, narrow, 195, 10);
    DrawPreparedChar(e, wide, 195, 10);
    for (int y = 0; y < 60; ++y) {
        ASSERT_EQ(0, std::memcmp(narrow.Row(y), wide.Row(y), narrow.Stride())) << y;
    }
    for (auto [x, y] : {std::pair{-31, -34},
                        {-1000, 5},
                        {5, 590},
                        {INT_MAX, INT_MAX},
                        {INT_MIN, INT_MIN},
                        {INT_MAX - 1, 0}}) {
        DrawPreparedChar(e, narrow, x, y);
        e.Settings.FONTAA = 1;
        PrepareChar(e, kA);
        DrawPreparedChar(e, narrow, x, y);
        e.Settings.FONTAA = 0;
        PrepareChar(e, kSun);
    }
    Surface empty;
    DrawPreparedChar(e, empty, 0, 0);
}

TEST(TextRenderer, DrawCharAndShowPresentsTheCell) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    PrepareChar(e, kA);
    DrawCharAndShow(e, 38, 420);
    DrawCharAndShow(e, 780, 590);  // hangs over the corner: only the visible part
    DrawCharAndShow(e, 900, 10);   // off screen: nothing to present
    ASSERT_EQ(t.Host.Presented.size(), 2u);
    Rect first = t.Host.Presented[0];
    EXPECT_EQ(first.x, 38);
    EXPECT_EQ(first.y, 420);
    EXPECT_EQ(first.w, 32);
    EXPECT_EQ(first.h, 35);
    Rect corner = t.Host.Presented[1];
    EXPECT_EQ(corner.w, 20);
    EXPECT_EQ(corner.h, 10);
    EXPECT_NE(ChangedArea(e.DisplaySurface, Surface(800, 600)).w, 0);
}

// Pinned cells for the IPA Mincho face at the default sizes; a change here changes how every
// page of text looks.
TEST(TextRenderer, CellsAreStableForTheIpaMinchoFace) {
    VESPIN_REQUIRE_IPA_FONTS();
    TextEngine t;
    EngineState& e = *t;
    auto cell_sum = [&e](const char* chars) {
        PrepareChar(e, chars);
        const Surface& plate = e.TextRenderer.FacePlate;
        return testing::Fnv1a(plate.Data(), plate.SizeBytes());
    };
    uint64_t a = cell_sum(kA), sun = cell_sum(kSun), latin = cell_sum("A");
    // The same cells come from a second, independent renderer.
    TextEngine other;
    EXPECT_EQ(a, [&] {
        PrepareChar(*other, kA);
        const Surface& plate = (*other).TextRenderer.FacePlate;
        return testing::Fnv1a(plate.Data(), plate.SizeBytes());
    }());
    EXPECT_EQ(a, 17089339004323499741u);
    EXPECT_EQ(sun, 4963094248488830429u);
    EXPECT_EQ(latin, 15739692178894259339u);
}

}  // namespace
}  // namespace vespin
