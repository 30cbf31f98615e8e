// The viewer's page on screen: opening it, the pointer, the clicks of the four page kinds, and
// the scenes replayed from a scene list.

#include "core/screens/viewer.h"

#include <cstdio>
#include <string>

#include "core/audio/music.h"
#include "core/graphics/drawing_area.h"
#include "core/resources/picture.h"
#include "core/screens/viewer_draw.h"
#include "core/screens/viewer_page.h"
#include "core/script/scene_replay.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr int kViewerShown = 2;  // S000 while the viewer is open: no saving or loading
constexpr int kViewerLeft = 1;   // S000 after its EXIT
constexpr int kStartedHover = 16;
constexpr int kPulseHover = 32;
constexpr int kPulsePasses = 32;
constexpr size_t kLabelSearch = 100;
constexpr int kWindowVariable = 4;

ViewerState& Viewer(EngineState& e) {
    return e.Viewer;
}

ViewerPageType Type(const EngineState& e) {
    return e.Viewer.Page.Type;
}

const ViewerItem& Item(const EngineState& e, int n) {
    return e.Viewer.Page.Sets[e.Viewer.CurrentSet].Items[n];
}

bool IsItem(int code) {
    return code >= 1 && code <= kViewerItems;
}

void FreePictures(ViewerState& v) {
    v.Plate = Surface{};
    v.Digits = Surface{};
}

// Step 1 of opening: the definitions, the plate and the digit sheet, the links. False when the
// script or its ":VIEW_0" block is missing.
bool PrepareOpen(EngineState& e, std::vector<std::string>& lines) {
    ViewerState& v = Viewer(e);
    if (!LoadScript(e, "view", ScriptMode::Data)) return false;
    lines = ViewerLines(e);
    v.Plate = Surface{};
    v.Digits = Surface{};
    LoadPicture(e.Archives, "sys_vwnum", v.Digits);
    return ReadViewerLinks(lines, v.Page);
}

void ResetPageView(EngineState& e) {
    ViewerState& v = Viewer(e);
    v.CurrentSet = 0;
    v.FullView = false;
    v.Loading = false;
    v.CurrentTrack = 0;
    v.LastTrack = 1;
    v.Hovered = 0;
    v.Hover.fill(0);
    e.Shell.MainMode = kModeViewer;
}

// Shows the next seen variant of the full-view item from the variant index, and moves the index
// past it. An item without a seen variant shows nothing.
void ShowVariant(EngineState& e) {
    ViewerState& v = Viewer(e);
    const ViewerItem& item = Item(e, v.FullItem);
    int count = static_cast<int>(item.Names.size());
    for (int tried = 0; tried <= count; ++tried) {
        if (v.Variant >= count) v.Variant = 0;
        if (count == 0) return;
        int at = v.Variant++;
        if (!v.CgSeenBits.Test(item.Bits[at])) continue;
        v.Loading = true;
        LoadViewerPicture(e, item.Names[at], e.DisplaySurface);
        ShowOnDrawingArea(e, e.DisplaySurface);
        v.Loading = false;
        return;
    }
}

// Leaves through EXIT: MainMode 0, the script goes on after its `viewer` line.
void LeaveViewer(EngineState& e, bool gallery_exit) {
    SetMusic(e, 0);
    FreePictures(Viewer(e));
    if (gallery_exit) {
        e.Shell.ReplayActive = false;
        e.Vars.S[sys::kSaveAvailability] = kViewerLeft;
        RefreshToolbar(e);
    }
    e.Shell.MainMode = kModeScript;
}

void FollowLink(EngineState& e, int n) {
    ViewerState& v = Viewer(e);
    std::string current = v.PageName;
    FreePictures(v);
    char name[16];
    std::snprintf(name, sizeof name, "VIEW_%d", n);
    // A link to a page the definitions lack keeps the current page rather than a half-open one.
    if (OpenViewerPage(e, name) || OpenViewerPage(e, current)) return;
    LeaveViewer(e, true);
}

void MusicRoomItem(EngineState& e, int n) {
    ViewerState& v = Viewer(e);
    Rect r{v.Page.ItemX[n], v.Page.ItemY[n], v.Page.ThumbWidth, v.Page.ThumbHeight};
    CopyRect(e.CompositionSurface, Rect{0, 0, kScreenWidth, kScreenHeight}, e.DisplaySurface, 0, 0);
    CopyRect(e.Scene.CentreCharacterLayer, r, e.DisplaySurface, r.x, r.y);
    ShowOnDrawingArea(e, e.DisplaySurface);
    SetMusic(e, n);
    v.CurrentTrack = n;
}

void MusicPlayerClick(EngineState& e, int code) {
    ViewerState& v = Viewer(e);
    if (IsItem(code)) {
        SetMusic(e, code);
        v.CurrentTrack = v.LastTrack = code;
    } else if (code == kHitNext) {
        if (v.CurrentTrack == 0) {
            SetMusic(e, v.LastTrack);
            v.CurrentTrack = v.LastTrack;
        }
    } else if (code == kHitPrev) {
        SetMusic(e, 0);
        v.CurrentTrack = 0;
    } else if (code == kHitExit) {
        LeaveViewer(e, false);
    }
}

// Next or previous set, wrapping; a page without sets stays where it is.
void StepSet(EngineState& e, int step) {
    ViewerState& v = Viewer(e);
    int count = v.Page.SetCount;
    if (count > 0) v.CurrentSet = ((v.CurrentSet + step) % count + count) % count;
    DrawViewerPage(e);
}

