#include "tools/wady_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/audio/wady.h"

namespace vespin {

namespace {

// How far a run's straight line may stray from the signal before single codes are used instead.
constexpr int kRunTolerance = 40;
// Codes after the signal so that the decoder's "last 300 codes start from zero" rule only ever
// meets padding, which the full output buffer stops it from reaching.
constexpr int kTailCodes = 300;

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// One channel of `samples` (every `stride`-th sample from `first`), as a coding R block.
std::vector<uint8_t> EncodeRBlock(std::span<const int16_t> samples, size_t first, size_t stride) {
    std::vector<int16_t> x;
    for (size_t i = first; i < samples.size(); i += stride)
        x.push_back(samples[i]);
    std::vector<uint8_t> codes;
    uint32_t code_count = 0;
    int16_t v = x.empty() ? 0 : x[0];
    size_t i = 1;
    while (i < x.size()) {
        bool ran = false;
        for (int r = 7; r >= 0 && !ran; --r) {
            int length = wady::kRunLengths[r];
            if (i + length > x.size()) continue;
            int wanted = std::clamp(static_cast<int>(x[i + length - 1]), -32768, 32752);
            int16_t target = static_cast<int16_t>(
                std::clamp(static_cast<int>(std::lround(wanted / 16.0)) * 16, -32768, 32752));
            float step = static_cast<float>(target - v) / static_cast<float>(length);
            float a = v;
            bool close = true;
            for (int k = 0; k < length && close; ++k) {
                a = a + step;
                close = std::abs(static_cast<int>(a) - x[i + k]) <= kRunTolerance;
            }
            if (!close) continue;
            uint16_t w = static_cast<uint16_t>((static_cast<uint16_t>(target) & 0xFFF0) | r << 1);
            codes.push_back(static_cast<uint8_t>(w));
            codes.push_back(static_cast<uint8_t>(w >> 8));
            v = target;
            i += length;
            ran = true;
        }
        if (!ran) {
            int best_code = 0, best_error = 1 << 30;
            int16_t best_value = v;
            for (int c = 0; c < 128; ++c) {
                int16_t candidate =
                    (c & 0x40) ? static_cast<int16_t>(static_cast<uint16_t>((c & 0x3F) << 10))
                               : static_cast<int16_t>(v + wady::kTableC[c]);
                int error = std::abs(candidate - x[i]);
                if (error < best_error) {
                    best_error = error, best_code = c, best_value = candidate;
                }
            }
            codes.push_back(static_cast<uint8_t>(best_code << 1 | 1));
            v = best_value;
            i += 1;
        }
        code_count += 1;
    }
    for (int k = 0; k < kTailCodes; ++k)
        codes.push_back(0x81);  // "set to zero"
    code_count += kTailCodes;
    std::vector<uint8_t> block(10, 0);
    Put32(block, 0, static_cast<uint32_t>(codes.size()));
    Put32(block, 4, code_count);
    int16_t initial = x.empty() ? 0 : x[0];
    block[8] = static_cast<uint8_t>(initial);
    block[9] = static_cast<uint8_t>(static_cast<uint16_t>(initial) >> 8);
    block.insert(block.end(), codes.begin(), codes.end());
    return block;
}

std::vector<uint8_t> EncodeR(const PcmFormat& format, std::span<const int16_t> samples) {
    std::vector<uint8_t> data;
    if (format.Channels == 2) {
        std::vector<uint8_t> left = EncodeRBlock(samples, 0, 2);
        std::vector<uint8_t> right = EncodeRBlock(samples, 1, 2);
        // The right block starts at 56 + L, 4 bytes past where L's own field puts the left one.
        data.assign(4, 0);
        Put32(data, 0, static_cast<uint32_t>(left.size() - 4));
        data.insert(data.end(), left.begin(), left.end());
        data.insert(data.end(), right.begin(), right.end());
    } else {
        data = EncodeRBlock(samples, 0, 1);
    }
    return data;
}

std::vector<uint8_t> EncodeD(const PcmFormat& format, std::span<const int16_t> samples) {
    std::vector<uint8_t> data;
    data.reserve(samples.size());
    int16_t value[2] = {0, 0};
    for (size_t i = 0; i < samples.size(); ++i) {
        int16_t& v = value[format.Channels == 2 ? (i & 1) : 0];
        int best = 255, best_error = 1 << 30;
        for (int b = 0; b < 256; ++b) {
            int error = std::abs(static_cast<int16_t>(v + wady::kTableA[b]) - samples[i]);
            if (error < best_error) best_error = error, best = b;
        }
        v = static_cast<int16_t>(v + wady::kTableA[best]);
        data.push_back(static_cast<uint8_t>(best));
    }
    return data;
}

// A step multiplier that lets most sample-to-sample changes be one delta code: the largest
// delta of table B is 1000 times the scale.
uint8_t PickScale(const PcmFormat& format, std::span<const int16_t> samples) {
    std::vector<int> deltas;
    for (size_t i = format.Channels; i < samples.size(); ++i)
        deltas.push_back(std::abs(samples[i] - samples[i - format.Channels]));
    if (deltas.empty()) return 1;
    size_t at = deltas.size() * 99 / 100;
    std::nth_element(deltas.begin(), deltas.begin() + at, deltas.end());
    return static_cast<uint8_t>(std::clamp((deltas[at] + 999) / 1000, 1, 32));
}

std::vector<uint8_t> EncodeM(const PcmFormat& format, std::span<const int16_t> samples,
                             uint8_t scale, uint32_t loop_frame, std::array<int16_t, 2>& loop) {
    std::vector<uint8_t> data;
    data.reserve(samples.size());
    std::array<int16_t, 2> value{0, 0};
    size_t loop_sample = static_cast<size_t>(loop_frame) * format.Channels;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (i == loop_sample) loop = value;
        int16_t& v = value[format.Channels == 2 ? (i & 1) : 0];
        int best = 0x80, best_error = 1 << 30;
        int16_t best_value = 0;
        for (int b = 0; b < 256; ++b) {
            int16_t candidate = b >= 0x80
                                    ? static_cast<int16_t>(static_cast<uint16_t>((b & 0x7F) << 9))
                                    : static_cast<int16_t>(v + scale * wady::kTableB[b]);
            int error = std::abs(candidate - samples[i]);
            if (error < best_error) best_error = error, best = b, best_value = candidate;
        }
        v = best_value;
        data.push_back(static_cast<uint8_t>(best));
    }
    return data;
}

}  // namespace

