#include "core/text/glyph_raster.h"

namespace vespin {

void PlaceGlyph(const GlyphBitmap& glyph, int ascent, GlyphCell& cell) {
    cell.fill(0);
    if (glyph.Coverage.size() < static_cast<size_t>(glyph.Width) * glyph.Height) return;
    // Kept in 64-bit so that absurd metrics cannot overflow before the bounds check.
    int64_t top = 2 + static_cast<int64_t>(ascent) - glyph.Top;
    for (int r = 0; r < glyph.Height; ++r) {
        int64_t row = top + r;
        if (row < 0 || row >= kCellHeight) continue;
        const uint8_t* src = glyph.Coverage.data() + static_cast<size_t>(r) * glyph.Width;
        for (int c = 0; c < glyph.Width; ++c) {
            int64_t column = static_cast<int64_t>(glyph.Left) + c;
            if (column < 0 || column >= kCellWidth) continue;
            cell[row * kCellWidth + column] = CellCoverage(ToSixtyFiveLevels(src[c]));
        }
    }
}

void ComputeShadow(const GlyphCell& cell, GlyphCell& shadow) {
    shadow.fill(0);
    auto at = [&cell](int i, int j) { return static_cast<int>(cell[i * kCellWidth + j]); };
    for (int i = 1; i <= kCellHeight - 2; ++i) {
        for (int j = 1; j <= kCellWidth - 2; ++j) {
            int sum = at(i - 1, j) + at(i, j - 1) + at(i, j + 1) + at(i + 1, j);
            shadow[(i + 1) * kCellWidth + j] = static_cast<uint8_t>(sum >> 2);
        }
    }
}

}  // namespace vespin
