#include "core/persistence/save_screen.h"

#include <algorithm>

#include "core/graphics/drawing_area.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/scene_reload.h"
#include "core/persistence/save_game.h"
#include "core/persistence/yes_no_band.h"
#include "core/resources/picture.h"
#include "core/screens/overlays.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"
#include "core/shell/toolbar.h"
#include "core/text/plain_text.h"
#include "core/text/sjis_strings.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr int kColumnSlots = 16;
constexpr int kSlotPitch = 30;
constexpr int kFirstRowTop = 100;
constexpr int kLeftColumn = 70, kRightColumn = 438;
constexpr int kColumnWidth = 300;
constexpr int kStripWidth = 344, kStripHeight = 16;
constexpr int kStripLeft = 46, kStripRightColumn = 414;
// The game shows through the screen's picture at 30/256 of its brightness.
constexpr int kBackdropWeight = 30;
constexpr int kCaptionHeight = 16;
constexpr int kPreviewHeight = 10;
constexpr int kPreviewLeft = 130, kPreviewTop = 24, kPreviewPitch = 12;

PlainFont ScreenFont(const EngineState& e, int height) {
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{height, SizeUnit::Cell};
    return font;
}

// The screen's picture, at the drawing area's size whatever size the archive's picture has, so
// that the whole frame is darkened behind it; black when the game lacks the picture.
Surface ScreenPicture(const EngineState& e, SaveScreenMode mode) {
    Surface canvas(kScreenWidth, kScreenHeight);
    Surface picture;
    if (LoadPicture(e.Archives, mode == SaveScreenMode::Save ? "save" : "load", picture))
        CopyRect(picture, Rect{0, 0, picture.Width(), picture.Height()}, canvas, 0, 0);
    return canvas;
}

// Reads what the screen shows of every slot and writes the captions onto the picture.
void ReadSlots(EngineState& e, Surface& picture) {
    SaveScreen& s = e.SaveUi.Screen;
    PlainFont font = ScreenFont(e, kCaptionHeight);
    for (int n = 1; n <= kSaveScreenSlots; ++n) {
        SaveScreenSlot& slot = s.Slots[n - 1];
        SlotSummary summary = ReadSlotSummary(e, n);
        slot.HasPreview = summary.Exists && summary.Complete;
        slot.Preview = slot.HasPreview ? summary.Preview : std::array<std::string, kPreviewLines>{};
        if (!summary.Exists) {
            slot.State =
                s.Mode == SaveScreenMode::Load ? SlotState::NotSelectable : SlotState::Selectable;
            continue;
        }
        slot.State = s.Mode == SaveScreenMode::Save ? SlotState::Used : SlotState::Selectable;
        int x, y;
        CaptionOrigin(n, x, y);
        DrawPlainText(e.TextRenderer.Fonts, picture, x, y, summary.Caption, font, kWhite);
    }
}

// The hovered slot's first page rows, straight onto the window above the slots.
void ShowPreview(EngineState& e, const SaveScreenSlot& slot) {
    PlainFont font = ScreenFont(e, kPreviewHeight);
    for (int i = 0; i < kPreviewLines; ++i) {
        DrawPlainText(e.TextRenderer.Fonts, e.DrawingArea, kPreviewLeft,
                      kPreviewTop + kPreviewPitch * i, slot.Preview[i], font, kWhite);
    }
    int bottom = std::min(kPreviewTop + kPreviewPitch * kPreviewLines + kPreviewHeight,
                          e.DrawingArea.Height());
    e.Host.Present(e.DrawingArea, Rect{kPreviewLeft, kPreviewTop, kScreenWidth - kPreviewLeft,
                                       bottom - kPreviewTop});
}

// Ends the screen without touching the frame (a load has drawn its own).
void EndScreen(EngineState& e) {
    e.Shell.SaveScreenState = 0;
    e.SaveUi.Screen.Hovered = 0;
    e.SaveUi.Screen.KeptDisplay = Surface();
    SetToolbarLocked(e, false);
}

}  // namespace

int SlotAtPoint(int x, int y) {
    if (y < kFirstRowTop || y >= kFirstRowTop + kColumnSlots * kSlotPitch) return 0;
    int row = (y - kFirstRowTop) / kSlotPitch;
    if (x >= kLeftColumn && x < kLeftColumn + kColumnWidth) return row + 1;
    if (x >= kRightColumn && x < kRightColumn + kColumnWidth) return row + 1 + kColumnSlots;
    return 0;
}

void CaptionOrigin(int slot, int& x, int& y) {
    bool left = slot <= kColumnSlots;
    x = left ? kLeftColumn : kRightColumn;
    y = kFirstRowTop + kSlotPitch * ((left ? slot : slot - kColumnSlots) - 1);
}

