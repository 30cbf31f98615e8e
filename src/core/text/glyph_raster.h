#pragma once
// From a rasterised glyph to the coverage cell and its shadow. The look of the text depends on
// these exact numbers: the coverage curve lifts every touched pixel well above the rasteriser's
// level, and the shadow is the four-neighbour average shifted one row down.

#include <cstddef>
#include <cstdint>

#include "core/text/font_source.h"
#include "core/text/glyph_cache.h"

namespace vespin {

// Rendered bitmaps larger than this (rows padded to 4 bytes) do not fit the cell's budget and
// are not drawn.
inline constexpr size_t kMaxGlyphBitmapBytes = kCellBytes - 1;

// 8-bit coverage reduced to the 65 levels 0..64 of a grey glyph bitmap, rounding to nearest.
constexpr int ToSixtyFiveLevels(uint8_t coverage) {
    return (coverage * 64 + 127) / 255;
}

// The cell coverage of a level 0..64: 0 stays 0, anything else becomes min(255, 3v + 90).
constexpr uint8_t CellCoverage(int level) {
    if (level <= 0) return 0;
    int v = 3 * level + 90;
    return static_cast<uint8_t>(v > 255 ? 255 : v);
}

// The size the rasteriser reports for a grey bitmap: rows padded to a multiple of 4 bytes.
constexpr size_t PaddedBitmapBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return static_cast<size_t>((width + 3) & ~3) * static_cast<size_t>(height);
}

// Clears `cell` and places `glyph` (0..255 coverage) in it: bitmap row r, column c lands at
// cell row 2 + (ascent - glyph.Top) + r, column glyph.Left + c. Pixels outside the cell are
// dropped.
void PlaceGlyph(const GlyphBitmap& glyph, int ascent, GlyphCell& cell);

// The shadow of `cell`: for rows i = 1..33 and columns j = 1..30, shadow row i + 1, column j is
// the sum of the four neighbours of cell[i][j] shifted right by 2. Every other pixel is 0.
void ComputeShadow(const GlyphCell& cell, GlyphCell& shadow);

}  // namespace vespin
