#include "core/persistence/banner.h"

#include <algorithm>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"
#include "core/text/plain_text.h"

namespace vespin {

namespace {

constexpr int kBandTop = 214;
constexpr int kBandHeight = 52;
constexpr int kEdgeRows = 8;  // rows that shade from the picture into the band, top and bottom
constexpr int kFadePeriodMs = 20;
constexpr int kFadeStep = 16;
constexpr int kTextHeight = 48;

// The band's blend toward dark blue by row: 20 per edge row, 160 in the middle.
int BandLevel(int row) {
    int from_edge = std::min(row, kBandHeight - 1 - row);
    return from_edge < kEdgeRows ? 20 * from_edge : 160;
}

Surface BuildBand(EngineState& e, const Surface& plain, std::string_view text) {
    Surface band(kScreenWidth, kBandHeight);
    Surface blue(kScreenWidth, 1);
    blue.Fill(128, 64, 0);
    constexpr int kGroups = kScreenWidth * 3 / 8;
    for (int y = 0; y < kBandHeight; ++y)
        CrossFadeRow(blue.Row(0), plain.Row(y), kGroups, BandLevel(y), band.Row(y));
    PlainFont font{e.TextRenderer.FaceName, FontSize{kTextHeight, SizeUnit::Cell},
                   e.TextRenderer.Weight};
    FontSource& fonts = e.TextRenderer.Fonts;
    int x = (kScreenWidth - MeasurePlainText(fonts, text, font).Width) / 2;
    DrawPlainText(fonts, band, x + 3, 6, text, font, Rgb{0, 0, 0});
    DrawPlainText(fonts, band, x, 3, text, font, Rgb{255, 255, 255});
    return band;
}

void ShowBlend(EngineState& e, const Surface& band, const Surface& plain, int level,
               Surface& work) {
    CrossFadeSurface(band, plain, std::clamp(level, 0, kFullWeight), work);
    BlitToDrawingArea(e, work, Rect{0, 0, kScreenWidth, kBandHeight}, 0, kBandTop);
}

}  // namespace

void ShowBanner(EngineState& e, std::string_view text_sjis, int ms) {
    bool was_locked = e.Shell.ToolbarLocked;
    SetToolbarLocked(e, true);
    Surface plain(kScreenWidth, kBandHeight);
    CopyRect(e.DrawingArea, Rect{0, kBandTop, kScreenWidth, kBandHeight}, plain, 0, 0);
    Surface band = BuildBand(e, plain, text_sjis);
    Surface work(kScreenWidth, kBandHeight);

    StartClock(e);
    for (int level = 0; level < kFullWeight; level += kFadeStep * WaitPeriod(e, kFadePeriodMs))
        ShowBlend(e, band, plain, level, work);
    ShowBlend(e, band, plain, kFullWeight, work);
    WaitProcessingMessages(e, e.Host.NowMs(), ms);
    StartClock(e);
    for (int level = kFullWeight - kFadeStep; level >= 0;
         level -= kFadeStep * WaitPeriod(e, kFadePeriodMs))
        ShowBlend(e, band, plain, level, work);
    BlitToDrawingArea(e, plain, Rect{0, 0, kScreenWidth, kBandHeight}, 0, kBandTop);
    SetToolbarLocked(e, was_locked);
}

}  // namespace vespin