std::vector<uint8_t> EncodeWady(WadyCoding coding, const PcmFormat& format,
                                std::span<const int16_t> samples,
                                const WadyEncodeOptions& options) {
    size_t frames = samples.size() / format.Channels;
    samples = samples.first(frames * format.Channels);
    wady::Header h;
    h.Channels = static_cast<uint16_t>(format.Channels);
    h.SampleRate = static_cast<uint32_t>(format.SampleRate);
    h.SamplesPerChannel = static_cast<uint32_t>(frames);
    h.PcmBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> data;
    switch (coding) {
        case WadyCoding::R:
            data = EncodeR(format, samples);
            break;
        case WadyCoding::D:
            data = EncodeD(format, samples);
            break;
        case WadyCoding::M: {
            h.Scale = options.Scale != 0 ? options.Scale : PickScale(format, samples);
            uint32_t loop_frame = options.LoopFrame < frames ? options.LoopFrame : 0;
            std::array<int16_t, 2> loop{0, 0};
            data = EncodeM(format, samples, h.Scale, loop_frame, loop);
            h.LoopStart = loop_frame * static_cast<uint32_t>(format.Channels);
            h.LoopLeft = loop[0];
            h.LoopRight = format.Channels == 2 ? loop[1] : 0;
            break;
        }
    }
    h.CodedLength = static_cast<uint32_t>(data.size());
    std::vector<uint8_t> entry(wady::kHeaderSize);
    wady::WriteHeader(h, entry.data());
    entry.insert(entry.end(), data.begin(), data.end());
    return entry;
}

}  // namespace vespin
