#pragma once
// Row operations on 24-bit surfaces (blue, green, red). Their rounding is part of the engine's
// look: each has a plain scalar definition (pixel_kernels_scalar.cpp), and the vector versions the
// processor runs must give the same bytes.
//
// The row operations trust their caller for sizes, like any row loop. The surface operations
// check them: they clip to what every surface involved holds, and a call that asks for rows or
// columns a surface does not have draws less, never outside it.

#include <cstdint>

#include "core/graphics/surface.h"

namespace vespin {

// The full-screen operations walk the drawing area's rows: 600 rows of 2400 bytes.

// Cross-fade weights run from 0 (all y) to 256 (all x); others are clamped into that range.
inline constexpr int kFullWeight = 256;

// ---- Row operations ---------------------------------------------------------------------------

// 8 * groups bytes of x * a + y * (256 - a). Bytes 0..3 of each group of 8 give
// (x * a + y * (256 - a)) >> 8, bytes 4..7 give ((x * a) >> 8) + ((y * (256 - a)) >> 8), which
// can be one less; both belong to the engine's fades.
void CrossFadeRow(const uint8_t* x, const uint8_t* y, int groups, int weight, uint8_t* out);

// Blends the floor(8 * groups / 3) pixels of `source` over those of `background` by the first
// byte m of each `mask` pixel: 0 keeps the background, 255 takes the source, otherwise each byte
// is ((b * (255 - m)) >> 8) + ((s * m) >> 8). `out` may be `background` (drawing in place).
void MaskedBlendPixels(const uint8_t* background, const uint8_t* source, int groups,
                       const uint8_t* mask, uint8_t* out);

// Blends `pixels` pixels of `dst` toward the pixels of `colour`, by the alpha in the first byte of
// each 3-byte pixel of `alpha`: 0 leaves the pixel, 255 takes the colour exactly, otherwise each
// channel becomes ((d * (255 - a)) >> 8) + ((c * a) >> 8).
void BlendWithColour(uint8_t* dst, const uint8_t* colour, const uint8_t* alpha, int pixels);

// ---- Surface operations -----------------------------------------------------------------------
// Each works on the rows and bytes that all its surfaces hold; the full-screen ones stop at the
// drawing area (600 rows of 2400 bytes). Showing the result is the caller's business: the engine
// copies the output to the drawing area after the full-screen fade and the weight-map blend.

// Full-screen cross-fade: out = x * a + y * (256 - a), CrossFadeRow over 600 rows of 300 groups.
// x is the picture faded in.
void CrossFadeSurface(const Surface& x, const Surface& y, int weight, Surface& out);

// Block cross-fade: the same over the 80 x 60 block whose top-left pixel is (left, top): rows
// top..top + 59, 30 groups from pixel `left`. Used with x = the previous frame, y = the display.
void CrossFadeBlock(const Surface& x, const Surface& y, int left, int top, int weight,
                    Surface& out);
inline constexpr int kFadeBlockWidth = 80;
inline constexpr int kFadeBlockHeight = 60;

// work = ((previous * (255 - m)) >> 8) + ((display * m) >> 8) per byte, m from `alpha_map`.
void WeightMapBlend(const Surface& display, const Surface& previous, const Surface& alpha_map,
                    Surface& work);

// alpha_map = min(alpha_map + shape_map, 255), byte by byte.
void AccumulateMap(Surface& alpha_map, const Surface& shape_map);

// destination = min((source * a) >> 8, 255) per byte. Negative weights act as 0.
void ScaleSurface(const Surface& source, Surface& destination, int weight);

// out = min(((p * a) >> 8) + q, 255) per byte. Negative weights act as 0.
void ScaleAddSurface(const Surface& p, const Surface& q, Surface& out, int weight);

// out = min(p + q, 255) over p's height and floor(3 * p's width / 8) groups of each row; the
// bytes past the last whole group are left as they are.
void AddSurfaces(const Surface& p, const Surface& q, Surface& out);

// Draws `picture` through `mask` (same size; byte 0 of each mask pixel is the opacity) with its
// top-left corner at (x, y), clipped to the destination. Whole runs of 8 pixels use the masked
// blend; the last (width mod 8) pixels of each row use d = min(max(d - k, 0) + p, 255) with k the
// mask byte at the same place. A mask smaller than the picture limits what is drawn.
void SpriteBlit(Surface& destination, const Surface& picture, int x, int y, const Surface& mask);

// Draws a picture whose upper half is the image and lower half its mask, at (x, y), with the
// masked blend over floor(3w / 8) groups a row. A picture that does not fit wholly inside the
// destination (or a negative position) draws nothing and returns false; the engine traces
// "ILLEGAL BMP" for it.
bool StackedSpriteBlit(Surface& destination, int x, int y, const Surface& picture);

}  // namespace vespin
