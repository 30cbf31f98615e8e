#include "core/text/text_renderer.h"

#include "core/graphics/drawing_area.h"

#include <algorithm>
#include <memory>

#include "core/graphics/pixel_ops.h"
#include "core/shell/engine_state.h"
#include "core/text/cp932.h"
#include "core/text/glyph_raster.h"

namespace vespin {

namespace {

std::string CodeBytes(unsigned code) {
    if (code > 0xFF) return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    return std::string(1, static_cast<char>(code));
}

FontWeight WeightOf(const SettingsValues& s) {
    return s.FONTBOLD ? FontWeight::Bold : FontWeight::Regular;
}

void EnsurePlates(TextRendererState& r) {
    auto ensure = [](Surface& plate) {
        if (plate.Width() != kCellWidth || plate.Height() != kCellHeight) {
            plate.Resize(kCellWidth, kCellHeight);
        }
    };
    ensure(r.FacePlate);
    ensure(r.ShadowPlate);
    ensure(r.ShadowColourPlate);
    if (r.ColourPlate.Width() != kCellWidth || r.ColourPlate.Height() != kCellHeight) {
        r.ColourPlate.Resize(kCellWidth, kCellHeight);
        r.ColourPlate.Fill(r.CurrentColour.Blue, r.CurrentColour.Green, r.CurrentColour.Red);
    }
}

void CopyToPlate(const GlyphCell& cell, Surface& plate) {
    for (int i = 0; i < kCellHeight; ++i) {
        uint8_t* row = plate.Row(i);
        for (int j = 0; j < kCellWidth; ++j) {
            uint8_t v = cell[i * kCellWidth + j];
            row[j * 3] = row[j * 3 + 1] = row[j * 3 + 2] = v;
        }
    }
}

std::shared_ptr<Font> TextFont(EngineState& e, int points) {
    TextRendererState& r = e.TextRenderer;
    FontSize size{PointsToPixels(points), SizeUnit::Em};
    return r.Fonts.Get(r.FaceName, size, r.Weight);
}

// Rasterises `code` into a fresh cell and caches it; false when the character draws nothing.
bool RasteriseCell(EngineState& e, unsigned code, int points, GlyphCell& cell) {
    TextRendererState& r = e.TextRenderer;
    std::shared_ptr<Font> font = TextFont(e, points);
    if (!font) return false;
    r.Ascent = font->Ascent();
    char32_t ch = r.Fonts.Decoder().ToUnicode(code);
    GlyphBitmap glyph;
    if (ch == 0 || !font->Render(ch, Rasterise::Grey, glyph)) return false;
    size_t bytes = PaddedBitmapBytes(glyph.Width, glyph.Height);
    if (bytes == 0 || bytes > kMaxGlyphBitmapBytes) return false;
    PlaceGlyph(glyph, r.Ascent, cell);
    r.Cache.Add(code, cell);  // a full cache leaves the glyph uncached
    return true;
}

// The anti-aliased path: face and shadow plates for `code`, both black when it draws nothing.
void RenderGlyph(EngineState& e, unsigned code, int points) {
    TextRendererState& r = e.TextRenderer;
    GlyphCell fresh;
    const GlyphCell* cell = r.Cache.Find(code);
    if (!cell) {
        if (!RasteriseCell(e, code, points, fresh)) {
            r.FacePlate.Fill(0, 0, 0);
            r.ShadowPlate.Fill(0, 0, 0);
            return;
        }
        cell = &fresh;
    }
    // Both plates are written whole, so they need no clearing first.
    CopyToPlate(*cell, r.FacePlate);
    GlyphCell shadow;
    ComputeShadow(*cell, shadow);
    CopyToPlate(shadow, r.ShadowPlate);
}

// Blends a 32 × 35 plate onto `target` at (x, y) row by row, keeping to the surface.
void BlendPlate(Surface& target, int x, int y, const Surface& colour, const Surface& alpha) {
    int64_t first = std::max<int64_t>(0, -static_cast<int64_t>(x));
    int64_t last = std::min<int64_t>(kCellWidth, static_cast<int64_t>(target.Width()) - x);
    if (first >= last) return;
    for (int i = 0; i < kCellHeight; ++i) {
        int64_t row = static_cast<int64_t>(y) + i;
        if (row < 0 || row >= target.Height()) continue;
        BlendWithColour(target.Row(static_cast<int>(row)) + (x + first) * 3,
                        colour.Row(i) + first * 3, alpha.Row(i) + first * 3,
                        static_cast<int>(last - first));
    }
}

// PrepareChar at a given size of the text font.
void PrepareAtSize(EngineState& e, std::string_view chars, int points) {
    TextRendererState& r = e.TextRenderer;
    EnsurePlates(r);
    chars = chars.substr(0, std::min(chars.size(), chars.find('\0')));
    chars = chars.substr(0, 2);
    unsigned code = CharacterCode(chars);
    if (e.Settings.FONTAA == 0 || code == kWhiteDiamond || code == kBlackDiamond) {
        r.PreparedPath = GlyphPath::AntiAliased;
        RenderGlyph(e, code, points);
    } else {
        r.PreparedPath = GlyphPath::Plain;
        r.PlainChar.assign(chars);
    }
}

Rect ClipToSurface(const Surface& s, int x, int y, int w, int h) {
    int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    int64_t right = std::min<int64_t>(static_cast<int64_t>(x) + w, s.Width());
    int64_t bottom = std::min<int64_t>(static_cast<int64_t>(y) + h, s.Height());
    if (left >= right || top >= bottom) return {};
    return Rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                static_cast<int>(bottom - top)};
}

}  // namespace