void GalleryClick(EngineState& e, MouseButton button, int code) {
    ViewerState& v = Viewer(e);
    if (v.FullView) {
        if (button == MouseButton::Middle) {
            v.FullView = false;
            DrawViewerPage(e);
        } else if (button == MouseButton::Left) {
            ShowVariant(e);
        }
        return;
    }
    if (IsItem(code) && Type(e) == ViewerPageType::Gallery) {
        v.FullView = true;
        v.FullItem = code;
        v.Variant = 0;
        ShowVariant(e);
    } else if (code == kHitNext) {
        StepSet(e, 1);
    } else if (code == kHitPrev) {
        StepSet(e, -1);
    } else if (code == kHitExit) {
        LeaveViewer(e, true);
    }
}

// A scene of the scene list: the script goes there with the viewer's place kept for `exit`.
void ReplayScene(EngineState& e, int n) {
    ViewerState& v = Viewer(e);
    std::string_view target = Item(e, n).Text;
    size_t colon = target.substr(0, kLabelSearch).find(':');
    std::string script(target.substr(0, colon));
    std::string label =
        colon == std::string_view::npos ? "" : std::string(target.substr(colon + 1));
    ScriptReturnPoint back = SaveReturnPoint(e);
    // A target without its script leaves the player on the page instead of in nothing.
    if (script.empty() || !BeginReplayedScene(e, script, ReplayScreen::Viewer)) return;
    v.Return = back;
    if (!label.empty()) JumpToLabel(e, label);
}

}  // namespace

bool OpenViewerPage(EngineState& e, std::string_view name) {
    ViewerState& v = Viewer(e);
    std::vector<std::string> lines;
    if (!PrepareOpen(e, lines)) return false;
    std::string upper = sjis::UpperAscii(name);
    ViewerUnlocks unlocks{&v.CgSeenBits, &e.Vars.E};
    if (!ReadViewerPage(lines, upper, unlocks, v.Page)) return false;
    v.PageName = upper;
    e.Vars.S[sys::kSaveAvailability] = kViewerShown;
    RefreshToolbar(e);
    if (!v.Page.PlateName.empty()) LoadPicture(e.Archives, v.Page.PlateName, v.Plate);
    ResetPageView(e);
    DrawViewerPage(e);
    return true;
}

CommandResult RunViewer(EngineState& e, const char* arg) {
    std::string_view name(arg);
    name = name.substr(0, name.find(' '));
    OpenViewerPage(e, name);
    return CommandResult::EndPass;
}

void ViewerPointerMove(EngineState& e, int x, int y) {
    ViewerState& v = Viewer(e);
    if (v.FullView) return;
    int code = ViewerHitTest(e, x, y);
    bool one_set = v.Page.SetCount == 1;
    if (IsItem(code) || code == kHitExit || (!one_set && (code == kHitNext || code == kHitPrev)))
        ShowHoverArea(e, ViewerCodeRect(e, code));
    if (code != 0) v.Hover[code] = kStartedHover;
    v.Hovered = code;
}

void ViewerClick(EngineState& e, MouseButton button) {
    ViewerState& v = Viewer(e);
    if (v.Loading) return;
    if (button == MouseButton::Right) {
        if (v.FullView) {
            v.FullView = false;
            DrawViewerPage(e);
        }
        return;
    }
    int code = v.Hovered;
    if (code >= kHitLink && code < kHitLink + kViewerLinks) {
        FollowLink(e, code - kHitLink);
    } else if (code >= kHitTab && code < kHitTab + kViewerSets) {
        v.CurrentSet = code - kHitTab;
        DrawViewerPage(e);
    } else if (Type(e) == ViewerPageType::MusicRoom && IsItem(code)) {
        MusicRoomItem(e, code);
    } else if (Type(e) == ViewerPageType::MusicPlayer) {
        MusicPlayerClick(e, code);
    } else if (Type(e) == ViewerPageType::Scenes && IsItem(code)) {
        ReplayScene(e, code);
    } else {
        GalleryClick(e, button, code);
    }
}

void ViewerIdleStep(EngineState& e) {
    ViewerState& v = Viewer(e);
    if (v.FullView) return;
    v.IdlePasses += 1;
    if (Type(e) == ViewerPageType::MusicPlayer && v.IdlePasses % kPulsePasses == 0 &&
        v.CurrentTrack != 0) {
        v.Hover[kHitNext] = kStartedHover;
        if (IsItem(v.CurrentTrack)) v.Hover[v.CurrentTrack] = kPulseHover;
    }
    for (int code = 1; code <= kHitExit; ++code) {
        if (v.Hover[code] != 0 && code != v.Hovered) FadeHighlight(e, code);
    }
    for (int code = kHitTab; code < kHitCodes; ++code) {
        if (v.Hover[code] != 0) FadeHighlight(e, code);
    }
    ShowOnDrawingArea(e, e.DisplaySurface);
}

bool InViewerReplay(const EngineState& e) {
    return e.Shell.ReplayActive && e.Shell.ReplayOrigin == ReplayScreen::Viewer;
}

void ReturnToViewer(EngineState& e) {
    EndReplayedScene(e, e.Viewer.Return);
    e.Vars.S[sys::kFullTextMode] = 0;
    e.Text.WindowDisplayKind = 0;
    e.Vars.S[kWindowVariable] = 0;
    e.Shell.MainMode = kModeViewer;
    e.Viewer.FullView = false;
    DrawViewerPage(e);
}

}  // namespace vespin
