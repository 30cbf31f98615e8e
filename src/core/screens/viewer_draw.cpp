// The viewer's pictures: the base page lives in the CompositionSurface, the hover page in the
// BackgroundLayer and the thumbs sheet in the CentreCharacterLayer while the viewer is open.

#include "core/screens/viewer_draw.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/graphics/drawing_area.h"
#include "core/graphics/pixel_ops.h"
#include "core/resources/picture.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr int kDigitWidth = 32;
constexpr int kDigitHeight = 24;
constexpr int kDigitY = 530;
constexpr int kHundredsX = 590, kTensX = 625, kUnitsX = 660;
constexpr int kFadeStep = 8;

const ViewerPage& Page(const EngineState& e) {
    return e.Viewer.Page;
}

const ViewerSet& CurrentSet(const EngineState& e) {
    return e.Viewer.Page.Sets[e.Viewer.CurrentSet];
}

// Field k of the picture triple.
std::string TripleName(const std::string& triple, int k) {
    size_t at = 0;
    for (int i = 0; i < k; ++i) {
        at = triple.find(',', at);
        if (at == std::string::npos) return {};
        ++at;
    }
    return triple.substr(at, triple.find(',', at) - at);
}

Rect ItemRect(const EngineState& e, int n) {
    const ViewerPage& p = Page(e);
    return Rect{p.ItemX[n], p.ItemY[n], p.ThumbWidth, p.ThumbHeight};
}

Rect BoxRect(const ViewerBox& b) {
    if (b.Right <= b.Left || b.Bottom <= b.Top) return Rect{};
    return Rect{b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top};
}

bool ItemHolds(const EngineState& e, int n, int x, int y) {
    const ViewerPage& p = Page(e);
    int64_t left = p.ItemX[n], top = p.ItemY[n];
    return x >= left && x < left + p.ThumbWidth && y >= top && y < top + p.ThumbHeight;
}

// Digit d blended onto the base through its mask, the cell at (32 d, 0), the mask at (32 d, 24).
void DrawDigit(EngineState& e, int d, int x) {
    const Surface& sheet = e.Viewer.Digits;
    Surface& base = e.CompositionSurface;
    if (sheet.Width() < kDigitWidth * (d + 1) || sheet.Height() < 2 * kDigitHeight) return;
    if (base.Width() < x + kDigitWidth || base.Height() < kDigitY + kDigitHeight) return;
    constexpr int kGroups = kDigitWidth * 3 / 8;
    for (int r = 0; r < kDigitHeight; ++r) {
        uint8_t* out = base.Row(kDigitY + r) + 3 * x;
        const uint8_t* digit = sheet.Row(r) + 3 * kDigitWidth * d;
        const uint8_t* mask = sheet.Row(kDigitHeight + r) + 3 * kDigitWidth * d;
        MaskedBlendPixels(out, digit, kGroups, mask, out);
    }
}

void DrawCompletion(EngineState& e) {
    const ViewerPage& p = Page(e);
    if (p.Seen >= p.Total) {  // everything seen, or nothing to see
        DrawDigit(e, 1, kHundredsX);
        DrawDigit(e, 0, kTensX);
        DrawDigit(e, 0, kUnitsX);
        return;
    }
    int percent = static_cast<int>(int64_t{p.Seen} * 100 / p.Total);
    if (percent >= 10) DrawDigit(e, percent / 10, kTensX);
    DrawDigit(e, percent % 10, kUnitsX);
}

void DrawItems(EngineState& e) {
    ViewerState& v = e.Viewer;
    if (v.Page.Type == ViewerPageType::MusicPlayer) {
        for (int n = 1; n <= kViewerItems; ++n)
            v.Page.Sets[0].Items[n].State = kItemPartial;
        return;
    }
    for (int n = 1; n <= kViewerItems; ++n) {
        int state = CurrentSet(e).Items[n].State;
        Rect r = ItemRect(e, n);
        if (state == kItemLocked) {
            CopyRect(v.Plate, Rect{0, 0, v.Plate.Width(), v.Plate.Height()}, e.CompositionSurface,
                     r.x, r.y);
        } else if (state == kItemComplete) {
            CopyRect(e.Scene.CentreCharacterLayer, r, e.CompositionSurface, r.x, r.y);
        }
    }
}

}  // namespace

