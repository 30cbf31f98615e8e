#include "core/audio/wav_file.h"

#include <algorithm>
#include <cstring>

namespace vespin {

namespace {

// No sound device plays faster than this, and a byte rate much faster would not fit its field.
constexpr int kMaxSampleRate = 200000;

// Writes little-endian values and tags at a cursor into storage sized up front: growing the vector
// byte by byte both costs more and trips a false overflow warning in GCC 12.
struct ByteWriter {
    uint8_t* At;
    void Put(uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            *At++ = static_cast<uint8_t>(v >> (8 * i));
    }
    void Tag(const char* tag) {
        std::memcpy(At, tag, 4);
        At += 4;
    }
};

uint32_t Get(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<uint32_t>(p[i]) << (8 * i);
    return v;
}

}  // namespace

std::vector<uint8_t> EncodeWav(const PcmFormat& format, std::span<const int16_t> samples) {
    constexpr size_t kHeaderBytes = 44;
    uint32_t data_bytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out(kHeaderBytes + data_bytes);
    ByteWriter w{out.data()};
    w.Tag("RIFF");
    w.Put(36 + data_bytes, 4);
    w.Tag("WAVE");
    w.Tag("fmt ");
    w.Put(16, 4);
    w.Put(1, 2);
    w.Put(static_cast<uint32_t>(format.Channels), 2);
    w.Put(static_cast<uint32_t>(format.SampleRate), 4);
    w.Put(static_cast<uint32_t>(format.SampleRate) * static_cast<uint32_t>(format.BlockAlign()), 4);
    w.Put(static_cast<uint32_t>(format.BlockAlign()), 2);
    w.Put(16, 2);
    w.Tag("data");
    w.Put(data_bytes, 4);
    for (int16_t s : samples)
        w.Put(static_cast<uint16_t>(s), 2);
    return out;
}

bool DecodeWav(std::span<const uint8_t> bytes, PcmFormat& format, std::vector<int16_t>& samples,
               std::string& error) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        error = "not a RIFF WAVE file";
        return false;
    }
    bool have_format = false;
    size_t at = 12;
    while (bytes.size() - at >= 8) {
        const uint8_t* chunk = bytes.data() + at;
        uint64_t size = Get(chunk + 4, 4);
        uint64_t available = bytes.size() - at - 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || size > available) break;
            int tag = static_cast<int>(Get(chunk + 8, 2));
            format.Channels = static_cast<int>(Get(chunk + 10, 2));
            format.SampleRate = static_cast<int>(Get(chunk + 12, 4));
            int bits = static_cast<int>(Get(chunk + 22, 2));
            if (tag != 1 || bits != 16 || (format.Channels != 1 && format.Channels != 2) ||
                format.SampleRate <= 0 || format.SampleRate > kMaxSampleRate) {
                error = "only 16-bit PCM WAV, mono or stereo, up to 200000 Hz, is supported";
                return false;
            }
            have_format = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!have_format) break;
            // A data chunk that claims more than the file holds is read as far as it goes.
            size_t n = static_cast<size_t>(std::min(size, available)) / format.BlockAlign() *
                       format.BlockAlign() / 2;
            samples.resize(n);
            for (size_t i = 0; i < n; ++i)
                samples[i] = static_cast<int16_t>(Get(chunk + 8 + 2 * i, 2));
            return true;
        }
        at += 8 + static_cast<size_t>(std::min(size + (size & 1), available));
    }
    error = have_format ? "no data chunk" : "no format chunk";
    return false;
}

}  // namespace vespin
