#pragma once
// Ogg Vorbis encoding through libvorbisenc, for the demo's voice and for tests.

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/sound_device.h"

namespace vespin {

// `quality` is libvorbisenc's VBR quality (-0.1 .. 1.0). Empty on failure.
std::vector<uint8_t> EncodeOggVorbis(const PcmFormat& format, std::span<const int16_t> samples,
                                     float quality = 0.4f);

}  // namespace vespin
