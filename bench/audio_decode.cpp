// Decoding speed of each sound coding and of Ogg voices, as multiples of real time ("x_realtime":
// seconds of sound decoded per second). The reference is a plain copy of the same decoded bytes,
// measured in the same run, so the decoders' cost reads as a ratio to it.

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/audio/ogg_decoder.h"
#include "core/audio/wady.h"
#include "tools/ogg_encoder.h"
#include "tools/wady_encoder.h"

namespace {

using namespace vespin;

constexpr double kSeconds = 10.0;

std::vector<int16_t> Sound(const PcmFormat& f) {
    std::vector<int16_t> out;
    size_t frames = static_cast<size_t>(f.SampleRate * kSeconds);
    uint32_t noise = 1;
    for (size_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / f.SampleRate;
        noise = noise * 1664525u + 1013904223u;
        double v = 9000 * std::sin(2 * M_PI * 220 * t) + 3000 * std::sin(2 * M_PI * 1750 * t) +
                   500.0 * static_cast<int>(noise >> 22) / 1024.0;
        for (int c = 0; c < f.Channels; ++c)
            out.push_back(static_cast<int16_t>(v));
    }
    return out;
}

void ReportRealTime(benchmark::State& state) {
    state.counters["x_realtime"] = benchmark::Counter(
        kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void CopyReference(benchmark::State& state) {
    PcmFormat f{2, 44100};
    std::vector<int16_t> pcm = Sound(f), out(pcm.size());
    for (auto _ : state) {
        std::memcpy(out.data(), pcm.data(), pcm.size() * 2);
        benchmark::DoNotOptimize(out.data());
    }
    ReportRealTime(state);
}
BENCHMARK(CopyReference);

void CodingR(benchmark::State& state) {
    PcmFormat f{1, 22050};  // a voice
    std::vector<uint8_t> entry = EncodeWady(WadyCoding::R, f, Sound(f));
    for (auto _ : state)
        benchmark::DoNotOptimize(wady::DecodeR(entry));
    ReportRealTime(state);
}
BENCHMARK(CodingR);

void CodingD(benchmark::State& state) {
    PcmFormat f{1, 22050};  // an animation's sound
    std::vector<uint8_t> entry = EncodeWady(WadyCoding::D, f, Sound(f));
    for (auto _ : state)
        benchmark::DoNotOptimize(wady::DecodeD(entry));
    ReportRealTime(state);
}
BENCHMARK(CodingD);

void CodingM(benchmark::State& state) {
    PcmFormat f{2, 44100};  // music, decoded a second at a time as the stream does
    std::vector<uint8_t> entry = EncodeWady(WadyCoding::M, f, Sound(f));
    std::vector<int16_t> block(static_cast<size_t>(f.SampleRate) * 2);
    for (auto _ : state) {
        std::array<int16_t, 2> running{0, 0};
        const uint8_t* coded = entry.data() + wady::kHeaderSize;
        for (int s = 0; s < static_cast<int>(kSeconds); ++s) {
            wady::DecodeM(coded + s * block.size(), f.SampleRate, 2, entry[5], running,
                          block.data());
        }
        benchmark::DoNotOptimize(block.data());
    }
    ReportRealTime(state);
}
BENCHMARK(CodingM);

void OggVoice(benchmark::State& state) {
    PcmFormat f{1, 22050};
    std::vector<uint8_t> ogg = EncodeOggVorbis(f, Sound(f));
    DecodedSound sound;
    for (auto _ : state) {
        DecodeOgg(ogg, sound);
        benchmark::DoNotOptimize(sound.Samples.data());
    }
    ReportRealTime(state);
}
BENCHMARK(OggVoice);

}  // namespace
