#include "core/text/page_history.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>

#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/picture_commands.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/scene.h"
#include "core/graphics/scene_reload.h"
#include "core/resources/picture.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"
#include "core/text/message_window.h"
#include "core/text/text_renderer.h"
#include "core/text/window_style.h"

namespace vespin {

namespace {

constexpr int kReplayColour = 4;  // yellow
constexpr int kMaxPagesBack = kPageHistoryPages;
constexpr size_t kMaxVoiceName = 128;

// A counter read from a save file may be anything: the record index stays inside the ring.
PageRecord& RecordOf(EngineState& e, int page) {
    int index = ((page % kPageHistoryPages) + kPageHistoryPages) % kPageHistoryPages;
    return e.Backlog.History.Pages[index];
}

std::string PictureNamesOf(const EngineState& e, int layout) {
    const SceneState& sc = e.Scene;
    std::string names(sc.BackgroundName.View());
    auto add = [&](const SceneName& name) { names.append(",").append(name.View()); };
    switch (layout) {
        case kLeftShown:
        case kCentreShown:
            add(sc.LeftCentreName);
            break;
        case kRightShown:
            add(sc.RightName);
            break;
        case kLeftShown | kRightShown:
            add(sc.LeftCentreName);
            add(sc.RightName);
            break;
        default:
            break;
    }
    return names;
}

// The n-th comma-separated field of the record's picture names (0 is the background).
std::string NameField(std::string_view names, int n) {
    for (int i = 0; i < n; ++i) {
        size_t comma = names.find(',');
        if (comma == std::string_view::npos) return {};
        names.remove_prefix(comma + 1);
    }
    return std::string(names.substr(0, names.find(',')));
}

void LoadCharacter(EngineState& e, const std::string& name, Surface& layer, Surface& mask) {
    if (name.empty()) return;
    LoadPicture(e.Archives, name, layer);
    LoadPicture(e.Archives, MaskName(name), mask);
}

// The record's scene into the layers; the scene's own picture names stay those of the present.
void ComposeRecordScene(EngineState& e, const PageRecord& r) {
    SceneState& sc = e.Scene;
    std::string_view names = r.PictureNames.View();
    std::string background = NameField(names, 0);
    if (!background.empty()) {
        if (background[0] == 's' || background[0] == 'S') {
            FillWithNamedColour(sc.BackgroundLayer, background);
        } else {
            LoadPicture(e.Archives, background, sc.BackgroundLayer);
        }
    }
    switch (r.Layout) {
        case kLeftShown:
            LoadCharacter(e, NameField(names, 1), sc.LeftCharacterLayer, sc.LeftCharacterMask);
            break;
        case kRightShown:
            LoadCharacter(e, NameField(names, 1), sc.RightCharacterLayer, sc.RightCharacterMask);
            break;
        case kLeftShown | kRightShown:
            LoadCharacter(e, NameField(names, 1), sc.LeftCharacterLayer, sc.LeftCharacterMask);
            LoadCharacter(e, NameField(names, 2), sc.RightCharacterLayer, sc.RightCharacterMask);
            break;
        case kCentreShown:
            LoadCharacter(e, NameField(names, 1), sc.CentreCharacterLayer, sc.CentreCharacterMask);
            break;
        default:
            break;
    }
    e.Vars.S[sys::kCharacterFlags] = r.Layout;
    ComposeScene(e);
}

// While a record is shown, the full-text flag is the record's: positions and the window follow it.
class RecordMode {
  public:
    RecordMode(EngineState& e, bool full_text) : m_e(e), m_kept(e.Vars.S[sys::kFullTextMode]) {
        e.Vars.S[sys::kFullTextMode] = full_text ? 1 : 0;
    }
    ~RecordMode() { m_e.Vars.S[sys::kFullTextMode] = m_kept; }
    RecordMode(const RecordMode&) = delete;
    RecordMode& operator=(const RecordMode&) = delete;

