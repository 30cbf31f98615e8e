#include "core/text/window_style.h"

#include <algorithm>
#include <cstring>

#include "core/graphics/pixel_ops.h"
#include "core/resources/picture.h"
#include "core/screens/overlays.h"
#include "core/screens/status_panels.h"
#include "core/shell/engine_state.h"
#include "core/text/message_window.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

// The part of the window picture the quick buttons are drawn over, kept to restore them.
constexpr Rect kQuickButtonArea{616, 26, 160, 160};

void LoadWindowPicture(EngineState& e, const WindowGeometry& g) {
    Surface& source = e.Text.WindowSource;
    Surface picture;
    bool loaded = LoadPicture(e.Archives, "sys_tw", picture);
    source.Resize(g.Width, 2 * g.Height);
    if (loaded) CopyRect(picture, Rect{0, 0, picture.Width(), picture.Height()}, source, 0, 0);
}

}  // namespace

const WindowGeometry& Geometry(const EngineState& e) {
    return e.Settings.PictureWindowStyle ? kPictureStyle : kTintedStyle;
}

void BuildTintedWindowSource(const EngineState& e, Surface& source) {
    const WindowGeometry& g = kTintedStyle;
    const SettingsValues& s = e.Settings;
    source.Resize(g.Width, 2 * g.Height);
    auto byte = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
    for (int r = 0; r < g.Height; ++r) {
        uint8_t* colour = source.Row(r);
        uint8_t* alpha = source.Row(g.Height + r);
        uint8_t level = byte(r < 16 ? s.TXBG_A * r / 16 : s.TXBG_A);
        for (int x = 0; x < g.Width; ++x) {
            colour[x * 3] = byte(s.TXBG_B), colour[x * 3 + 1] = byte(s.TXBG_G);
            colour[x * 3 + 2] = byte(s.TXBG_R);
            alpha[x * 3] = alpha[x * 3 + 1] = alpha[x * 3 + 2] = level;
        }
    }
}

void ApplyWindowStyle(EngineState& e) {
    const WindowGeometry& g = Geometry(e);
    if (e.Settings.PictureWindowStyle) {
        LoadWindowPicture(e, g);
    } else {
        BuildTintedWindowSource(e, e.Text.WindowSource);
    }
    e.Text.WindowImage.Resize(g.Width, g.Height);
    e.Text.CleanWindowImage.Resize(g.Width, g.Height);
    e.Text.QuickButtonBackdrop.Resize(kQuickButtonArea.w, kQuickButtonArea.h);
    RebuildFont(e);
    e.Text.WindowImageValid = false;
    ComposeWindowImage(e);
}

CellPosition CharacterPosition(const EngineState& e, int row, int column, bool name_row) {
    const WindowGeometry& g = Geometry(e);
    bool full = e.FullTextMode();
    if (name_row) {
        int x = full ? g.FullLeft + column * g.FullColumnStep : g.NameLeft + column * g.ColumnStep;
        return {x + e.Text.NameOffset + 2, g.NameTop + 2};
    }
    if (full) return {g.FullLeft + column * g.FullColumnStep, g.FullTop + row * g.FullRowStep};
    return {g.Left + g.MarginLeft + column * g.ColumnStep, g.Top + g.MarginTop + row * g.RowStep};
}

void ComposeWindowImage(EngineState& e) {
    const WindowGeometry& g = Geometry(e);
    TextState& t = e.Text;
    if (e.FullTextMode()) {
        Rect backdrop{g.Left + kQuickButtonArea.x, g.Top + kQuickButtonArea.y, kQuickButtonArea.w,
                      kQuickButtonArea.h};
        CopyRect(e.DisplaySurface, backdrop, t.QuickButtonBackdrop, 0, 0);
        return;
    }
    if (t.WindowImage.Width() != g.Width || t.WindowImage.Height() != g.Height)
        t.WindowImage.Resize(g.Width, g.Height);
    if (t.WindowImageValid) {
        t.WindowImage = t.CleanWindowImage;
        DrawQuickButtons(e, QuickButtonTarget::WindowImage);
        return;
    }
    bool has_source = t.WindowSource.Width() >= g.Width && t.WindowSource.Height() >= 2 * g.Height;
    for (int r = 0; r < g.Height; ++r) {
        uint8_t* row = t.WindowImage.Row(r);
        int y = g.Top + r;
        const Surface& scene = e.CompositionSurface;
        // A scene nothing has been drawn on yet is black; reading it would only allocate it.
        if (y < scene.Height() && g.Left + g.Width <= scene.Width()) {
            if (scene.PixelsPending()) {
                std::memset(row, 0, g.Width * 3);
            } else {
                std::memcpy(row, scene.Row(y) + g.Left * 3, g.Width * 3);
            }
        }
        if (has_source)
            BlendWithColour(row, t.WindowSource.Row(r), t.WindowSource.Row(g.Height + r), g.Width);
    }
    CopyRect(t.WindowImage, kQuickButtonArea, t.QuickButtonBackdrop, 0, 0);
    t.CleanWindowImage = t.WindowImage;
    DrawQuickButtons(e, QuickButtonTarget::WindowImage);
    t.WindowImageValid = true;
}

void PaintWindowOntoDisplay(EngineState& e) {
    if (e.Text.WindowShown && !e.FullTextMode()) {
        const WindowGeometry& g = Geometry(e);
        CopyRect(e.Text.WindowImage, Rect{0, 0, g.Width, g.Height}, e.DisplaySurface, g.Left,
                 g.Top);
        DrawQuickButtons(e, QuickButtonTarget::DisplayOnly);
        RedrawPageText(e);
    }
    RefreshStatusPanels(e);
}

void RedrawPageText(EngineState& e) {
    const TextState& t = e.Text;
    if (t.PageEmpty) return;
    bool full = e.FullTextMode();
    int rows = full ? 15 : 6;
    int columns = full ? 52 : 48;
    int saved_offset = e.Text.NameOffset;
    int last_colour = -1;
    for (int row = 0; row < rows; ++row) {
        const auto& bytes = t.Page.Text[row];
        bool name_row = !full && row == 0;
        if (name_row) {
            int length =
                static_cast<int>(strnlen(reinterpret_cast<const char*>(bytes.data()), 100));
            e.Text.NameOffset = (120 - Geometry(e).ColumnStep * length) / 2;
        }
        for (int col = 0; col < columns; ++col) {
            uint8_t b = bytes[col];
            if (b == 0) continue;
            int width = (b >= 0x80 && col + 1 < kPageColumns) ? 2 : 1;
            std::string_view ch(reinterpret_cast<const char*>(bytes.data()) + col, width);
            int colour = t.Page.Colour[row][col];
            if (colour != last_colour) SelectTextColour(e, colour);
            last_colour = colour;
            bool blank = width == 2 && b == 0x81 && bytes[col + 1] == 0x40;
            if (!(full && blank)) {
                PrepareChar(e, ch);
                CellPosition p = CharacterPosition(e, row, col, name_row);
                DrawPreparedChar(e, e.DisplaySurface, p.X, p.Y);
            }
            col += width - 1;
        }
    }
    e.Text.NameOffset = saved_offset;
}

}  // namespace vespin
