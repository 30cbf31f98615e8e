#pragma once
// Drawing the selection tree's buttons and columns, shared by its command and its pointer.

#include "core/graphics/surface.h"

namespace vespin {

struct EngineState;

inline constexpr int kTreeLeft = 26;
inline constexpr int kTreeTop = 123;
inline constexpr int kButtonWidth = 136;
inline constexpr int kButtonHeight = 30;
inline constexpr int kColumnHeight = kButtonHeight * 9;

inline int ColumnLeft(int depth) {
    return kTreeLeft + kButtonWidth * depth;
}

// Which row of a column stands out: highlighted, or (dimmed) the one row left normal while the
// others are dimmed because its sub-entries are open. Row -1 marks none.
struct ColumnMark {
    int Row = -1;
    bool Dimmed = false;
};

// Fills the column map of `depth` with the shown entries of that depth from entry `start` on
// (until the first entry of a smaller depth) and draws them.
void DrawColumn(EngineState& e, int start, int depth, ColumnMark mark);
// Draws the column of `depth` again from its first shown entry.
void RedrawColumn(EngineState& e, int depth, ColumnMark mark);
// Puts the scene back over `area` in the DisplaySurface and on the drawing area.
void RestoreTreeArea(EngineState& e, const Rect& area);

}  // namespace vespin
