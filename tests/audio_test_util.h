#pragma once
// Sounds made on the spot for the audio tests.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/audio/wady.h"
#include "core/host/sound_device.h"

namespace vespin::test {

// A sine tone of `frames` frames (the right channel at half amplitude, inverted).
inline std::vector<int16_t> Tone(const PcmFormat& f, size_t frames, double hz = 440.0,
                                 double amplitude = 12000.0) {
    std::vector<int16_t> out;
    for (size_t i = 0; i < frames; ++i) {
        double v = amplitude * std::sin(2 * 3.14159265358979 * hz * i / f.SampleRate);
        out.push_back(static_cast<int16_t>(v));
        if (f.Channels == 2) out.push_back(static_cast<int16_t>(-v / 2));
    }
    return out;
}

// A header with the given fields and a 16-bit format record, followed by `data`.
inline std::vector<uint8_t> RawWady(int channels, int rate, std::vector<uint8_t> data,
                                    uint32_t pcm_bytes, uint32_t samples_per_channel = 0,
                                    uint8_t scale = 0) {
    wady::Header h;
    h.Channels = static_cast<uint16_t>(channels);
    h.SampleRate = static_cast<uint32_t>(rate);
    h.CodedLength = static_cast<uint32_t>(data.size());
    h.SamplesPerChannel = samples_per_channel;
    h.PcmBytes = pcm_bytes;
    h.Scale = scale;
    std::vector<uint8_t> entry(wady::kHeaderSize);
    wady::WriteHeader(h, entry.data());
    entry.insert(entry.end(), data.begin(), data.end());
    return entry;
}

// A mono coding R channel block: the unread field, the code count, the initial sample, codes.
inline std::vector<uint8_t> RBlock(uint32_t code_count, int16_t initial,
                                   const std::vector<uint8_t>& codes) {
    std::vector<uint8_t> b(10 + codes.size(), 0);
    for (int i = 0; i < 4; ++i)
        b[4 + i] = static_cast<uint8_t>(code_count >> (8 * i));
    b[8] = static_cast<uint8_t>(initial);
    b[9] = static_cast<uint8_t>(static_cast<uint16_t>(initial) >> 8);
    std::copy(codes.begin(), codes.end(), b.begin() + 10);
    return b;
}

}  // namespace vespin::test
