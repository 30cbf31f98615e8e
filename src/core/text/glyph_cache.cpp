#include "core/text/glyph_cache.h"

namespace vespin {

void GlyphCache::Reserve() {
    m_codes.reserve(kGlyphCacheCapacity);
    m_cells.reserve(kGlyphCacheCapacity);
}

const GlyphCell* GlyphCache::Find(uint32_t code) const {
    for (std::size_t i = 0; i < m_codes.size(); ++i) {
        if (m_codes[i] == code) return &m_cells[i];
    }
    return nullptr;
}

bool GlyphCache::Add(uint32_t code, const GlyphCell& cell) {
    if (Count() >= kGlyphCacheCapacity) return false;
    m_codes.push_back(code);
    m_cells.push_back(cell);
    return true;
}

void GlyphCache::Clear() {
    m_codes.clear();
    m_cells.clear();
}

}  // namespace vespin
