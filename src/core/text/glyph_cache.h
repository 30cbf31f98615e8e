#pragma once
// The glyph cell every character is handled in, and the cache of rendered cells. The cache
// keeps coverage only (the shadow is recomputed at each use) and knows nothing of the font: it
// must be emptied whenever the face, size or weight changes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vespin {

inline constexpr int kCellWidth = 32;
inline constexpr int kCellHeight = 35;
inline constexpr int kCellBytes = kCellWidth * kCellHeight;  // 1120
inline constexpr int kGlyphCacheCapacity = 1000;

// Coverage 0 (empty) .. 255 (covered), kCellHeight rows of kCellWidth bytes.
using GlyphCell = std::array<uint8_t, kCellBytes>;

class GlyphCache {
  public:
    // Makes room for every entry at once, so that filling the cache never reallocates.
    void Reserve();
    // The first entry for `code`, searched in insertion order; null when absent.
    const GlyphCell* Find(uint32_t code) const;
    // Appends an entry; false (and nothing stored) when the cache is full.
    bool Add(uint32_t code, const GlyphCell& cell);
    void Clear();
    int Count() const { return static_cast<int>(m_codes.size()); }

  private:
    std::vector<uint32_t> m_codes;
    std::vector<GlyphCell> m_cells;
};

}  // namespace vespin
