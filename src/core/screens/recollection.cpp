#include "core/screens/recollection.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/host/host.h"
#include "core/resources/picture.h"
#include "core/screens/recollection_catalogue.h"
#include "core/screens/recollection_draw.h"
#include "core/script/scene_replay.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"
#include "core/text/hide_window_view.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr char kSlotCaption[] = "\x89\xF1\x91\x7A\x83\x58\x83\x8D\x83\x62\x83\x67";  // 回想スロット
constexpr char kSlotLabel[] =  // 回想スロットに名前を付けます（全角１８文字まで）
    "\x89\xF1\x91\x7A\x83\x58\x83\x8D\x83\x62\x83\x67\x82\xC9\x96\xBC\x91\x4F\x82\xF0\x95\x74"
    "\x82\xAF\x82\xDC\x82\xB7\x81\x69\x91\x53\x8A\x70\x82\x50\x82\x57\x95\xB6\x8E\x9A\x82\xDC"
    "\x82\xC5\x81\x6A";
constexpr size_t kSlotNameLimit = 36;
constexpr int kRecollectionMusic = 31;
// No cell and no hover: -1, so that the page's first cell can be hovered and selected too.
constexpr int kNone = -1;

RecollectionScreen& Screen(EngineState& e) {
    return e.Recollection.Screen;
}

int32_t* CurrentEntries(EngineState& e) {
    return e.Recollection.SlotEntries.data() + Screen(e).CurrentSlot * kRecollectionSlotEntries;
}

void LoadScreenPictures(EngineState& e) {
    RecollectionScreen& s = Screen(e);
    for (auto [name, target] : {std::pair{"ss_kaiso", &s.Screen}, std::pair{"ss_btn", &s.Buttons},
                                std::pair{"ss_tab", &s.Tabs}}) {
        if (!LoadPicture(e.Archives, name, *target)) *target = Surface();
    }
    s.Panel.Resize(kPanelWidth, kPanelHeight);
    s.PicturesLoaded = true;
}

void FreeScreenPictures(EngineState& e) {
    RecollectionScreen& s = Screen(e);
    s.Screen = Surface(), s.Buttons = Surface(), s.Tabs = Surface(), s.Panel = Surface();
    s.PicturesLoaded = false;
}

// The whole screen into the DisplaySurface. The screen's own music plays, and skipping and
// auto-advance stop.
void RedrawScreen(EngineState& e) {
    DrawRecollectionBackground(e);
    SetMusic(e, kRecollectionMusic);
    e.Vars.S[sys::kAutoDelay] = 0;
    e.Vars.S[60] = 0;
    e.Shell.SkipState = 0;
    DrawRecollectionList(e);
    DrawRecollectionPanel(e);
}

void RedrawPanel(EngineState& e) {
    DrawRecollectionPanel(e);
    ShowPanelOnDrawingArea(e);
}

void SetMenuItems(EngineState& e, bool scene_skip, bool end) {
    e.Toolbar.MenuSceneSkipVisible = scene_skip;
    e.Toolbar.MenuRecollectionEndVisible = end;
    RefreshToolbar(e);
}

// Starts the first entry of the play list from `p` on that can play; entries that name no
// script, or a script the game lacks, are passed over. False when none is left.
bool PlayFrom(EngineState& e, int p) {
    RecollectionState& r = e.Recollection;
    RecollectionScreen& s = r.Screen;
    for (; p < kRecollectionSlotEntries && s.PlayList[p] != 0; ++p) {
        int line = s.PlayList[p];
        if (!r.Catalogue.IsScene(line)) continue;
        if (!BeginReplayedScene(e, r.Catalogue.Scripts[line], ReplayScreen::Recollection)) continue;
        s.PlayPosition = p;
        bool more = p + 1 < kRecollectionSlotEntries && s.PlayList[p + 1] != 0;
        SetMenuItems(e, more, true);
        return true;
    }
    return false;
}

void PlaySlot(EngineState& e) {
    RecollectionScreen& s = Screen(e);
    std::copy_n(CurrentEntries(e), kRecollectionSlotEntries, s.PlayList.begin());
    if (s.PlayList[0] != 0) PlayFrom(e, 0);
}

void ClearSlot(EngineState& e) {
    std::fill_n(CurrentEntries(e), kRecollectionSlotEntries, 0);
    Screen(e).SelectedEntry = 0;
    RedrawPanel(e);
}

void DeleteEntry(EngineState& e) {
    RecollectionScreen& s = Screen(e);
    if (s.SelectedEntry <= 0 || s.SelectedEntry > kRecollectionSlotEntries) return;
    int32_t* entries = CurrentEntries(e);
    int k = s.SelectedEntry - 1;
    std::copy(entries + k + 1, entries + kRecollectionSlotEntries, entries + k);
    entries[kRecollectionSlotEntries - 1] = 0;
    if (entries[k] == 0) s.SelectedEntry -= 1;
    DrawRecollectionPanel(e);
    ShowOnDrawingArea(e, e.DisplaySurface);
}

