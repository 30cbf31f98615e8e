// Glyph rendering: the pre-render of the common set at every font rebuild, and a page of cached
// glyphs. Each is paired with a reference run in the same process: the bare FreeType rendering
// of the same characters, and the bare colour blends the page needs.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "core/graphics/pixel_ops.h"
#include "core/host/null_host.h"
#include "core/shell/engine_state.h"
#include "core/text/glyph_cache.h"
#include "core/text/sjis_strings.h"
#include "core/text/text_renderer.h"

namespace vespin {
namespace {

struct Engine {
    NullHost Host;
    std::unique_ptr<EngineState> State =
        std::make_unique<EngineState>(Host, std::filesystem::path("/nonexistent"));
    Engine() {
        State->Settings.FontName = sjis_text::kDefaultFontName;
        State->DisplaySurface.Resize(800, 600);
        InitTextRenderer(*State);
    }
};

void BM_RebuildFont(benchmark::State& state) {
    Engine engine;
    for (auto _ : state) {
        RebuildFont(*engine.State);
        RenderPendingCommonSet(*engine.State);  // what the first character after it pays
    }
    state.SetItemsProcessed(state.iterations() * 194);
}
BENCHMARK(BM_RebuildFont)->Unit(benchmark::kMillisecond);

// Reference: FreeType alone, on the same 194 characters at the same size.
void BM_RebuildFontReference_FreeTypeOnly(benchmark::State& state) {
    Engine engine;
    TextRendererState& r = engine.State->TextRenderer;
    std::vector<char32_t> chars;
    for (unsigned code : CommonCharacterCodes())
        chars.push_back(r.Fonts.Decoder().ToUnicode(code));
    std::shared_ptr<Font> font = r.Fonts.Get(r.FaceName, FontSize{24}, r.Weight);
    GlyphBitmap g;
    for (auto _ : state) {
        for (char32_t ch : chars)
            benchmark::DoNotOptimize(font->Render(ch, Rasterise::Grey, g));
    }
    state.SetItemsProcessed(state.iterations() * 194);
}
BENCHMARK(BM_RebuildFontReference_FreeTypeOnly)->Unit(benchmark::kMillisecond);

// A full window page: 5 rows of 22 cached characters, prepared and drawn one by one.
constexpr int kPageChars = 5 * 22;

void BM_CachedPage(benchmark::State& state) {
    Engine engine;
    EngineState& e = *engine.State;
    std::vector<std::string> page;
    for (int i = 0; i < kPageChars; ++i) {
        unsigned code = 0x82A0 + (i * 7) % 80;  // hiragana, all in the common set
        page.push_back({static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
    }
    for (auto _ : state) {
        for (int i = 0; i < kPageChars; ++i) {
            PrepareChar(e, page[i]);
            DrawPreparedChar(e, e.DisplaySurface, 38 + (i % 22) * 24, 420 + (i / 22) * 26);
        }
    }
    state.SetItemsProcessed(state.iterations() * kPageChars);
}
BENCHMARK(BM_CachedPage)->Unit(benchmark::kMicrosecond);

// Reference: only the two 32 × 35 blends per character that the page cannot do without.
void BM_CachedPageReference_BlendsOnly(benchmark::State& state) {
    Engine engine;
    EngineState& e = *engine.State;
    PrepareChar(e, "\x82\xA0");
    TextRendererState& r = e.TextRenderer;
    for (auto _ : state) {
        for (int i = 0; i < kPageChars; ++i) {
            int x = 38 + (i % 22) * 24, y = 420 + (i / 22) * 26;
            for (int row = 0; row < kCellHeight; ++row) {
                BlendWithColour(e.DisplaySurface.Row(y + row) + (x + 1) * 3,
                                r.ShadowColourPlate.Row(row), r.ShadowPlate.Row(row), kCellWidth);
            }
            for (int row = 0; row < kCellHeight; ++row) {
                BlendWithColour(e.DisplaySurface.Row(y + row) + x * 3, r.ColourPlate.Row(row),
                                r.FacePlate.Row(row), kCellWidth);
            }
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPageChars);
}
BENCHMARK(BM_CachedPageReference_BlendsOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vespin