bool LoadViewerPicture(EngineState& e, std::string_view name, Surface& target) {
    Surface picture;
    if (name.empty() || !LoadPicture(e.Archives, name, picture)) return false;
    target.Resize(kScreenWidth, kScreenHeight);
    CopyRect(picture, Rect{0, 0, picture.Width(), picture.Height()}, target, 0, 0);
    return true;
}

void DrawViewerPage(EngineState& e) {
    ViewerState& v = e.Viewer;
    std::fill(v.Hover.begin(), v.Hover.begin() + kHitExit + 1, 0);
    const std::string& triple = CurrentSet(e).Triple;
    LoadViewerPicture(e, TripleName(triple, 0), e.CompositionSurface);
    LoadViewerPicture(e, TripleName(triple, 1), e.Scene.BackgroundLayer);
    LoadViewerPicture(e, TripleName(triple, 2), e.Scene.CentreCharacterLayer);
    DrawItems(e);
    if (v.Page.Type == ViewerPageType::Gallery) DrawCompletion(e);
    CopyRect(e.CompositionSurface, Rect{0, 0, kScreenWidth, kScreenHeight}, e.DisplaySurface, 0, 0);
    ShowOnDrawingArea(e, e.DisplaySurface);
}

int ViewerHitTest(const EngineState& e, int x, int y) {
    const ViewerPage& p = Page(e);
    for (int n = 1; n <= kViewerItems; ++n) {
        int state = CurrentSet(e).Items[n].State;
        if ((state == kItemPartial || state == kItemComplete) && ItemHolds(e, n, x, y)) return n;
    }
    int code = 0;
    if (p.Next.Holds(x, y)) code = kHitNext;
    if (p.Prev.Holds(x, y)) code = kHitPrev;
    if (p.Exit.Holds(x, y)) code = kHitExit;
    for (int n = 0; n < kViewerSets; ++n) {
        if (p.Tabs[n].Holds(x, y)) return kHitTab + n;
    }
    for (int n = 0; n < kViewerLinks; ++n) {
        if (p.Links[n].Holds(x, y)) return kHitLink + n;
    }
    return code;
}

Rect ViewerCodeRect(const EngineState& e, int code) {
    const ViewerPage& p = Page(e);
    if (code >= 1 && code <= kViewerItems) return ItemRect(e, code);
    if (code == kHitNext) return BoxRect(p.Next);
    if (code == kHitPrev) return BoxRect(p.Prev);
    if (code == kHitExit) return BoxRect(p.Exit);
    if (code >= kHitTab && code < kHitTab + kViewerSets) return BoxRect(p.Tabs[code - kHitTab]);
    if (code >= kHitLink && code < kHitLink + kViewerLinks)
        return BoxRect(p.Links[code - kHitLink]);
    return Rect{};
}

void ShowHoverArea(EngineState& e, const Rect& area) {
    Rect written = CopyRect(e.Scene.BackgroundLayer, area, e.DisplaySurface, area.x, area.y);
    if (written.w > 0 && written.h > 0) ShowOnDrawingArea(e, e.DisplaySurface, written);
}

void FadeHighlight(EngineState& e, int code) {
    int& counter = e.Viewer.Hover[code];
    counter -= 1;
    Rect r = ViewerCodeRect(e, code);
    const Surface& hover = e.Scene.BackgroundLayer;
    const Surface& base = e.CompositionSurface;
    Surface& out = e.DisplaySurface;
    int width = std::min({hover.Width(), base.Width(), out.Width()});
    int height = std::min({hover.Height(), base.Height(), out.Height()});
    int64_t left = std::max(r.x, 0), top = std::max(r.y, 0);
    int64_t right = std::min<int64_t>(int64_t{r.x} + r.w, width);
    int64_t bottom = std::min<int64_t>(int64_t{r.y} + r.h, height);
    if (right <= left || bottom <= top) return;
    // Rows go by whole groups of eight pixels, as far as the surfaces reach.
    int64_t pixels = std::min<int64_t>((right - left + 7) / 8 * 8, width - left);
    int groups = static_cast<int>(pixels * 3 / 8);
    int weight = kFadeStep * counter;
    for (int64_t y = top; y < bottom; ++y) {
        size_t at = static_cast<size_t>(left) * 3;
        int row = static_cast<int>(y);
        CrossFadeRow(hover.Row(row) + at, base.Row(row) + at, groups, weight, out.Row(row) + at);
    }
}

}  // namespace vespin
