#pragma once
// The message window's two styles and everything that depends on them: the geometry, the window
// picture and its blend over the scene, and drawing the page onto the DisplaySurface.

#include "core/graphics/surface.h"

namespace vespin {

struct EngineState;

// The window's geometry in screen pixels; steps are per byte of text.
struct WindowGeometry {
    int Left, Top, Width, Height;
    int MarginLeft, MarginTop;
    int ColumnStep, RowStep;
    int NameLeft, NameTop;
    int MarkerLeft, MarkerTop;
    int FullLeft, FullTop;
    int FullColumnStep, FullRowStep;
};

// Picture style (WINTYPE != 0): "sys_tw" behind the text. Tinted style: a colour from TXBG_*.
inline constexpr WindowGeometry kPictureStyle{10, 400, 784, 192, 28, 20, 12, 26,
                                              70, 404, 586, 550, 20, 32, 14, 38};
inline constexpr WindowGeometry kTintedStyle{0,  400, 800, 200, 28, 10, 15, 30,
                                             60, 404, 770, 560, 20, 32, 14, 38};

const WindowGeometry& Geometry(const EngineState& e);

// Sets the geometry from WINTYPE, prepares the window picture, rebuilds the font, recomposes.
void ApplyWindowStyle(EngineState& e);
// The tinted style's window picture: the colour above, its opacity below, fading in over the
// top 16 rows.
void BuildTintedWindowSource(const EngineState& e, Surface& source);

// Where a character of the page is drawn (its cell's top-left).
struct CellPosition {
    int X, Y;
};
CellPosition CharacterPosition(const EngineState& e, int row, int column, bool name_row);

}  // namespace vespin
