#include "core/screens/recollection_draw.h"

#include <cstdio>
#include <string_view>

#include "core/graphics/drawing_area.h"
#include "core/host/host.h"
#include "core/screens/recollection_catalogue.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr char kGothicFace[] =  // ＭＳ ゴシック
    "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr int kListHeight = 10, kPanelTextHeight = 11;
constexpr Rgb kInk{0x5F, 0x44, 0x0A};
constexpr Rgb kSelectedRed{0xFF, 0, 0};
constexpr Rgb kHoverBlue{0, 0, 0xFF};
constexpr int kTabWidth = 30, kTabHeight = 47, kTabTop = 72;
constexpr int kSlotTabWidth = 32, kSlotTabHeight = 28;

PlainFont ScreenFont(int height, FontWeight weight = FontWeight::Regular) {
    return PlainFont{kGothicFace, FontSize{height, SizeUnit::Cell}, weight};
}

// White one pixel down and right, then the colour: the screen's engraved look.
void DrawEngraved(EngineState& e, Surface& target, int x, int y, std::string_view text,
                  const PlainFont& font, Rgb colour) {
    DrawPlainText(e.TextRenderer.Fonts, target, x + 1, y + 1, text, font, kWhite);
    DrawPlainText(e.TextRenderer.Fonts, target, x, y, text, font, colour);
}

// Text straight onto the drawing area, shown at once.
void DrawOnArea(EngineState& e, int x, int y, std::string_view text, const PlainFont& font,
                Rgb colour) {
    int width = DrawPlainText(e.TextRenderer.Fonts, e.DrawingArea, x, y, text, font, colour);
    Rect shown{x, y, width, font.Size.Pixels + 4};
    if (width > 0 && ClipCopy(e.DrawingArea, shown, x, y, e.DrawingArea))
        e.Host.Present(e.DrawingArea, shown);
}

const int32_t* SlotEntries(const EngineState& e, int slot) {
    return e.Recollection.SlotEntries.data() + slot * kRecollectionSlotEntries;
}

void DrawSlotTabs(EngineState& e) {
    RecollectionScreen& s = e.Recollection.Screen;
    for (int i = 0; i < kRecollectionSlots; ++i) {
        int x = i < 5 ? kSlotTabWidth * i : kSlotTabWidth * i - 143;
        int y = i < 5 ? 0 : kSlotTabHeight;
        int image_y = i == s.CurrentSlot ? kSlotTabHeight : 0;
        if (i != s.CurrentSlot && SlotEntries(e, i)[0] == 0) continue;
        CopyRect(s.Buttons, Rect{kSlotTabWidth * i, image_y, kSlotTabWidth, kSlotTabHeight},
                 s.Panel, x, y);
    }
}

}  // namespace

void DrawRecollectionBackground(EngineState& e) {
    RecollectionScreen& s = e.Recollection.Screen;
    e.DisplaySurface.Fill(0, 0, 0);
    CopyRect(s.Screen, Rect{0, 0, s.Screen.Width(), s.Screen.Height()}, e.DisplaySurface, 0, 0);
    if (s.Page > kRecollectionPages - 1) s.Page = 0;
    CopyRect(s.Tabs, Rect{0, 0, kTabWidth, 470}, e.DisplaySurface, 0, kTabTop);
    CopyRect(s.Tabs, Rect{kTabWidth, kTabHeight * s.Page, kTabWidth, kTabHeight}, e.DisplaySurface,
             0, kTabTop + kTabHeight * s.Page);
}

void DrawRecollectionList(EngineState& e) {
    RecollectionState& r = e.Recollection;
    RecollectionScreen& s = r.Screen;
    const RecollectionCatalogue& catalogue = r.Catalogue;
    s.Cells.fill(0);
    char label[24];
    std::snprintf(label, sizeof label, ":NIGHT%d", s.Page + 1);
    int first = FindCatalogueLine(catalogue, label);
    if (first < 0) return;  // a page the catalogue lacks stays empty
    int c = 0;
    for (int i = first + 1; i <= first + 149 && i < catalogue.Size(); ++i) {
        const std::string& text = catalogue.Display[i];
        if (!text.empty() && text[0] == ':') break;
        bool seen = r.SceneSeenBits.Test(i);
        if (!text.empty() && text[0] == '*') {
            if (seen) {
                if (c % 3 != 0) c += 3 - c % 3;
                if (c < kRecollectionCells)
                    DrawEngraved(e, e.DisplaySurface, CellX(c), CellY(c), text.substr(1),
                                 ScreenFont(kListHeight, FontWeight::Bold), kInk);
            }
            c += 3;
        } else {
            // Only a line that names a script can be played from its cell.
            if (seen && catalogue.IsScene(i) && c < kRecollectionCells) {
                s.Cells[c] = i;
                DrawEngraved(e, e.DisplaySurface, CellX(c), CellY(c), text, ScreenFont(kListHeight),
                             kInk);
            }
            c += 1;
        }
    }
}

