#include "core/persistence/yes_no_band.h"

#include <algorithm>

#include "core/graphics/drawing_area.h"
#include "core/graphics/pixel_kernels.h"
#include "core/persistence/save_game.h"
#include "core/persistence/save_screen.h"
#include "core/screens/title_return.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"
#include "core/text/plain_text.h"
#include "core/text/sjis_strings.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr int kTextHeight = 24;
constexpr int kQuestionTop = 12;
constexpr int kAnswerTop = 44;
constexpr int kYesLeft = 300;
constexpr int kNoLeft = 390;
constexpr Rgb kLit{255, 255, 0};
constexpr Rgb kUnlit{128, 128, 128};

PlainFont BandFont(const EngineState& e) {
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{kTextHeight, SizeUnit::Cell};
    return font;
}

// The plate with both answers in their colours, put into the DisplaySurface and shown.
void ShowBand(EngineState& e) {
    ConfirmBand& b = e.SaveUi.Band;
    Surface band = b.Plate;
    PlainFont font = BandFont(e);
    FontSource& fonts = e.TextRenderer.Fonts;
    DrawPlainText(fonts, band, kYesLeft, kAnswerTop, sjis_text::kYes, font,
                  b.YesHighlighted ? kLit : kUnlit);
    DrawPlainText(fonts, band, kNoLeft, kAnswerTop, sjis_text::kNo, font,
                  b.YesHighlighted ? kUnlit : kLit);
    CopyRect(band, Rect{0, 0, band.Width(), band.Height()}, e.DisplaySurface, 0, kBandTop);
    ShowOnDrawingArea(e, e.DisplaySurface, Rect{0, kBandTop, kScreenWidth, kBandHeight});
}

void CloseBand(EngineState& e) {
    ConfirmBand& b = e.SaveUi.Band;
    CopyRect(b.Background, Rect{0, 0, b.Background.Width(), b.Background.Height()},
             e.DisplaySurface, 0, kBandTop);
    ShowOnDrawingArea(e, e.DisplaySurface, Rect{0, kBandTop, kScreenWidth, kBandHeight});
    e.Shell.ConfirmKind = kConfirmNone;
    SetToolbarLocked(e, b.ToolbarWasLocked);
}

void RunConfirmedAction(EngineState& e, int kind) {
    switch (kind) {
        case kConfirmQuickLoad:
            LoadGame(e, kQuickSaveSlot);
            break;
        case kConfirmReturnToTitle:
            ReturnToTitle(e);
            break;
        case kConfirmOverwrite: {
            int slot = e.SaveUi.Screen.Hovered;
            CloseSaveScreen(e);
            if (slot != 0) SaveGame(e, slot, SaveKind::Quiet);
            break;
        }
        default:
            break;
    }
}

}  // namespace

void DarkenBand(Surface& band) {
    const PixelKernels& k = ActivePixelKernels();
    const int h = band.Height();
    const size_t bytes = static_cast<size_t>(band.Stride());
    for (int y = 0; y < h; ++y) {
        int edge = std::min(y, h - 1 - y);
        unsigned weight = edge < 16 ? static_cast<unsigned>(255 - 12 * edge) : 63u;
        k.Scale(band.Row(y), bytes, weight, band.Row(y));
    }
}

void AskYesNo(EngineState& e, std::string_view question, int kind) {
    ConfirmBand& b = e.SaveUi.Band;
    b.Background.Resize(kScreenWidth, kBandHeight);
    CopyRect(e.DisplaySurface, Rect{0, kBandTop, kScreenWidth, kBandHeight}, b.Background, 0, 0);
    b.Plate = b.Background;
    DarkenBand(b.Plate);
    PlainFont font = BandFont(e);
    FontSource& fonts = e.TextRenderer.Fonts;
    int width = MeasurePlainText(fonts, question, font).Width;
    DrawPlainText(fonts, b.Plate, (kScreenWidth - width) / 2, kQuestionTop, question, font, kWhite);
    b.YesHighlighted = false;
    b.ToolbarWasLocked = e.Shell.ToolbarLocked;
    e.Shell.ConfirmKind = kind;
    SetToolbarLocked(e, true);
    ShowBand(e);
}

void ConfirmBandHover(EngineState& e, int x, int y) {
    const Rect& z = kYesZone;
    bool yes = x >= z.x && x < z.x + z.w && y >= z.y && y < z.y + z.h;
    if (yes == e.SaveUi.Band.YesHighlighted) return;
    e.SaveUi.Band.YesHighlighted = yes;
    ShowBand(e);
}

void ConfirmBandClick(EngineState& e, MouseButton button) {
    int kind = e.Shell.ConfirmKind;
    bool confirmed = button != MouseButton::Right && e.SaveUi.Band.YesHighlighted;
    CloseBand(e);
    if (confirmed) RunConfirmedAction(e, kind);
}

}  // namespace vespin
