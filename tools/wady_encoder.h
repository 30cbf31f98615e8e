#pragma once
// Encoders for the engine's sound format: 16-bit PCM (mono or stereo) into a WADY entry of
// coding R, D or M. Decoding an entry made here gives the samples back within the coding's
// error; the encoders pick each code by trying them all against the decoder's own arithmetic.

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/sound_device.h"

namespace vespin {

enum class WadyCoding : uint8_t { R, D, M };

struct WadyEncodeOptions {
    // Coding M: the frame the track loops back to when its data ends (0 = the start).
    uint32_t LoopFrame = 0;
    // Coding M: the step multiplier; 0 picks one from the signal.
    uint8_t Scale = 0;
};

// `samples` are interleaved frames of `format`. Returns the whole entry, header included.
std::vector<uint8_t> EncodeWady(WadyCoding coding, const PcmFormat& format,
                                std::span<const int16_t> samples,
                                const WadyEncodeOptions& options = {});

}  // namespace vespin
