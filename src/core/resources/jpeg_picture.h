#pragma once
// JPEG entries (vg_gjp.vsp, and the frames of animations), decoded from memory at full size to
// 24-bit blue-green-red straight into the surface's rows.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/graphics/surface.h"
#include "core/resources/picture.h"

namespace vespin {

// Decodes a whole JPEG. On success `target` becomes the picture; on any failure it is untouched.
// A stream that ends before its last scan is a failure (not a picture padded with grey), as is a
// picture larger than `max_pixels` or a progressive stream of absurdly many scans.
PictureError DecodeJpegPicture(std::span<const uint8_t> data, Surface& target,
                               int64_t max_pixels = kMaxPicturePixels);

// One decoder kept for a whole animation: a single libjpeg object, reused picture after picture,
// that writes each picture's rows straight into a region of a target surface. Nothing is
// allocated per picture once the widest picture has been seen.
class JpegFrameDecoder {
  public:
    JpegFrameDecoder();
    ~JpegFrameDecoder();
    JpegFrameDecoder(const JpegFrameDecoder&) = delete;
    JpegFrameDecoder& operator=(const JpegFrameDecoder&) = delete;

    // Decodes `data` and draws it with its top-left corner at (x, y) of `target`, clipped to the
    // target; rows that would land below it are not decoded at all. `drawn` receives the
    // rectangle of `target` written (empty when none). Returns false when the stream is not a
    // whole JPEG; the rows written before the failure stay, as the decoder produced them.
    bool Draw(std::span<const uint8_t> data, Surface& target, int x, int y, Rect& drawn);

    struct Session;

  private:
    std::unique_ptr<Session> m_session;
    std::vector<uint8_t> m_scratch;  // one row, for rows that land outside the target
};

}  // namespace vespin
