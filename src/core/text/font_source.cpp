// FreeType faces: one library per FontSource, a face per size and weight, glyphs rendered into
// plain byte arrays.

#include "core/text/font_source.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr int kMinPixels = 1;
constexpr int kMaxPixels = 512;
constexpr size_t kFontsKept = 12;
constexpr size_t kMonoGlyphsKept = 512;

int RoundDiv(int64_t num, int64_t den) {
    return static_cast<int>((num + den / 2) / den);
}

void DebugLine(const std::string& face, const FontFile& file) {
    if (!std::getenv("VESPIN_DEBUG")) return;
    if (file.Path.empty()) {
        std::fprintf(stderr, "vespin: no font is installed for \"%s\"; text will not show\n",
                     face.c_str());
        return;
    }
    std::fprintf(stderr, "vespin: font \"%s\" is not installed; using \"%s\" (%s)\n", face.c_str(),
                 file.Family.c_str(), file.Path.c_str());
}

}  // namespace

int PointsToPixels(int points) {
    // As the platform rounds a size for a 96 dot-per-inch screen: to the nearest pixel.
    int64_t scaled = static_cast<int64_t>(points) * 96;
    return static_cast<int>(scaled >= 0 ? (scaled + 36) / 72 : (scaled - 36) / 72);
}

struct FreeTypeLibrary {
    FT_Library Handle = nullptr;
    FreeTypeLibrary() {
        if (FT_Init_FreeType(&Handle) != 0) Handle = nullptr;
    }
    ~FreeTypeLibrary() {
        if (Handle) FT_Done_FreeType(Handle);
    }
};

struct Font::Impl {
    std::shared_ptr<FreeTypeLibrary> Lib;  // outlives the face
    FT_Face Face = nullptr;
    bool SynthesiseBold = false;
    int Ascent = 0;
    int Descent = 0;
    std::unordered_map<char32_t, GlyphBitmap> MonoGlyphs;
    std::unordered_map<char32_t, int> Advances;

    ~Impl() {
        if (Face) FT_Done_Face(Face);
    }

    // Loads the glyph of `ch` into the face's slot, emboldened when bold is synthesised.
    bool Load(char32_t ch, Rasterise mode) {
        FT_UInt index = FT_Get_Char_Index(Face, ch);
        if (index == 0) return false;
        FT_Int32 flags = mode == Rasterise::Grey ? FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL
                                                 : FT_LOAD_TARGET_MONO;
        if (FT_Load_Glyph(Face, index, flags) != 0) return false;
        if (SynthesiseBold) FT_GlyphSlot_Embolden(Face->glyph);
        return true;
    }

    bool RenderSlot(Rasterise mode, GlyphBitmap& out) {
        FT_GlyphSlot slot = Face->glyph;
        FT_Render_Mode render =
            mode == Rasterise::Grey ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
        if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, render) != 0) {
            return false;
        }
        const FT_Bitmap& bm = slot->bitmap;
        out.Width = static_cast<int>(bm.width);
        out.Height = static_cast<int>(bm.rows);
        out.Left = slot->bitmap_left;
        out.Top = slot->bitmap_top;
        out.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
        out.Coverage.assign(static_cast<size_t>(out.Width) * out.Height, 0);
        for (int r = 0; r < out.Height; ++r) {
            int source_row = bm.pitch >= 0 ? r : out.Height - 1 - r;
            const uint8_t* src = bm.buffer + static_cast<ptrdiff_t>(source_row) *
                                                 (bm.pitch >= 0 ? bm.pitch : -bm.pitch);
            uint8_t* dst = out.Coverage.data() + static_cast<size_t>(r) * out.Width;
            if (!CopyRow(bm.pixel_mode, bm.num_grays, src, dst, out.Width, mode)) return false;
        }
        return true;
    }

    static bool CopyRow(unsigned char pixel_mode, unsigned short grays, const uint8_t* src,
                        uint8_t* dst, int width, Rasterise mode) {
        if (pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int x = 0; x < width; ++x)
                dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
            return true;
        }
        if (pixel_mode != FT_PIXEL_MODE_GRAY) return false;
        int top = grays > 1 ? grays - 1 : 255;
        for (int x = 0; x < width; ++x) {
            int v = src[x] * 255 / top;
            // An embedded grey bitmap in plain mode is cut at half coverage.
            dst[x] = mode == Rasterise::Mono ? (v >= 128 ? 255 : 0) : static_cast<uint8_t>(v);
        }
        return true;
    }
};