bool CellSelected(EngineState& e) {
    RecollectionScreen& s = Screen(e);
    return s.SelectedCell >= 0 && s.SelectedCell < kRecollectionCells &&
           s.Cells[s.SelectedCell] != 0;
}

void AddSelectedScene(EngineState& e) {
    if (!CellSelected(e)) return;
    int32_t* entries = CurrentEntries(e);
    for (int j = 0; j < kRecollectionPanelEntries; ++j) {
        if (entries[j] != 0) continue;
        entries[j] = Screen(e).Cells[Screen(e).SelectedCell];
        RedrawPanel(e);
        return;
    }
}

void PlaySelectedScene(EngineState& e) {
    if (!CellSelected(e)) return;
    RecollectionScreen& s = Screen(e);
    s.PlayList.fill(0);
    s.PlayList[0] = s.Cells[s.SelectedCell];
    PlayFrom(e, 0);
}

void NameSlot(EngineState& e) {
    FixedString<64>& name = e.Recollection.SlotNames[Screen(e).CurrentSlot];
    NameRequest request;
    request.Title = sjis::ToUtf8(kSlotCaption);
    request.Fields = {{sjis::ToUtf8(kSlotLabel), sjis::ToUtf8(name.View())}};
    request.Cancellable = true;  // Cancel keeps the name the slot had
    request.Accept = [&name](std::vector<NameRequest::Field>& fields) {
        if (fields.size() != 1) return false;
        std::optional<std::string> text = sjis::FromUtf8(fields[0].Text);
        if (!text) {
            fields[0].Text = sjis::ToUtf8(name.View());
            return false;
        }
        name = SlotNameFromDialog(*text);
        return true;
    };
    e.Shell.EngineBusy = true;
    e.Host.AskNames(request);
    e.Shell.EngineBusy = false;
    RedrawPanel(e);
}

void LeaveScreen(EngineState& e) {
    FreeScreenPictures(e);
    SetMenuItems(e, false, false);
    e.Shell.MainMode = kModeScript;
}

void RunButton(EngineState& e, int code) {
    switch (code) {
        case 301:
            LeaveScreen(e);
            return;
        case 302:
            PlaySlot(e);
            break;
        case 303:
            ClearSlot(e);
            break;
        case 304:
            DeleteEntry(e);
            return;
        case 305:
            AddSelectedScene(e);
            break;
        case 306:
            PlaySelectedScene(e);
            break;
        case 307:
            NameSlot(e);
            break;
        default:
            return;
    }
    Screen(e).Hovered = kNone;
}

bool Inside(const Rect& r, int x, int y) {
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

// The button (301..307) or slot tab (400..409) under the pointer, else kNone.
int ControlAt(int x, int y) {
    for (const RecollectionButton& button : kRecollectionButtons) {
        if (Inside(button.Hit, x, y)) return button.Code;
    }
    if (x >= 546 && x <= 705 && y >= 64 && y <= 91) return 400 + (x - 546) / 32;
    if (x > 562 && x < 723 && y > 91 && y < 120) return 405 + (x - 563) / 32;
    return kNone;
}

int CellAt(int x, int y) {
    return (x - 43) / 160 + 3 * ((y - 77) / 12);
}

bool HoverCell(EngineState& e, int x, int y) {
    if (x < 43 || x > 522 || y < 77 || y > 532) return false;
    RecollectionScreen& s = Screen(e);
    int cell = CellAt(x, y);
    if (cell != s.Hovered && s.Cells[cell] != 0) {
        ShowCellHover(e, cell);
        s.Hovered = cell;
    }
    return true;
}

bool HoverEntry(EngineState& e, int x, int y) {
    if (x < 556 || x > 779 || y < 154) return false;
    int j = (y - 154) / 13;
    if (j >= kRecollectionPanelEntries || CurrentEntries(e)[j] == 0) return false;
    RecollectionScreen& s = Screen(e);
    if (s.Hovered != 200 + j) {
        ShowEntryHover(e, j);
        s.Hovered = 200 + j;
    }
    return true;
}

bool HoverControl(EngineState& e, int x, int y) {
    int code = ControlAt(x, y);
    if (code == kNone) return false;
    RecollectionScreen& s = Screen(e);
    if (code == s.Hovered) return true;
    if (code >= 400) {
        ShowTabHover(e, code - 400);
    } else {
        for (const RecollectionButton& button : kRecollectionButtons) {
            if (button.Code == code) ShowButtonImage(e, button, false);
        }
    }
    s.Hovered = code;
    return true;
}

void ClickCell(EngineState& e, MouseButton button, int x, int y) {
    RecollectionScreen& s = Screen(e);
    int cell = CellAt(x, y);
    if (s.Cells[cell] == 0) return;
    bool right = button == MouseButton::Right;
    if (cell != s.SelectedCell || right) {
        RedrawScreen(e);
        DrawSelectedCell(e, cell);
        ShowOnDrawingArea(e, e.DisplaySurface);
        s.SelectedCell = cell;
    }
    if (right) e.Host.ShowPopupMenu2(CellX(cell), CellY(cell));
}

void ClickControl(EngineState& e, int code) {
    if (code >= 400) {
        Screen(e).CurrentSlot = code - 400;
        RedrawPanel(e);
        return;
    }
    for (const RecollectionButton& button : kRecollectionButtons) {
        if (button.Code == code) ShowButtonImage(e, button, true);
    }
    RunButton(e, code);
}

}  // namespace

