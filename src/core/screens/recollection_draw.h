#pragma once
// The recollection screen's drawing: the screen picture with its page tabs, the grid of the
// current page's scene titles, the panel of slot tabs, name and entries, and the hover and
// pressed looks drawn straight onto the drawing area.

#include <string>

#include "core/graphics/surface.h"

namespace vespin {

struct EngineState;

inline constexpr int kPanelLeft = 546, kPanelTop = 64;
inline constexpr int kPanelWidth = 240, kPanelHeight = 446;

struct RecollectionButton {
    int Code;
    Rect Hit;            // on the drawing area
    int ImageX, ImageY;  // the hover image in ss_btn; the pressed one lies directly below
};

inline constexpr RecollectionButton kRecollectionButtons[] = {
    {301, {595, 2, 144, 50}, 0, 96},     {302, {696, 522, 86, 54}, 252, 96},
    {303, {629, 522, 54, 54}, 144, 96},  {304, {563, 522, 54, 54}, 198, 96},
    {305, {430, 546, 72, 30}, 245, 264}, {306, {348, 546, 72, 30}, 245, 204},
    {307, {724, 69, 53, 52}, 48, 196},
};

// Where grid cell c is drawn.
inline int CellX(int c) {
    return 43 + 160 * (c % 3);
}
inline int CellY(int c) {
    return 77 + 12 * (c / 3);
}

// The screen picture and the page tabs into the DisplaySurface (a page above 9 becomes 0).
void DrawRecollectionBackground(EngineState& e);
// The current page's cells: fills the cell table and draws the reached headers and scenes.
void DrawRecollectionList(EngineState& e);
// The panel of the current slot, into the panel picture and the DisplaySurface.
void DrawRecollectionPanel(EngineState& e);
// The title of cell c in red into the DisplaySurface (the selected scene).
void DrawSelectedCell(EngineState& e, int cell);

// "%02d:%s" for entry j of the current slot; empty when the entry is not a catalogue line.
std::string EntryText(const EngineState& e, int j);

// Hover looks, on the drawing area only.
void ShowCellHover(EngineState& e, int cell);
void ShowEntryHover(EngineState& e, int j);
void ShowButtonImage(EngineState& e, const RecollectionButton& button, bool pressed);
void ShowTabHover(EngineState& e, int tab);
void ShowPanelOnDrawingArea(EngineState& e);

}  // namespace vespin
