// Picture decoding against peers, in one run:
//  - packed pictures in MB/s of output, beside zlib's inflate and LZ4 of the same raw bytes
//    (goal: at least 500 MB/s on a typical picture);
//  - JPEG loading of an 800 x 600 picture beside libjpeg-turbo decoding into a bare buffer
//    (goal: within 1.1 times of it).
// The counters are minimum-time ratios taken side by side in the same process.

#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#if defined(VESPIN_HAVE_LZ4)
#include <lz4.h>
#endif

#include "core/resources/jpeg_picture.h"
#include "core/resources/packed_picture.h"
#include "tools/picture_codec.h"

namespace vespin {
namespace {

using Bytes = std::vector<uint8_t>;

// A stand-in for a game background with a character: a sky gradient, flat cel-shaded shapes with
// dark anti-aliased outlines, and a band of fine texture. Real pictures are of this kind: large
// smooth or flat areas, edges, a little noise.
Surface TypicalPicture() {
    constexpr int w = 800, h = 600;
    Surface s(w, h);
    std::mt19937 rng(11);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = s.Row(y);
        for (int x = 0; x < w; ++x) {
            uint8_t* p = row + x * 3;
            // Sky: blue to pale toward the horizon.
            p[0] = uint8_t(250 - y / 5);
            p[1] = uint8_t(180 + y / 8 + x / 100);
            p[2] = uint8_t(120 + y / 4);
            if (y > 420) {  // ground with grass texture
                p[0] = uint8_t(40 + rng() % 24);
                p[1] = uint8_t(120 + rng() % 40);
                p[2] = uint8_t(50 + rng() % 24);
            }
            // Character: body ellipse and head circle, flat colours with a shaded side.
            const int bx = x - 400, by = y - 430, hx = x - 400, hy = y - 190;
            const double body = bx * bx / (150.0 * 150.0) + by * by / (230.0 * 230.0);
            const double head = (hx * hx + hy * hy) / (95.0 * 95.0);
            const double d = std::min(body, head);
            if (d < 1.0) {
                const bool shade = (head < 1.0 ? hx : bx) > 30;
                const bool skin = head < 1.0;
                p[0] = skin ? (shade ? 170 : 200) : (shade ? 90 : 120);
                p[1] = skin ? (shade ? 190 : 220) : (shade ? 40 : 60);
                p[2] = skin ? (shade ? 235 : 250) : (shade ? 150 : 190);
            }
            if (d > 0.96 && d < 1.04) {  // outline, anti-aliased by distance
                const int k = int(std::abs(d - 1.0) * 25 * 255);
                for (int c = 0; c < 3; ++c)
                    p[c] = uint8_t(std::min(255, 30 + k * p[c] / 255));
            }
        }
    }
    return s;
}

struct Inputs {
    Inputs() : picture(TypicalPicture()), raw(RawBgr(picture)) {
        EncodePackedPicture(picture, {}, packed);
        EncodePackedPicture(picture, {false, true}, packed_no_runs);
        uLongf zsize = compressBound(raw.size());
        zlib.resize(zsize);
        compress2(zlib.data(), &zsize, raw.data(), raw.size(), 6);
        zlib.resize(zsize);
#if defined(VESPIN_HAVE_LZ4)
        lz4.resize(LZ4_compressBound(int(raw.size())));
        lz4.resize(LZ4_compress_default(reinterpret_cast<const char*>(raw.data()),
                                        reinterpret_cast<char*>(lz4.data()), int(raw.size()),
                                        int(lz4.size())));
#endif
        jpeg = EncodeJpeg(picture, 90);
        out.resize(raw.size());
    }
    Surface picture;
    Bytes raw, packed, packed_no_runs, zlib, lz4, jpeg, out;
};
Inputs& In() {
    static Inputs inputs;
    return inputs;
}

template <class F>
double MinNanos(F&& f) {
    double best = 1e30;
    for (int i = 0; i < 15; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        benchmark::ClobberMemory();
        best = std::min(
            best, std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - t0)
                      .count());
    }
    return best;
}

void Inflate() {
    Inputs& in = In();
    uLongf size = in.out.size();
    uncompress(in.out.data(), &size, in.zlib.data(), in.zlib.size());
}

void PackedDecode(benchmark::State& state, bool runs) {
    Inputs& in = In();
    const Bytes& stream = runs ? in.packed : in.packed_no_runs;
    Surface target;
    auto decode = [&] {
        if (DecodePackedPicture(stream, target) != PictureError::None) std::abort();
    };
    for (auto _ : state)
        decode();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.raw.size()));
    state.counters["ratio"] = double(in.raw.size()) / double(stream.size());
    state.counters["speed_vs_zlib"] = MinNanos(Inflate) / MinNanos(decode);
}

void ZlibInflate(benchmark::State& state) {
    Inputs& in = In();
    for (auto _ : state)
        Inflate();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.raw.size()));
    state.counters["ratio"] = double(in.raw.size()) / double(in.zlib.size());
}

#if defined(VESPIN_HAVE_LZ4)
void Lz4Decompress(benchmark::State& state) {
    Inputs& in = In();
    for (auto _ : state) {
        LZ4_decompress_safe(reinterpret_cast<const char*>(in.lz4.data()),
                            reinterpret_cast<char*>(in.out.data()), int(in.lz4.size()),
                            int(in.out.size()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.raw.size()));
    state.counters["ratio"] = double(in.raw.size()) / double(in.lz4.size());
}
BENCHMARK(Lz4Decompress)->Unit(benchmark::kMicrosecond);
#endif

// The library on its own: decode into a buffer allocated once, rows handed over in one array.
void BareJpegDecode() {
    Inputs& in = In();
    static std::vector<JSAMPROW> rows;
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, in.jpeg.data(), in.jpeg.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    rows.resize(info.output_height);
    for (unsigned y = 0; y < info.output_height; ++y) {
        rows[y] = in.out.data() + size_t(y) * info.output_width * 3;
    }
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, rows.data() + info.output_scanline,
                            info.output_height - info.output_scanline);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

void JpegLoad(benchmark::State& state) {
    Inputs& in = In();
    Surface target;
    auto load = [&] {
        if (DecodeJpegPicture(in.jpeg, target) != PictureError::None) std::abort();
    };
    for (auto _ : state)
        load();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.raw.size()));
    state.counters["vs_bare"] = MinNanos(load) / MinNanos(BareJpegDecode);
}

void JpegBare(benchmark::State& state) {
    Inputs& in = In();
    for (auto _ : state)
        BareJpegDecode();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.raw.size()));
}

BENCHMARK_CAPTURE(PackedDecode, all_stages, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PackedDecode, window_and_delta, false)->Unit(benchmark::kMicrosecond);
BENCHMARK(ZlibInflate)->Unit(benchmark::kMicrosecond);
BENCHMARK(JpegLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(JpegBare)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vespin