std::string SlotNameFromDialog(std::string_view text) {
    return std::string(sjis::CutAtCharBoundary(text, kSlotNameLimit));
}

CommandResult RunKaisou(EngineState& e, const char*) {
    RecollectionScreen& s = Screen(e);
    LoadScreenPictures(e);
    s.CurrentSlot = 0;
    if (s.Page < 0) s.Page = 0;
    s.ReturnPoint = SaveReturnPoint(e);
    e.Shell.MainMode = kModeRecollection;
    s.Hovered = kNone, s.SelectedCell = kNone, s.SelectedEntry = 0;
    RedrawScreen(e);
    ShowOnDrawingArea(e, e.DisplaySurface);
    return CommandResult::EndPass;
}

void RecollectionHover(EngineState& e, int x, int y) {
    if (HoverCell(e, x, y) || HoverEntry(e, x, y) || HoverControl(e, x, y)) return;
    RecollectionScreen& s = Screen(e);
    if (s.Hovered != kNone) ShowOnDrawingArea(e, e.DisplaySurface);
    s.Hovered = kNone;
}

void RecollectionClick(EngineState& e, MouseButton button, int x, int y) {
    RecollectionScreen& s = Screen(e);
    if (x >= 0 && x < 30 && y > 71 && y < 542) {
        int page = (y - 72) / 47;
        if (page != s.Page) {
            s.Page = page;
            // The selection was a cell of the page left; it would name another scene here.
            s.SelectedCell = kNone;
            RedrawScreen(e);
            ShowOnDrawingArea(e, e.DisplaySurface);
        }
        return;
    }
    if (x > 42 && x < 523 && y > 76 && y < 533) ClickCell(e, button, x, y);
    if (x > 555 && x < 780 && y > 153) {
        int j = (y - 154) / 13;
        if (j < kRecollectionPanelEntries && CurrentEntries(e)[j] != 0) {
            s.SelectedEntry = j + 1;
            RedrawPanel(e);
        }
    }
    // The control under the pointer acts (the one hovered, unless a move was missed).
    int code = ControlAt(x, y);
    if (code != kNone && e.Shell.MainMode == kModeRecollection) ClickControl(e, code);
}

void RecollectionRegister(EngineState& e) {
    if (e.Shell.MainMode != kModeRecollection) return;
    AddSelectedScene(e);
    Screen(e).Hovered = kNone;
}

void RecollectionConfirm(EngineState& e) {
    if (e.Shell.MainMode != kModeRecollection) return;
    PlaySelectedScene(e);
}

void NextRecollectionScene(EngineState& e) {
    StopLoopingSound(e);
    if (!PlayFrom(e, Screen(e).PlayPosition + 1)) ReturnToRecollection(e);
}

void ReturnToRecollection(EngineState& e) {
    RecollectionScreen& s = Screen(e);
    EndReplayedScene(e, s.ReturnPoint);
    e.Shell.MainMode = kModeRecollection;
    if (!s.PicturesLoaded) LoadScreenPictures(e);
    s.Hovered = kNone;
    RedrawScreen(e);
    ShowOnDrawingArea(e, e.DisplaySurface);
    s.SelectedCell = kNone;
}

bool InRecollectionReplay(const EngineState& e) {
    return e.Shell.ReplayActive && e.Shell.ReplayOrigin == ReplayScreen::Recollection;
}

bool RecollectionMenuItem(EngineState& e, UiCommand command) {
    if (!InRecollectionReplay(e)) return false;
    if (ReplayMenuMustWait(e)) return true;
    if (command == UiCommand::MenuN1 && !e.Toolbar.MenuSceneSkipVisible) return true;
    if (e.Shell.MainMode == kModeWindowHidden) EndHideWindowView(e);
    StopVoice(e);  // both ways stop the looping sound too
    if (command == UiCommand::MenuN1) {
        NextRecollectionScene(e);
    } else {
        ReturnToRecollection(e);
    }
    return true;
}

}  // namespace vespin