Rect HighlightStrip(int slot) {
    if (slot <= kColumnSlots) return Rect{kStripLeft, 71 + 30 * slot, kStripWidth, kStripHeight};
    return Rect{kStripRightColumn, 30 * slot - 409, kStripWidth, kStripHeight};
}

int HighlightLevel(uint32_t ticks) {
    int t = static_cast<int>(ticks % 16);
    return t > 8 ? 15 - t : t;
}

void RaiseStripRed(Surface& strip, int level) {
    for (int y = 0; y < strip.Height(); ++y) {
        uint8_t* p = strip.Row(y);
        for (int x = 0; x < strip.Width(); ++x, p += 3) {
            int raise = x < 16 ? 8 * level : x < 24 ? 0 : 16 * level;
            p[2] = static_cast<uint8_t>(std::min(p[2] + raise, 255));
        }
    }
}

void OpenSaveLoadScreen(EngineState& e, SaveScreenMode mode) {
    EndSkipping(e);
    e.Vars.S[sys::kAutoDelay] = 0;
    DrawQuickButtons(e, QuickButtonTarget::Display);
    SaveScreen& s = e.SaveUi.Screen;
    s.Mode = mode;
    s.Hovered = 0;
    s.KeptDisplay = e.DisplaySurface;
    Surface picture = ScreenPicture(e, mode);
    ReadSlots(e, picture);
    ScaleAddSurface(e.DisplaySurface, picture, e.DisplaySurface, kBackdropWeight);
    ShowOnDrawingArea(e, e.DisplaySurface);
    e.Shell.SaveScreenState = 2;
    SetToolbarLocked(e, true);
}

void SaveScreenHover(EngineState& e, int x, int y) {
    SaveScreen& s = e.SaveUi.Screen;
    int slot = SlotAtPoint(x, y);
    if (slot != 0 && s.Slots[slot - 1].State == SlotState::NotSelectable) slot = 0;
    if (slot == s.Hovered) return;
    s.Hovered = slot;
    ShowOnDrawingArea(e, e.DisplaySurface);
    if (slot != 0 && s.Slots[slot - 1].HasPreview) ShowPreview(e, s.Slots[slot - 1]);
}

void SaveScreenIdle(EngineState& e) {
    int slot = e.SaveUi.Screen.Hovered;
    if (slot == 0) return;
    Rect r = HighlightStrip(slot);
    Surface strip(r.w, r.h);
    CopyRect(e.DisplaySurface, r, strip, 0, 0);
    RaiseStripRed(strip, HighlightLevel(e.Shell.TimerTickCount));
    BlitToDrawingArea(e, strip, Rect{0, 0, r.w, r.h}, r.x, r.y);
}

void SaveScreenClick(EngineState& e, MouseButton button) {
    SaveScreen& s = e.SaveUi.Screen;
    if (button == MouseButton::Right) {
        CloseSaveScreen(e);
        return;
    }
    int slot = s.Hovered;
    if (slot == 0) return;
    if (s.Mode == SaveScreenMode::Load) {
        // A load that is refused (a damaged file, a file gone since the screen opened) leaves the
        // game as it was: its frame comes back instead of the darkened screen.
        if (LoadGame(e, slot)) {
            EndScreen(e);
        } else {
            CloseSaveScreen(e);
        }
        return;
    }
    if (s.Slots[slot - 1].State == SlotState::Used) {
        AskYesNo(e, sjis_text::kOverwriteQuestion, kConfirmOverwrite);
        return;
    }
    CloseSaveScreen(e);
    SaveGame(e, slot, SaveKind::Announced);
}

void CloseSaveScreen(EngineState& e) {
    Surface kept = std::move(e.SaveUi.Screen.KeptDisplay);
    EndScreen(e);
    if (kept.Empty()) return;
    e.DisplaySurface = std::move(kept);
    ShowOnDrawingArea(e, e.DisplaySurface);
}

CommandResult RunSave(EngineState& e, const char*) {
    StopSkipAndAuto(e, StopMode::Unforced);
    OpenSaveLoadScreen(e, SaveScreenMode::Save);
    return CommandResult::EndPass;
}

CommandResult RunLoad(EngineState& e, const char*) {
    // A fast skip draws nothing: the scene behind the screen is rebuilt before it is darkened.
    if (e.Shell.SkipState == 3) ReloadScenePictures(e);
    StopSkipAndAuto(e, StopMode::Unforced);
    OpenSaveLoadScreen(e, SaveScreenMode::Load);
    return CommandResult::EndPass;
}

}  // namespace vespin
