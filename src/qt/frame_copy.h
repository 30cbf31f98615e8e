#pragma once
// Copying the engine's pictures (blue, green, red; 3 bytes a pixel) into the QImage a widget
// paints from.

#include <QImage>
#include <QRect>

#include "core/graphics/surface.h"

namespace vespin {

// Copies `area` of `source` to the same place of `target` (Format_RGB32), clipped to both
// pictures. Returns the rectangle actually copied, empty when nothing overlaps.
QRect CopyBgrToRgb32(const Surface& source, const Rect& area, QImage& target);

}  // namespace vespin
