#pragma once
// Pictures for the content tool: entries decoded the way the engine decodes them, and pictures
// packed with whichever optional stages make the entry smallest.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/graphics/surface.h"
#include "core/resources/picture.h"

namespace vespin {

enum class EntryFormat : uint8_t { Jpeg, Packed };

// JPEG entries begin with the start-of-image marker; anything else is read as a packed picture.
EntryFormat DetectEntryFormat(std::span<const uint8_t> bytes);

// Decodes one picture entry (JPEG or packed) into `out`; on failure `out` is untouched.
PictureError DecodePictureEntry(std::span<const uint8_t> bytes, Surface& out);

// Which optional stages the encoder may use.
struct StageChoice {
    bool RunLength = true;
    bool Delta = true;
};

// Packs `picture` with every allowed combination of the optional stages and keeps the smallest
// result, which is checked to decode to the same bytes. False with `error` set for a picture the
// format cannot hold (sides above 65535 pixels, or an empty one).
bool EncodeSmallestPacked(const Surface& picture, StageChoice allowed, std::vector<uint8_t>& out,
                          std::string& error);

// The picture as raw rows of blue, green, red from the top row down, with no header.
std::vector<uint8_t> RawBgr(const Surface& picture);

enum class JpegColour : uint8_t {
    Colour,  // the picture's blue, green and red
    Grey,    // one channel: the picture's first (blue) byte of each pixel
};
// A baseline JPEG of `picture` at `quality` (1..100).
std::vector<uint8_t> EncodeJpeg(const Surface& picture, int quality,
                                JpegColour colour = JpegColour::Colour);

}  // namespace vespin
