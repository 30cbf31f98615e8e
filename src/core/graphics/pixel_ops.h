#pragma once
// Row operations on 24-bit surfaces (blue, green, red). Their rounding is part of the engine's
// look: each has a plain scalar definition, and any faster version must give the same bytes.

#include <cstdint>

namespace vespin {

// Blends `pixels` pixels of `dst` toward the pixels of `colour`, by the alpha in the first byte of
// each 3-byte pixel of `alpha`: 0 leaves the pixel, 255 takes the colour exactly, otherwise each
// channel becomes ((d * (255 - a)) >> 8) + ((c * a) >> 8).
void BlendWithColour(uint8_t* dst, const uint8_t* colour, const uint8_t* alpha, int pixels);

}  // namespace vespin
