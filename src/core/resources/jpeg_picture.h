#pragma once
// JPEG entries (vg_gjp.vsp, and the frames of animations), decoded from memory at full size to
// 24-bit blue-green-red straight into the surface's rows.

#include <cstdint>
#include <span>

#include "core/graphics/surface.h"
#include "core/resources/picture.h"

namespace vespin {

// Decodes a whole JPEG. On success `target` becomes the picture; on any failure it is untouched.
// A stream that ends before its last scan is a failure (not a picture padded with grey), as is a
// picture larger than `max_pixels` or a progressive stream of absurdly many scans.
PictureError DecodeJpegPicture(std::span<const uint8_t> data, Surface& target,
                               int64_t max_pixels = kMaxPicturePixels);

}  // namespace vespin
