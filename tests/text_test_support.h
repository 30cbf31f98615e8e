#pragma once
// Helpers shared by the text tests: an engine with the text renderer ready, and the check for
// the IPA fonts that pinned glyph results depend on.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/graphics/surface.h"
#include "core/host/null_host.h"
#include "core/shell/engine_state.h"
#include "core/text/font_source.h"
#include "core/text/sjis_strings.h"
#include "core/text/text_renderer.h"

namespace vespin::testing {

// True when fontconfig finds the IPA Mincho and Gothic faces themselves.
inline bool IpaFontsInstalled() {
    static const bool installed = !FindFontFile("IPAMincho", FontWeight::Regular).Substituted &&
                                  !FindFontFile("IPAGothic", FontWeight::Regular).Substituted;
    return installed;
}

#define VESPIN_REQUIRE_IPA_FONTS()                                               \
    do {                                                                         \
        if (!::vespin::testing::IpaFontsInstalled())                             \
            GTEST_SKIP() << "the IPA Mincho and Gothic fonts are not installed"; \
    } while (0)

// A Host that remembers what was presented.
class PresentRecordingHost : public NullHost {
  public:
    void Present(const Surface& /*source*/, const Rect& area) override {
        Presented.push_back(area);
    }
    std::vector<Rect> Presented;
};

// An engine whose text renderer is initialised with the default settings (the default face is
// not installed here, so the IPA Mincho face stands in).
struct TextEngine {
    PresentRecordingHost Host;
    std::unique_ptr<EngineState> State;

    TextEngine()
        : State(std::make_unique<EngineState>(Host, std::filesystem::path("/nonexistent"))) {
        State->Settings.FontName = sjis_text::kDefaultFontName;
        State->DisplaySurface.Resize(800, 600);
        InitTextRenderer(*State);
    }
    EngineState& operator*() { return *State; }
};

// FNV-1a over raw bytes, for pinning pictures.
inline uint64_t Fnv1a(const uint8_t* data, size_t size) {
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

inline uint64_t Checksum(const Surface& s) {
    return Fnv1a(s.Data(), s.SizeBytes());
}

// Bounding box of the pixels that differ between two surfaces of one size (w = 0 when none).
inline Rect ChangedArea(const Surface& a, const Surface& b) {
    int min_x = a.Width(), min_y = a.Height(), max_x = -1, max_y = -1;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const uint8_t* p = a.Row(y) + x * 3;
            const uint8_t* q = b.Row(y) + x * 3;
            if (p[0] == q[0] && p[1] == q[1] && p[2] == q[2]) continue;
            min_x = std::min(min_x, x), max_x = std::max(max_x, x);
            min_y = std::min(min_y, y), max_y = std::max(max_y, y);
        }
    }
    if (max_x < 0) return {};
    return Rect{min_x, min_y, max_x - min_x + 1, max_y - min_y + 1};
}

}  // namespace vespin::testing
