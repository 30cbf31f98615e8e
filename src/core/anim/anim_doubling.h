#pragma once
// animq's frames are stored at half size and doubled for the screen, by the AnimQuality setting:
// speed first makes every pixel a 2 x 2 block; quality first interpolates between neighbours.

#include "core/graphics/surface.h"

namespace vespin {

// Each pixel of `frame` becomes a 2 x 2 block of `doubled` (which is 2w x 2h; smaller surfaces
// take what fits).
void DoubleBySpeed(const Surface& frame, Surface& doubled);
// Even rows take each pixel and, between it and its right neighbour, their average; odd rows are
// the average of the even rows above and below. The average of bytes a and b is
// (a >> 1) + (b >> 1). The last two rows and the last two columns of `doubled` are not written:
// they keep what they held.
void DoubleByQuality(const Surface& frame, Surface& doubled);

}  // namespace vespin