Font::Font(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
Font::~Font() = default;

int Font::PixelsPerEm() const {
    return m_impl->Face->size->metrics.y_ppem;
}
int Font::Ascent() const {
    return m_impl->Ascent;
}
int Font::Descent() const {
    return m_impl->Descent;
}

bool Font::Render(char32_t ch, Rasterise mode, GlyphBitmap& out) {
    if (mode == Rasterise::Mono) {
        auto it = m_impl->MonoGlyphs.find(ch);
        if (it != m_impl->MonoGlyphs.end()) {
            out = it->second;
            return true;
        }
    }
    if (!m_impl->Load(ch, mode) || !m_impl->RenderSlot(mode, out)) return false;
    if (mode == Rasterise::Mono && m_impl->MonoGlyphs.size() < kMonoGlyphsKept) {
        m_impl->MonoGlyphs.emplace(ch, out);
    }
    return true;
}

int Font::Advance(char32_t ch) {
    auto it = m_impl->Advances.find(ch);
    if (it != m_impl->Advances.end()) return it->second;
    int advance = 0;
    if (m_impl->Load(ch, Rasterise::Mono)) {
        advance = static_cast<int>((m_impl->Face->glyph->advance.x + 32) >> 6);
    }
    m_impl->Advances.emplace(ch, advance);
    return advance;
}

namespace {

// Windows-style ascent and descent come from the OS/2 table's win metrics; faces without them
// use FreeType's scaled ascender and descender.
bool WinMetrics(FT_Face face, int& ascent_units, int& descent_units) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (!os2 || os2->version == 0xFFFF || os2->usWinAscent + os2->usWinDescent == 0) {
        return false;
    }
    ascent_units = os2->usWinAscent;
    descent_units = os2->usWinDescent;
    return true;
}

int EmPixels(FT_Face face, FontSize size) {
    int pixels = std::clamp(size.Pixels, kMinPixels, kMaxPixels);
    if (size.Unit == SizeUnit::Em) return pixels;
    int asc = 0, desc = 0;
    if (!WinMetrics(face, asc, desc)) {
        asc = face->ascender;
        desc = -face->descender;
    }
    int cell_units = asc + desc;
    if (cell_units <= 0 || face->units_per_EM == 0) return pixels;
    return std::clamp(RoundDiv(static_cast<int64_t>(pixels) * face->units_per_EM, cell_units),
                      kMinPixels, kMaxPixels);
}

void SetLineMetrics(Font::Impl& impl) {
    FT_Face face = impl.Face;
    int ppem = face->size->metrics.y_ppem;
    int asc = 0, desc = 0;
    if (face->units_per_EM != 0 && WinMetrics(face, asc, desc)) {
        impl.Ascent = RoundDiv(static_cast<int64_t>(asc) * ppem, face->units_per_EM);
        impl.Descent = RoundDiv(static_cast<int64_t>(desc) * ppem, face->units_per_EM);
    } else {
        impl.Ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
        impl.Descent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
    }
}

}  // namespace

FontSource::FontSource() : m_library(std::make_shared<FreeTypeLibrary>()) {}
FontSource::~FontSource() = default;

const FontFile& FontSource::Resolve(std::string_view face_sjis, FontWeight weight) {
    auto key = std::make_pair(std::string(face_sjis), weight);
    auto it = m_files.find(key);
    if (it != m_files.end()) return it->second;
    std::string name = sjis::ToUtf8(face_sjis);
    FontFile file = m_lookup.Find(name, weight);
    // One line per face name, whichever weights are asked for.
    if (file.Substituted && m_reported.insert(std::string(face_sjis)).second) {
        DebugLine(name, file);
    }
    return m_files.emplace(std::move(key), std::move(file)).first->second;
}

std::shared_ptr<Font> FontSource::Get(std::string_view face_sjis, FontSize size,
                                      FontWeight weight) {
    for (auto it = m_fonts.begin(); it != m_fonts.end(); ++it) {
        if (it->Face == face_sjis && it->Size == size && it->Weight == weight) {
            m_fonts.splice(m_fonts.begin(), m_fonts, it);
            return m_fonts.front().Shared;
        }
    }
    const FontFile& file = Resolve(face_sjis, weight);
    if (file.Path.empty() || !m_library->Handle) return nullptr;

    auto impl = std::make_unique<Font::Impl>();
    impl->Lib = m_library;
    if (FT_New_Face(m_library->Handle, file.Path.c_str(), file.Index, &impl->Face) != 0) {
        impl->Face = nullptr;
        return nullptr;
    }
    if (!FT_IS_SCALABLE(impl->Face) ||
        FT_Set_Pixel_Sizes(impl->Face, 0, EmPixels(impl->Face, size)) != 0) {
        return nullptr;
    }
    impl->SynthesiseBold = weight == FontWeight::Bold && !file.NativeBold;
    SetLineMetrics(*impl);

    auto font = std::make_shared<Font>(std::move(impl));
    m_fonts.push_front(Entry{std::string(face_sjis), size, weight, font});
    if (m_fonts.size() > kFontsKept) m_fonts.pop_back();
    return font;
}

}  // namespace vespin
