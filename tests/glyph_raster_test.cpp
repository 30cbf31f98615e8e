// The glyph cell, its coverage curve, its shadow and the cache: pure arithmetic, no font needed.

#include <gtest/gtest.h>

#include "core/text/cp932.h"
#include "core/text/glyph_cache.h"
#include "core/text/glyph_raster.h"

namespace vespin {
namespace {

uint8_t At(const GlyphCell& cell, int row, int column) {
    return cell[row * kCellWidth + column];
}

TEST(GlyphRaster, CoverageCurveLiftsEveryTouchedPixel) {
    EXPECT_EQ(CellCoverage(0), 0);
    EXPECT_EQ(CellCoverage(1), 93);
    EXPECT_EQ(CellCoverage(54), 252);
    EXPECT_EQ(CellCoverage(55), 255);  // 255 exactly, not 3 × 55 + 90 wrapped
    EXPECT_EQ(CellCoverage(64), 255);
    // 8-bit coverage reduces to 65 levels with full coverage at 64.
    EXPECT_EQ(ToSixtyFiveLevels(0), 0);
    EXPECT_EQ(ToSixtyFiveLevels(1), 0);
    EXPECT_EQ(ToSixtyFiveLevels(2), 1);
    EXPECT_EQ(ToSixtyFiveLevels(128), 32);
    EXPECT_EQ(ToSixtyFiveLevels(255), 64);
}

TEST(GlyphRaster, ReportedBitmapSizePadsRowsToFourBytes) {
    EXPECT_EQ(PaddedBitmapBytes(0, 20), 0u);
    EXPECT_EQ(PaddedBitmapBytes(1, 1), 4u);
    EXPECT_EQ(PaddedBitmapBytes(29, 29), 32u * 29);
    EXPECT_LE(PaddedBitmapBytes(32, 34), kMaxGlyphBitmapBytes);
    EXPECT_GT(PaddedBitmapBytes(32, 35), kMaxGlyphBitmapBytes);  // exactly 1120 is too big
    EXPECT_GT(PaddedBitmapBytes(33, 32), kMaxGlyphBitmapBytes);  // 36 × 32
}

TEST(GlyphRaster, GlyphLandsTwoRowsBelowTheAscentLine) {
    GlyphBitmap g;
    g.Width = 2;
    g.Height = 2;
    g.Left = 3;
    g.Top = 15;  // the box starts 15 pixels above the baseline
    g.Coverage = {255, 0, 128, 1};
    GlyphCell cell;
    cell.fill(7);
    PlaceGlyph(g, /*ascent=*/20, cell);
    // Row 2 + (20 - 15) + r, column 3 + c.
    EXPECT_EQ(At(cell, 7, 3), 255);
    EXPECT_EQ(At(cell, 7, 4), 0);
    EXPECT_EQ(At(cell, 8, 3), CellCoverage(32));
    EXPECT_EQ(At(cell, 8, 4), 0);  // coverage 1 is level 0
    int inked = 0;
    for (uint8_t v : cell)
        inked += v != 0;
    EXPECT_EQ(inked, 2);  // the rest of the cell was cleared
}

TEST(GlyphRaster, PixelsOutsideTheCellAreDropped) {
    GlyphBitmap g;
    g.Width = 40;
    g.Height = 50;
    g.Left = -4;
    g.Top = 30;
    g.Coverage.assign(40 * 50, 255);
    GlyphCell cell;
    PlaceGlyph(g, /*ascent=*/20, cell);  // rows start at 2 + 20 - 30 = -8
    for (uint8_t v : cell)
        EXPECT_EQ(v, 255);

    g.Left = 1 << 30;  // absurd metrics must not wrap around into the cell
    g.Top = -(1 << 30);
    PlaceGlyph(g, 1 << 30, cell);
    for (uint8_t v : cell)
        EXPECT_EQ(v, 0);

    g.Coverage.resize(10);  // a bitmap shorter than its box draws nothing
    g.Left = 0;
    g.Top = 0;
    PlaceGlyph(g, 0, cell);
    for (uint8_t v : cell)
        EXPECT_EQ(v, 0);
}

TEST(GlyphRaster, ShadowIsTheNeighbourAverageOneRowDown) {
    GlyphCell cell{};
    cell[10 * kCellWidth + 10] = 200;
    GlyphCell shadow;
    ComputeShadow(cell, shadow);
    // Each neighbour of (10, 10) sees a quarter of it, written one row lower.
    EXPECT_EQ(At(shadow, 10, 10), 50);  // from the pixel below (9, 10)
    EXPECT_EQ(At(shadow, 11, 9), 50);   // (10, 9)
    EXPECT_EQ(At(shadow, 11, 11), 50);  // (10, 11)
    EXPECT_EQ(At(shadow, 12, 10), 50);  // (11, 10)
    EXPECT_EQ(At(shadow, 11, 10), 0);   // the centre itself is not included
    int inked = 0;
    for (uint8_t v : shadow)
        inked += v != 0;
    EXPECT_EQ(inked, 4);
}

TEST(GlyphRaster, ShadowStaysInsideItsBorder) {
    GlyphCell cell;
    cell.fill(255);
    GlyphCell shadow;
    ComputeShadow(cell, shadow);
    for (int row = 0; row < kCellHeight; ++row) {
        for (int column = 0; column < kCellWidth; ++column) {
            bool inside = row >= 2 && row <= 34 && column >= 1 && column <= 30;
            EXPECT_EQ(At(shadow, row, column), inside ? 255 : 0) << row << "," << column;
        }
    }
}

TEST(GlyphCache, KeepsAThousandEntriesInInsertionOrder) {
    GlyphCache cache;
    cache.Reserve();
    GlyphCell cell{};
    for (uint32_t code = 0; code < kGlyphCacheCapacity; ++code) {
        cell[0] = static_cast<uint8_t>(code);
        ASSERT_TRUE(cache.Add(code, cell));
    }
    EXPECT_EQ(cache.Count(), 1000);
    EXPECT_FALSE(cache.Add(5000, cell));  // the 1001st is not kept
    EXPECT_EQ(cache.Find(5000), nullptr);
    ASSERT_NE(cache.Find(999), nullptr);
    EXPECT_EQ((*cache.Find(999))[0], static_cast<uint8_t>(999));
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.Find(0), nullptr);