std::string EntryText(const EngineState& e, int j) {
    const RecollectionState& r = e.Recollection;
    int line = SlotEntries(e, r.Screen.CurrentSlot)[j];
    if (line <= 0 || line >= r.Catalogue.Size()) return {};
    char number[16];
    std::snprintf(number, sizeof number, "%02d:", j + 1);
    return number + r.Catalogue.Display[line];
}

void DrawRecollectionPanel(EngineState& e) {
    RecollectionState& r = e.Recollection;
    RecollectionScreen& s = r.Screen;
    s.Panel.Resize(kPanelWidth, kPanelHeight);
    CopyRect(s.Screen, Rect{kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight}, s.Panel, 0, 0);
    DrawSlotTabs(e);
    FixedString<64>& name = r.SlotNames[s.CurrentSlot];
    if (name.Empty()) {
        char text[32];
        std::snprintf(text, sizeof text, "Record Slot %d", s.CurrentSlot + 1);
        name = text;
    }
    PlainFont font = ScreenFont(kPanelTextHeight);
    DrawEngraved(e, s.Panel, 20, 64, name.View(), font, kInk);
    const int32_t* entries = SlotEntries(e, s.CurrentSlot);
    for (int j = 0; j < kRecollectionPanelEntries && entries[j] != 0; ++j) {
        Rgb colour = s.SelectedEntry == j + 1 ? kSelectedRed : kInk;
        DrawEngraved(e, s.Panel, 10, 90 + 13 * j, EntryText(e, j), font, colour);
    }
    CopyRect(s.Panel, Rect{0, 0, kPanelWidth, kPanelHeight}, e.DisplaySurface, kPanelLeft,
             kPanelTop);
}

void DrawSelectedCell(EngineState& e, int cell) {
    const RecollectionState& r = e.Recollection;
    int line = r.Screen.Cells[cell];
    DrawPlainText(e.TextRenderer.Fonts, e.DisplaySurface, CellX(cell), CellY(cell),
                  r.Catalogue.Display[line], ScreenFont(kListHeight), kSelectedRed);
}

void ShowCellHover(EngineState& e, int cell) {
    const RecollectionState& r = e.Recollection;
    ShowOnDrawingArea(e, e.DisplaySurface);
    DrawOnArea(e, CellX(cell), CellY(cell), r.Catalogue.Display[r.Screen.Cells[cell]],
               ScreenFont(kListHeight), kHoverBlue);
}

void ShowPanelOnDrawingArea(EngineState& e) {
    const Surface& panel = e.Recollection.Screen.Panel;
    BlitToDrawingArea(e, panel, Rect{0, 0, panel.Width(), panel.Height()}, kPanelLeft, kPanelTop);
}

void ShowEntryHover(EngineState& e, int j) {
    ShowPanelOnDrawingArea(e);
    DrawOnArea(e, kPanelLeft + 10, kPanelTop + 90 + 13 * j, EntryText(e, j),
               ScreenFont(kPanelTextHeight), kHoverBlue);
}

void ShowButtonImage(EngineState& e, const RecollectionButton& button, bool pressed) {
    if (!pressed) ShowOnDrawingArea(e, e.DisplaySurface);
    Rect image{button.ImageX, button.ImageY + (pressed ? button.Hit.h : 0), button.Hit.w,
               button.Hit.h};
    BlitToDrawingArea(e, e.Recollection.Screen.Buttons, image, button.Hit.x, button.Hit.y);
}

void ShowTabHover(EngineState& e, int tab) {
    ShowPanelOnDrawingArea(e);
    const Surface& buttons = e.Recollection.Screen.Buttons;
    if (tab < 5) {
        BlitToDrawingArea(e, buttons, Rect{kSlotTabWidth * tab, 56, kSlotTabWidth, kSlotTabHeight},
                          kPanelLeft + kSlotTabWidth * tab, kPanelTop);
    } else {
        int b = tab - 5;
        BlitToDrawingArea(e, buttons,
                          Rect{kSlotTabWidth * b + 160, 56, kSlotTabWidth, kSlotTabHeight},
                          563 + kSlotTabWidth * b, 92);
    }
}

}  // namespace vespin
