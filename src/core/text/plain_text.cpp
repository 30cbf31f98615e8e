#include "core/text/plain_text.h"

#include <algorithm>
#include <cstdint>

namespace vespin {

namespace {

void PutPixels(Surface& target, int64_t left, int64_t top, const GlyphBitmap& glyph, Rgb colour) {
    for (int r = 0; r < glyph.Height; ++r) {
        int64_t y = top + r;
        if (y < 0 || y >= target.Height()) continue;
        uint8_t* row = target.Row(static_cast<int>(y));
        const uint8_t* src = glyph.Coverage.data() + static_cast<size_t>(r) * glyph.Width;
        int64_t first = std::max<int64_t>(0, -left);
        int64_t last = std::min<int64_t>(glyph.Width, target.Width() - left);
        for (int64_t c = first; c < last; ++c) {
            if (src[c] < 128) continue;
            uint8_t* px = row + (left + c) * 3;
            px[0] = colour.Blue;
            px[1] = colour.Green;
            px[2] = colour.Red;
        }
    }
}

}  // namespace

int DrawPlainText(FontSource& fonts, Surface& target, int x, int y, std::string_view text,
                  const PlainFont& font, Rgb colour) {
    std::shared_ptr<Font> f = fonts.Get(font.FaceName, font.Size, font.Weight);
    if (!f) return 0;
    int64_t pen = x;
    int64_t baseline = static_cast<int64_t>(y) + f->Ascent();
    GlyphBitmap glyph;
    for (char32_t ch : fonts.Decoder().Decode(text)) {
        if (f->Render(ch, Rasterise::Mono, glyph)) {
            PutPixels(target, pen + glyph.Left, baseline - glyph.Top, glyph, colour);
        }
        pen += f->Advance(ch);  // the same advances as MeasurePlainText
    }
    return static_cast<int>(std::clamp<int64_t>(pen - x, INT32_MIN, INT32_MAX));
}

PlainTextExtent MeasurePlainText(FontSource& fonts, std::string_view text, const PlainFont& font) {
    std::shared_ptr<Font> f = fonts.Get(font.FaceName, font.Size, font.Weight);
    if (!f) return {};
    int64_t width = 0;
    for (char32_t ch : fonts.Decoder().Decode(text))
        width += f->Advance(ch);
    return {static_cast<int>(std::min<int64_t>(width, INT32_MAX)), f->Ascent() + f->Descent()};
}

}  // namespace vespin