    // A second entry for one code is never the one found.
    cell[0] = 1;
    cache.Add(0x41, cell);
    cell[0] = 2;
    cache.Add(0x41, cell);
    EXPECT_EQ((*cache.Find(0x41))[0], 1);
}

TEST(CharCodes, LeadByteMakesATwoByteCode) {
    EXPECT_EQ(CharacterCode("A"), 0x41u);
    EXPECT_EQ(CharacterCode("\x82\xA0"), 0x82A0u);  // あ
    EXPECT_EQ(CharacterCode("\x82"), 0x8200u);      // lone lead byte: missing trail counts as 0
    EXPECT_EQ(CharacterCode("\xB1"), 0xB1u);        // half-width katakana is one byte
    EXPECT_EQ(CharacterCode("\xA1X"), 0xA1u);       // not a lead byte: the second byte is ignored
    EXPECT_EQ(CharacterCode(""), 0u);
}

TEST(CharCodes, DecoderConvertsValidCodesOnly) {
    Cp932Decoder decoder;
    EXPECT_EQ(decoder.ToUnicode(0x41), U'A');
    EXPECT_EQ(decoder.ToUnicode(0x82A0), U'\u3042');
    EXPECT_EQ(decoder.ToUnicode(0x93FA), U'\u65E5');
    EXPECT_EQ(decoder.ToUnicode(0xB1), U'\uFF71');
    EXPECT_EQ(decoder.ToUnicode(0x82A0), U'\u3042');  // from the remembered table
    EXPECT_EQ(decoder.ToUnicode(0), 0u);
    EXPECT_EQ(decoder.ToUnicode(0x82), 0u);     // lone lead byte
    EXPECT_EQ(decoder.ToUnicode(0x8200), 0u);   // missing trail byte
    EXPECT_EQ(decoder.ToUnicode(0x8120), 0u);   // trail byte out of range
    EXPECT_EQ(decoder.ToUnicode(0x41A0), 0u);   // first byte is no lead byte
    EXPECT_EQ(decoder.ToUnicode(0x12345), 0u);  // beyond two bytes

    std::vector<char32_t> chars = decoder.Decode("A\x82\xA0\x81\x20Z\x82");
    EXPECT_EQ(chars, (std::vector<char32_t>{U'A', U'\u3042', U'Z'}));
}

}  // namespace
}  // namespace vespin
