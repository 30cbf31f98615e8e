#pragma once
// The packed picture format of the vg_gra archives: a 16-byte header, then a stream that went
// through up to three stages: a per-channel delta filter (optional), a run-length stage
// (optional) and a sliding-window compressor. Decoding undoes them in reverse order.
//
// Header, little-endian:
//   0  2  reserved, not examined
//   2  1  flags: 0x40 run-length stage applied, 0x80 delta filter applied
//   3  1  bytes per pixel (always 3)
//   4  4  C, length of the compressed stream after the header
//   8  4  M, length of the run-length stream (the window stage's output) when 0x40 is set
//   12 2  width, 14 2  height (unsigned)
// The raw picture is width * height * 3 bytes, blue-green-red, rows from the top, no padding.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/graphics/surface.h"
#include "core/resources/picture.h"

namespace vespin {

inline constexpr size_t kPackedHeaderSize = 16;
inline constexpr uint8_t kPackedRunLength = 0x40;
inline constexpr uint8_t kPackedDelta = 0x80;

struct PackedHeader {
    uint16_t Reserved = 0;
    uint8_t Flags = 0;
    uint8_t BytesPerPixel = 3;
    uint32_t CompressedLength = 0;    // C
    uint32_t IntermediateLength = 0;  // M, with kPackedRunLength
    uint16_t Width = 0;
    uint16_t Height = 0;

    size_t RawSize() const { return size_t{Width} * Height * 3; }
};

// False when fewer than 16 bytes are given.
bool ParsePackedHeader(std::span<const uint8_t> bytes, PackedHeader& header);
void WritePackedHeader(const PackedHeader& header, uint8_t* out);

// Decodes one packed picture from bytes that begin at its header; bytes past the C bytes of the
// stream are ignored. On success `target` becomes the picture; on failure it is untouched.
PictureError DecodePackedPicture(std::span<const uint8_t> stream, Surface& target);

// The stages on their own. Each writes exactly `out_size` bytes of `out` on success and never
// anything past them: a last token that would run past the end is cut there.
//
// Window stage: a control byte announces eight tokens, from its top bit down: 0 a literal byte,
// 1 a code (short match, literal run, medium match or long match).
PictureError InflateWindowStage(std::span<const uint8_t> in, uint8_t* out, size_t out_size);
// Run-length stage: literal blocks of 1..128 bytes and runs of a 1..4-byte unit repeated
// 1..8192 times; a run that would pass the end is cut to the whole units that fit.
PictureError ExpandRunLengthStage(std::span<const uint8_t> in, uint8_t* out, size_t out_size);
// Delta filter: each of the three channels is a running sum of its bytes.
void UndoDeltaFilter(uint8_t* data, size_t size);

struct PackOptions {
    bool RunLength = true;
    bool Delta = true;
};
// Encodes a picture in the packed format; decoding the result gives back the same bytes. Returns
// false (and leaves `out` empty) for a picture whose sides do not fit the header.
bool EncodePackedPicture(const Surface& picture, const PackOptions& options,
                         std::vector<uint8_t>& out);

}  // namespace vespin
