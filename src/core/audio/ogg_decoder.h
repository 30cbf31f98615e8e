#pragma once
// Ogg Vorbis voices, decoded whole from an archive entry held in memory.

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/sound_device.h"

namespace vespin {

struct DecodedSound {
    PcmFormat Format;
    std::vector<int16_t> Samples;  // interleaved
};

// Decodes `entry` with libvorbisfile. The result's length is the voice's trimmed length: the
// decoder reserves (channels + 2) bytes per sample frame, and trailing zero bytes are cut in
// 4-byte groups, but never below half of that reservation. False when the stream cannot be
// opened, has no samples, more than two channels, or would decode to more than
// wady::kMaxPcmBytes.
bool DecodeOgg(std::span<const uint8_t> entry, DecodedSound& out);

}  // namespace vespin
