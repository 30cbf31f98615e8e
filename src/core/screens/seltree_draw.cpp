// The selection tree's buttons: the scene under the button, the button image blended through its
// mask (normal, highlighted, or normal through a half-strength mask for dimmed), and the label in
// black with a white copy two pixels up and left.

#include <string_view>

#include "core/graphics/drawing_area.h"
#include "core/graphics/pixel_ops.h"
#include "core/screens/seltree_draw.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr int kLabelPoints = 16;
constexpr int kButtonGroups = kButtonWidth * 3 / 8;
static_assert(kButtonWidth * 3 % 8 == 0, "a button row is whole groups of the masked blend");

enum class Look { Normal, Highlighted, Dimmed };

PlainFont LabelFont(const EngineState& e) {
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{PointsToPixels(kLabelPoints), SizeUnit::Em};
    return font;
}

void DrawButton(EngineState& e, int depth, int row, Look look, std::string_view label) {
    SelectionTreeState& t = e.Simulation.Tree;
    int x = ColumnLeft(depth);
    int y = kTreeTop + kButtonHeight * (t.RowOffsets[depth] + row);
    Surface& work = t.WorkPicture;
    work.Fill(0, 0, 0);
    CopyRect(e.CompositionSurface, Rect{x, y, kButtonWidth, kButtonHeight}, work, 0, 0);
    const Surface& image = look == Look::Highlighted ? t.HighlightImage : t.NormalImage;
    const Surface& mask = look == Look::Highlighted ? t.HighlightMask
                          : look == Look::Dimmed    ? t.DimmedMask
                                                    : t.NormalMask;
    for (int r = 0; r < kButtonHeight; ++r)
        MaskedBlendPixels(work.Row(r), image.Row(r), kButtonGroups, mask.Row(r), work.Row(r));
    PlainFont font = LabelFont(e);
    DrawPlainText(e.TextRenderer.Fonts, work, 24, 6, label, font, kBlack);
    DrawPlainText(e.TextRenderer.Fonts, work, 22, 4, label, font, kWhite);
    Rect written = CopyRect(work, Rect{0, 0, kButtonWidth, kButtonHeight}, e.DisplaySurface, x, y);
    if (written.w > 0 && written.h > 0) ShowOnDrawingArea(e, e.DisplaySurface, written);
}

}  // namespace

void DrawColumn(EngineState& e, int start, int depth, ColumnMark mark) {
    SelectionTreeState& t = e.Simulation.Tree;
    auto& map = t.ColumnMaps[depth];
    map.fill(kNoEntry);
    const std::vector<TreeEntry>& entries = t.Trees[t.CurrentTree];
    int count = static_cast<int>(entries.size());
    int row = 0;
    for (int i = start; i >= 0 && i < count && entries[i].Depth >= depth; ++i) {
        const TreeEntry& entry = entries[i];
        if (entry.Depth != depth || !e.Vars.T.Test(entry.Flag)) continue;
        // A column has room for nine buttons; the entries past them are not shown.
        if (row == kColumnRows) break;
        map[row] = i;
        Look look = Look::Normal;
        if (mark.Dimmed) {
            look = row == mark.Row ? Look::Normal : Look::Dimmed;
        } else if (row == mark.Row) {
            look = Look::Highlighted;
        }
        DrawButton(e, depth, row, look, entry.Label.View());
        ++row;
    }
}

void RedrawColumn(EngineState& e, int depth, ColumnMark mark) {
    DrawColumn(e, e.Simulation.Tree.ColumnMaps[depth][0], depth, mark);
}

void RestoreTreeArea(EngineState& e, const Rect& area) {
    Rect written = CopyRect(e.CompositionSurface, area, e.DisplaySurface, area.x, area.y);
    if (written.w > 0 && written.h > 0) ShowOnDrawingArea(e, e.DisplaySurface, written);
}

}  // namespace vespin
