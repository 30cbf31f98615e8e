#include "core/graphics/scene.h"

#include <algorithm>
#include <cstring>

#include "core/graphics/pixel_ops.h"
#include "core/graphics/transitions.h"
#include "core/shell/engine_state.h"
#include "core/text/message_window.h"

namespace vespin {

namespace {

// The overlapping top-left part of `source`, without resizing `target`.
void CopySurfaceInto(const Surface& source, Surface& target) {
    CopyRect(source, Rect{0, 0, source.Width(), source.Height()}, target, 0, 0);
}

bool SameSize(const Surface& a, const Surface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

// The centre character at the horizontal centre, blended in place row by row. A character wider
// than the screen, or one of odd width (whose centred byte offset would fall between pixels), is
// drawn through the clipped blit instead.
void DrawCentredCharacter(EngineState& e) {
    const Surface& picture = e.Scene.CentreCharacterLayer;
    const Surface& mask = e.Scene.CentreCharacterMask;
    int w = picture.Width();
    if (w <= 0 || !SameSize(picture, mask)) return;
    if (w > kScreenWidth || w % 2 != 0) {
        SpriteBlit(e.CompositionSurface, picture, (kScreenWidth - w) / 2, 0, mask);
        return;
    }
    int offset = (kScreenWidth * 3 - 3 * w) / 2;
    int groups = 3 * w / 8;
    int rows = std::min(picture.Height(), e.CompositionSurface.Height());
    for (int y = 0; y < rows; ++y) {
        uint8_t* row = e.CompositionSurface.Row(y) + offset;
        MaskedBlendPixels(row, picture.Row(y), groups, mask.Row(y), row);
    }
}

void DrawSideCharacter(EngineState& e, const Surface& picture, const Surface& mask, int centre_x) {
    if (picture.Empty() || !SameSize(picture, mask)) return;
    SpriteBlit(e.CompositionSurface, picture, centre_x - picture.Width() / 2, 0, mask);
}

void Darken(Surface& s, int level) {
    level = std::clamp(level, 0, 16);  // beyond 16 the bytes would wrap around
    for (int y = 0; y < s.Height(); ++y) {
        uint8_t* p = s.Row(y);
        for (int i = 0; i < s.Stride(); ++i)
            p[i] = static_cast<uint8_t>(p[i] * level / 16);
    }
}

void Sepia(Surface& s, bool grey) {
    for (int y = 0; y < s.Height(); ++y) {
        uint8_t* p = s.Row(y);
        for (int x = 0; x < s.Width(); ++x, p += 3) {
            int g = (p[0] + p[1] + p[2]) / 3;
            p[0] = static_cast<uint8_t>(grey ? g : g / 4);
            p[1] = static_cast<uint8_t>(grey ? g : g * 3 / 4);
            p[2] = static_cast<uint8_t>(g);
        }
    }
}

// Pixel (x, y) trades places with (799 - x, 599 - y) over the top 300 rows: a half turn.
void RotateHalfTurn(Surface& s) {
    if (s.Width() != kScreenWidth || s.Height() != kScreenHeight) return;
    for (int y = 0; y < kScreenHeight / 2; ++y) {
        uint8_t* top = s.Row(y);
        uint8_t* bottom = s.Row(kScreenHeight - 1 - y);
        for (int x = 0; x < kScreenWidth; ++x) {
            std::swap_ranges(top + x * 3, top + x * 3 + 3, bottom + (kScreenWidth - 1 - x) * 3);
        }
    }
}

}  // namespace

void DrawCentreCharacter(EngineState& e) {
    DrawCentredCharacter(e);
}

void ComposeScene(EngineState& e) {
    SceneState& sc = e.Scene;
    const IntBank<1000>& s = e.Vars.S;
    CopySurfaceInto(sc.BackgroundLayer, e.CompositionSurface);
    int shown = s[sys::kCharacterFlags];
    if (shown == kCentreShown) {
        int offset = s[32];
        if (offset == 0) {
            DrawCentredCharacter(e);
        } else {
            DrawSideCharacter(e, sc.CentreCharacterLayer, sc.CentreCharacterMask, offset + 400);
        }
    } else {
        if (shown & kLeftShown)
            DrawSideCharacter(e, sc.LeftCharacterLayer, sc.LeftCharacterMask,
                              s[sys::kLeftCharacterX]);
        if (shown & kRightShown)
            DrawSideCharacter(e, sc.RightCharacterLayer, sc.RightCharacterMask,
                              s[sys::kRightCharacterX]);
    }
    ApplyColourEffect(e);
}

void ApplyColourEffect(EngineState& e) {
    Surface& c = e.CompositionSurface;
    switch (e.Vars.S[11]) {
        case 1:
            Darken(c, e.Vars.S[13]);
            break;
        case 2:
            Sepia(c, false);
            break;
        case 3:
            Sepia(c, true);
            break;
        case 4:
            RotateHalfTurn(c);
            break;
        default:
            break;
    }
}

void UpdateDisplay(EngineState& e) {
    if (!e.FullTextMode()) {
        CopySurfaceInto(e.CompositionSurface, e.DisplaySurface);
    } else {
        int style = e.Vars.S[9];
        if (style == 0) ClearPage(e);
        if (style == 0 || style == 1)
            ScaleSurface(e.CompositionSurface, e.DisplaySurface,
                         e.Vars.S[sys::kFullTextDarkness] * 16);
        if (style == 1) RedrawPageText(e);
    }
    // The scene behind the message window changed: its picture is composed again.
    e.Text.WindowImageValid = false;
    ComposeWindowImage(e);
    PaintWindowOntoDisplay(e);
}

void ShowScene(EngineState& e, int transition) {
    e.Shell.EngineBusy = true;
    e.Scene.ScenesShown += 1;
    CopySurfaceInto(e.DisplaySurface, e.Scene.PreviousFrameSurface);
    ComposeScene(e);
    UpdateDisplay(e);
    e.Scene.LastTransition = transition;
    RunTransition(e, transition);
}

}  // namespace vespin