const std::vector<unsigned>& CommonCharacterCodes() {
    static const std::vector<unsigned> codes = [] {
        std::vector<unsigned> out{
            0x8140,                  // full-width space
            0x8175, 0x8176,          // 「 」
            0x8169, 0x816A,          // （ ）
            0x8163,                  // …
            0x8142, 0x8141, 0x8145,  // 。 、 ・
            0x8149, 0x8148,          // ！ ？
            0x93FA,                  // 日
            0x8177, 0x8178,          // 『 』
        };
        auto add_range = [&out](unsigned first, unsigned last) {
            for (unsigned code = first; code <= last; ++code)
                out.push_back(code);
        };
        add_range(0x829F, 0x82F1);  // hiragana
        add_range(0x8340, 0x8396);  // katakana
        add_range(0x824F, 0x8258);  // full-width digits
        return out;
    }();
    return codes;
}

int TextFontPoints(const SettingsValues& settings) {
    return settings.PictureWindowStyle ? settings.FONTSIZE : settings.FONTSIZE2;
}

PlainFont TextPlainFont(const EngineState& e) {
    const TextRendererState& r = e.TextRenderer;
    return PlainFont{r.FaceName, FontSize{PointsToPixels(TextFontPoints(e.Settings))}, r.Weight};
}

void CreateTextFont(EngineState& e) {
    TextRendererState& r = e.TextRenderer;
    r.FaceName = e.Settings.FontName;
    r.Weight = WeightOf(e.Settings);
    r.CurrentColour = kWhite;
}

void InitTextRenderer(EngineState& e) {
    TextRendererState& r = e.TextRenderer;
    r.FacePlate.Resize(kCellWidth, kCellHeight);
    r.ShadowPlate.Resize(kCellWidth, kCellHeight);
    r.ColourPlate.Resize(kCellWidth, kCellHeight);
    r.ShadowColourPlate.Resize(kCellWidth, kCellHeight);
    r.Cache.Clear();
    r.Cache.Reserve();
    RebuildFont(e);
    SelectTextColour(e, 1);
    SelectTextColour(e, 0);
}

void RebuildFont(EngineState& e) {
    TextRendererState& r = e.TextRenderer;
    r.FaceName = e.Settings.FontName;
    r.Weight = WeightOf(e.Settings);
    r.Cache.Clear();
    r.CommonSetPending = true;
    r.CommonSetPoints = TextFontPoints(e.Settings);
}

void RenderPendingCommonSet(EngineState& e) {
    TextRendererState& r = e.TextRenderer;
    if (!r.CommonSetPending) return;
    r.CommonSetPending = false;
    for (unsigned code : CommonCharacterCodes()) {
        PrepareAtSize(e, CodeBytes(code), r.CommonSetPoints);
    }
}

void PrepareChar(EngineState& e, std::string_view chars) {
    RenderPendingCommonSet(e);
    PrepareAtSize(e, chars, TextFontPoints(e.Settings));
}

void DrawPreparedChar(EngineState& e, Surface& target, int x, int y) {
    TextRendererState& r = e.TextRenderer;
    // The plates hold the last character of the common set when nothing was prepared since.
    RenderPendingCommonSet(e);
    EnsurePlates(r);
    if (r.PreparedPath == GlyphPath::Plain) {
        PlainFont font = TextPlainFont(e);
        int64_t shifted_x = std::min<int64_t>(static_cast<int64_t>(x) + 2, INT32_MAX);
        int64_t shifted_y = std::min<int64_t>(static_cast<int64_t>(y) + 2, INT32_MAX);
        DrawPlainText(r.Fonts, target, static_cast<int>(shifted_x), static_cast<int>(shifted_y),
                      r.PlainChar, font, kBlack);
        DrawPlainText(r.Fonts, target, x, y, r.PlainChar, font, r.CurrentColour);
        return;
    }
    if (x < INT32_MAX) BlendPlate(target, x + 1, y, r.ShadowColourPlate, r.ShadowPlate);
    BlendPlate(target, x, y, r.ColourPlate, r.FacePlate);
}

void DrawCharAndShow(EngineState& e, int x, int y) {
    DrawPreparedChar(e, e.DisplaySurface, x, y);
    Rect area = ClipToSurface(e.DisplaySurface, x, y, kCellWidth, kCellHeight);
    if (area.w > 0 && area.h > 0) ShowOnDrawingArea(e, e.DisplaySurface, area);
}

void SelectTextColour(EngineState& e, int index) {
    TextRendererState& r = e.TextRenderer;
    EnsurePlates(r);
    int count = static_cast<int>(kTextPalette.size());
    Rgb colour = kTextPalette[((index % count) + count) % count];
    if (colour == r.CurrentColour) return;
    r.CurrentColour = colour;
    r.ColourPlate.Fill(colour.Blue, colour.Green, colour.Red);
}

void DrawTextFixedPitch(EngineState& e, std::string_view text, int x0, Surface& target,
                        int colour_index, int y) {
    SelectTextColour(e, colour_index);
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    size_t i = 0;
    while (i < text.size()) {
        size_t n = static_cast<uint8_t>(text[i]) >= 0x80 ? 2 : 1;
        int64_t x = static_cast<int64_t>(x0) + 12 * static_cast<int64_t>(i + 1);
        if (x > INT32_MAX) break;
        PrepareChar(e, text.substr(i, n));
        DrawPreparedChar(e, target, static_cast<int>(x), y);
        i += n;
    }
}

}  // namespace vespin