  private:
    EngineState& m_e;
    int m_kept;
};

void BuildRecordFrame(EngineState& e) {
    if (e.FullTextMode()) {
        ScaleSurface(e.CompositionSurface, e.DisplaySurface, e.Vars.S[sys::kFullTextDarkness] * 16);
        return;
    }
    const WindowGeometry& g = Geometry(e);
    CopyRect(e.CompositionSurface, kScreenRect, e.DisplaySurface, 0, 0);
    e.Text.WindowImageValid = false;
    ComposeWindowImage(e);
    CopyRect(e.Text.WindowImage, Rect{0, 0, g.Width, g.Height}, e.DisplaySurface, g.Left, g.Top);
}

// Every character of the record in yellow, whatever colour it had.
void DrawRecordText(EngineState& e, const PageRecord& r) {
    bool full = e.FullTextMode();
    int rows = full ? 15 : 6;
    int columns = full ? 52 : 48;
    int kept_offset = e.Text.NameOffset;
    SelectTextColour(e, kReplayColour);
    for (int row = 0; row < rows; ++row) {
        const char* bytes = reinterpret_cast<const char*>(r.Text.data()) + row * kPageColumns;
        bool name_row = !full && row == 0;
        if (name_row) {
            int length = static_cast<int>(strnlen(bytes, kPageColumns));
            e.Text.NameOffset = (120 - Geometry(e).ColumnStep * length) / 2;
        }
        for (int col = 0; col < columns; ++col) {
            uint8_t b = static_cast<uint8_t>(bytes[col]);
            if (b == 0) continue;
            int width = (b >= 0x80 && col + 1 < kPageColumns) ? 2 : 1;
            bool blank = width == 2 && b == 0x81 && static_cast<uint8_t>(bytes[col + 1]) == 0x40;
            if (!(full && blank)) {
                PrepareChar(e, std::string_view(bytes + col, width));
                CellPosition p = CharacterPosition(e, row, col, name_row);
                DrawCharAndShow(e, p.X, p.Y);
            }
            col += width - 1;
        }
    }
    SelectTextColour(e, 0);
    e.Text.NameOffset = kept_offset;
}

void ShowRecord(EngineState& e, int page) {
    const PageRecord& r = RecordOf(e, page);
    ComposeRecordScene(e, r);
    {
        RecordMode mode(e, r.FullText != 0);
        BuildRecordFrame(e);
        ShowOnDrawingArea(e, e.DisplaySurface);
        DrawRecordText(e, r);
    }
    // The window image now belongs to the replayed scene, not to the present one.
    e.Text.WindowImageValid = false;
    std::string_view voices = r.VoiceList.View();
    std::string_view first = voices.substr(0, std::min(voices.find(' '), kMaxVoiceName));
    if (!first.empty()) PlayVoice(e, first);
}

// The present frame from the scene and the page, when there is no kept copy of it.
void RebuildPresentFrame(EngineState& e) {
    if (e.FullTextMode()) {
        ScaleSurface(e.CompositionSurface, e.DisplaySurface, e.Vars.S[sys::kFullTextDarkness] * 16);
        RedrawPageText(e);
    } else {
        CopyRect(e.CompositionSurface, kScreenRect, e.DisplaySurface, 0, 0);
    }
    ComposeWindowImage(e);
    PaintWindowOntoDisplay(e);
}

}  // namespace

void RecordPage(EngineState& e) {
    PageHistory& h = e.Backlog.History;
    PageRecord& r = RecordOf(e, h.Counter);
    for (int row = 0; row < kPageRows; ++row)
        std::memcpy(r.Text.data() + row * kPageColumns, e.Text.Page.Text[row].data(), kPageColumns);
    r.Layout = e.Vars.S[sys::kCharacterFlags];
    r.FullText = e.FullTextMode() ? 1 : 0;
    r.PictureNames = PictureNamesOf(e, r.Layout);
    r.VoiceList = e.Backlog.PageVoiceList.View();
    e.Backlog.PageVoiceList.Clear();
    if (h.Counter < INT_MAX) h.Counter += 1;
}

void OpenPageReplay(EngineState& e) {
    const PageHistory& h = e.Backlog.History;
    if (h.Counter < 2) return;  // no page before the current one
    PageReplayState& replay = e.BacklogView.Replay;
    replay.KeptDisplay = e.DisplaySurface;
    replay.KeptLayout = e.Vars.S[sys::kCharacterFlags];
    replay.PagesBack = 2;
    ShowRecord(e, h.Counter - 2);
    e.Shell.MainMode = kModePageHistory;
    SetToolbarLocked(e, true);
}

void PageReplayStep(EngineState& e, ReplayDirection direction) {
    if (e.Shell.MainMode != kModePageHistory) return;
    int counter = e.Backlog.History.Counter;
    int& back = e.BacklogView.Replay.PagesBack;
    back = std::max(back, 2);  // a game loaded in this mode did not open the replay here
    if (direction == ReplayDirection::Back) {
        if (back >= kMaxPagesBack || counter - back <= 0) return;
        back += 1;
        ShowRecord(e, counter - back);
    } else if (back <= 2) {
        LeavePageReplay(e);
    } else {
        back -= 1;
        ShowRecord(e, counter - back);
    }
}

void LeavePageReplay(EngineState& e) {
    if (e.Shell.MainMode != kModePageHistory) return;
    PageReplayState& replay = e.BacklogView.Replay;
    bool opened_here = !replay.KeptDisplay.Empty();
    int layout = opened_here ? replay.KeptLayout : e.Vars.S[sys::kCharacterFlags];
    ShowRecord(e, e.Backlog.History.Counter - 1);  // its voice, as the present page's
    e.Shell.MainMode = kModeScript;
    // The layout of the last record need not be the present one (a page may end without "\"):
    // the scene is rebuilt with the layout it had, so no character of it is dropped.
    e.Vars.S[sys::kCharacterFlags] = layout;
    ReloadScenePictures(e);
    if (opened_here) {
        e.DisplaySurface = replay.KeptDisplay;
        ComposeWindowImage(e);
    } else {
        RebuildPresentFrame(e);
    }
    ShowOnDrawingArea(e, e.DisplaySurface);
    replay.KeptDisplay = Surface();
    replay.PagesBack = 0;
    SetToolbarLocked(e, false);
}

}  // namespace vespin
